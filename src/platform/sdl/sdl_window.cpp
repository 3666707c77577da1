// The game window: made on the software window surface (no GPU renderer, so it stays light on any
// X server), scaled by whole numbers so every picture pixel stays a crisp square.
#include <vector>

#include "platform/sdl/icon.h"
#include "platform/sdl/sdl_internal.h"

#if defined(KOTOYUMI_X11)
#include <SDL_syswm.h> // last: it brings in Xlib, whose macros nothing after it must meet
#endif

namespace {

SDL_Window* window = nullptr;
WindowFit fit;
int windowed_scale = 1;
// What the window shows: the engine's own picture, which it keeps alive and unchanged until the next
// present, or a copy of a picture that is not (`copied`). Redrawn from when the window's surface
// was lost. Null until the first present.
const uint32_t* shown = nullptr;
std::vector<uint32_t> copied;
std::vector<uint32_t> staging; // only for window surfaces that are not 32-bit XRGB
// The surface the whole picture was last drawn into: a part may only be drawn over that one.
const SDL_Surface* drawn = nullptr;

// The largest scale, up to the one asked for, at which the window fits the desktop's usable area.
int fitting_scale(int wanted) {
    int scale = wanted < 1 ? 1 : wanted;
    SDL_Rect usable;
    if (SDL_GetDisplayUsableBounds(0, &usable) != 0) return scale;
    while (scale > 1 && (WINDOW_WIDTH * scale > usable.w || WINDOW_HEIGHT * scale > usable.h))
        --scale;
    return scale;
}

void set_icon() {
    int size = 0;
    const uint32_t* pixels = Icon_pixels(&size);
    // SDL only reads the pixels; the surface merely borrows them.
    SDL_Surface* icon = SDL_CreateRGBSurfaceWithFormatFrom(const_cast<uint32_t*>(pixels), size, size, 32,
                                                           size * 4, SDL_PIXELFORMAT_ARGB8888);
    if (icon == nullptr) return; // the window works without an icon
    SDL_SetWindowIcon(window, icon);
    SDL_FreeSurface(icon);
}

// The part of the window surface that the window shows. SDL's size of the window can be wrong:
// without a window manager nobody carries out a switch to full screen, yet SDL takes the window to
// be as large as the desktop from then on, also after the switch back. The X server knows.
void visible_size(const SDL_Surface* surface, int* w, int* h) {
    *w = surface->w;
    *h = surface->h;
#if defined(KOTOYUMI_X11)
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    XWindowAttributes attributes;
    if (SDL_GetWindowWMInfo(window, &info) && info.subsystem == SDL_SYSWM_X11 &&
        XGetWindowAttributes(info.info.x11.display, info.info.x11.window, &attributes) != 0) {
        *w = SDL_min(*w, attributes.width);
        *h = SDL_min(*h, attributes.height);
    }
#endif
}

bool is_xrgb(const SDL_PixelFormat* format) {
    return format->BytesPerPixel == 4 && format->Rmask == 0xFF0000 && format->Gmask == 0xFF00 &&
           format->Bmask == 0xFF && format->Amask == 0;
}

// Draws the picture into the window's surface and shows it. The surface is fetched every time:
// SDL replaces it whenever the window's size changes, and fetching a valid one costs nothing.
void draw(const uint32_t* picture) {
    SDL_Surface* surface = SDL_GetWindowSurface(window);
    if (surface == nullptr) return;
    int w = 0, h = 0;
    visible_size(surface, &w, &h);
    fit = Window_fit(w, h);
    if (SDL_MUSTLOCK(surface) && SDL_LockSurface(surface) != 0) return;
    if (is_xrgb(surface->format)) {
        Window_draw(picture, fit, static_cast<uint32_t*>(surface->pixels), w, h, size_t(surface->pitch));
    } else {
        staging.resize(size_t(w) * h);
        Window_draw(picture, fit, staging.data(), w, h, size_t(w) * 4);
        SDL_ConvertPixels(w, h, SDL_PIXELFORMAT_RGB888, staging.data(), w * 4, surface->format->format,
                          surface->pixels, surface->pitch);
    }
    if (SDL_MUSTLOCK(surface)) SDL_UnlockSurface(surface);
    drawn = is_xrgb(surface->format) && !SDL_MUSTLOCK(surface) ? surface : nullptr;
    SDL_UpdateWindowSurface(window);
}

// Draws and uploads only a part of the picture, when the window's surface still holds the rest of
// it as the last whole draw left it; otherwise the whole picture.
void draw_part(const uint32_t* picture, int x, int y, int w, int h) {
    SDL_Surface* surface = SDL_GetWindowSurface(window);
    if (surface == nullptr || surface != drawn) return draw(picture);
    const WindowPart part = Window_draw_part(picture, fit, static_cast<uint32_t*>(surface->pixels),
                                             surface->w, surface->h, size_t(surface->pitch), x, y, w, h);
    if (part.w == 0 || part.h == 0) return;
    const SDL_Rect rect{part.x, part.y, part.w, part.h};
    SDL_UpdateWindowSurfaceRects(window, &rect, 1);
}

} // namespace

bool Sdl_window_open(const char* title_utf8, const SdlOptions& options) {
    // Left to itself SDL backs the window surface with an OpenGL texture, which on a machine
    // without a GPU means a software GL stack: tens of megabytes and a costly upload per frame.
    // The X server's own shared-memory images are lighter. The environment variable still wins.
    SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
    const int scale = fitting_scale(options.scale);
    windowed_scale = scale;
    Uint32 flags = SDL_WINDOW_SHOWN;
    if (options.fullscreen) flags |= SDL_WINDOW_FULLSCREEN_DESKTOP;
    window = SDL_CreateWindow(title_utf8, SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED,
                              WINDOW_WIDTH * scale, WINDOW_HEIGHT * scale, flags);
    if (window == nullptr) {
        SDL_Log("cannot make the window: %s", SDL_GetError());
        return false;
    }
    set_icon();
    int w = 0, h = 0;
    SDL_GetWindowSize(window, &w, &h);
    fit = Window_fit(w, h);
    shown = nullptr;
    drawn = nullptr;
    return true;
}

void Sdl_window_close() {
    if (window != nullptr) SDL_DestroyWindow(window);
    window = nullptr;
    shown = nullptr;
    drawn = nullptr;
    std::vector<uint32_t>().swap(copied);
    std::vector<uint32_t>().swap(staging);
}

SDL_Window* Sdl_window() {
    return window;
}

void Sdl_window_present(const uint32_t* picture) {
    if (window == nullptr) return;
    copied.assign(picture, picture + size_t(WINDOW_WIDTH) * WINDOW_HEIGHT);
    shown = copied.data();
    draw(shown);
}

void Sdl_window_present_part(const uint32_t* picture, int x, int y, int w, int h) {
    if (window == nullptr) return;
    shown = picture;
    std::vector<uint32_t>().swap(copied); // a box's picture, shown before this one
    draw_part(picture, x, y, w, h);
}

void Sdl_window_redraw() {
    if (window == nullptr) return;
    if (shown == nullptr) {
        // Nothing presented yet: black is what the engine would show before its first frame.
        copied.assign(size_t(WINDOW_WIDTH) * WINDOW_HEIGHT, 0);
        shown = copied.data();
    }
    draw(shown);
}

void Sdl_window_toggle_fullscreen() {
    if (window == nullptr) return;
    const bool full = (SDL_GetWindowFlags(window) & SDL_WINDOW_FULLSCREEN_DESKTOP) != 0;
    // The size-changed event that follows redraws the picture at its new scale.
    SDL_SetWindowFullscreen(window, full ? 0 : SDL_WINDOW_FULLSCREEN_DESKTOP);
    // Back in the window, its size is set again: SDL may still hold the desktop's (see visible_size).
    if (full) SDL_SetWindowSize(window, WINDOW_WIDTH * windowed_scale, WINDOW_HEIGHT * windowed_scale);
}

void Sdl_window_set_mode(int scale, bool fullscreen) {
    if (window == nullptr) return;
    windowed_scale = fitting_scale(scale);
    if (fullscreen != Sdl_window_fullscreen()) {
        Sdl_window_toggle_fullscreen();
    } else if (!fullscreen) {
        SDL_SetWindowSize(window, WINDOW_WIDTH * windowed_scale, WINDOW_HEIGHT * windowed_scale);
    }
}

bool Sdl_window_fullscreen() {
    return window != nullptr && (SDL_GetWindowFlags(window) & SDL_WINDOW_FULLSCREEN_DESKTOP) != 0;
}

WindowFit Sdl_window_fit() {
    return fit;
}
