#include "core/run_log.h"

namespace {
void (*Write)(const char*) = nullptr;
}

void Run_log_set(void (*write)(const char* line_utf8)) {
    Write = write;
}

void Run_log(const char* line_utf8) {
    if (Write) Write(line_utf8);
}
