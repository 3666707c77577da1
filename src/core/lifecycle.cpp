#include "core/lifecycle.h"

namespace {
const EngineModule* Modules = nullptr;
size_t ModuleCount = 0;
bool quit_posted = false;
int quit_code = 0;
int close_requests = 0;
bool fatal_close = false; // the window is being closed because of a script error
} // namespace

void Engine_modules_set(const EngineModule* modules, size_t count) {
    Modules = modules;
    ModuleCount = count;
}

void System_reset() {
    quit_posted = false;
    quit_code = 0;
    close_requests = 0;
    fatal_close = false;
    for (size_t i = 0; i < ModuleCount; ++i)
        if (Modules[i].reset) Modules[i].reset();
}

void Engine_modules_save(SaveStat* record) {
    for (size_t i = 0; i < ModuleCount; ++i)
        if (Modules[i].save) Modules[i].save(record);
}

void Engine_modules_restore(const SaveStat& record) {
    for (size_t i = 0; i < ModuleCount; ++i)
        if (Modules[i].restore) Modules[i].restore(record);
}

void System_exit() {
    System_exit_with(0);
}

void System_exit_with(int code) {
    for (size_t i = 0; i < ModuleCount; ++i)
        if (Modules[i].stop) Modules[i].stop();
    // A second request (a close after Escape, say) changes nothing; nor does the window's close
    // that a script error posted.
    if (!quit_posted && !fatal_close) quit_code = code;
    quit_posted = true;
}

void System_post_close() {
    ++close_requests;
}

bool System_take_close_request() {
    if (close_requests == 0) return false;
    --close_requests;
    // The close that follows is the program's end: it was caused by an error in the script.
    if (!quit_posted) {
        quit_code = EXIT_SCRIPT_ERROR;
        fatal_close = true;
    }
    return true;
}

bool System_quit_requested(int* code) {
    if (quit_posted) *code = quit_code;
    return quit_posted;
}
