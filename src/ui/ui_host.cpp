#include "ui/ui_host.h"

#include <vector>

namespace {

const UiHost* host = nullptr;

} // namespace

void Ui_host_set(const UiHost* h) {
    host = h;
}

const uint32_t* Ui_window_picture() {
    if (host) return host->window_picture();
    static const std::vector<uint32_t> black(size_t(WINDOW_WIDTH) * WINDOW_HEIGHT, 0);
    return black.data();
}

void Ui_window_message(const PlatformEvent& event) {
    if (host) host->window_message(event);
}
