#include "core/lifecycle.h"

namespace {
const EngineModule* Modules = nullptr;
size_t ModuleCount = 0;
bool quit_posted = false;
int quit_code = 0;
int close_requests = 0;
} // namespace

void Engine_modules_set(const EngineModule* modules, size_t count) {
    Modules = modules;
    ModuleCount = count;
}

void System_reset() {
    quit_posted = false;
    quit_code = 0;
    close_requests = 0;
    for (size_t i = 0; i < ModuleCount; ++i)
        if (Modules[i].reset) Modules[i].reset();
}

void System_exit() {
    System_exit_with(0);
}

void System_exit_with(int code) {
    for (size_t i = 0; i < ModuleCount; ++i)
        if (Modules[i].stop) Modules[i].stop();
    // A second request (a close after Escape, say) changes nothing.
    if (!quit_posted) quit_code = code;
    quit_posted = true;
}

void System_post_close() {
    ++close_requests;
}

bool System_take_close_request() {
    if (close_requests == 0) return false;
    --close_requests;
    return true;
}

bool System_quit_requested(int* code) {
    if (quit_posted) *code = quit_code;
    return quit_posted;
}
