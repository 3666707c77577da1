// The SDL backend: a real window and, later, real sound. This header is all the entry point sees
// of it, so it carries no SDL types.
#pragma once

#include "platform/platform.h"

struct SdlOptions {
    int scale = 1;           // the window is 640*scale x 480*scale (shrunk to fit the desktop)
    bool fullscreen = false; // start on the whole desktop instead of in a window
};

// The backend table for Platform_use_backend; `options` shape the window that open_window makes.
const PlatformBackend* Sdl_backend(const SdlOptions& options);

// Tells the main thread that the music has ended: it receives an EventType::MusicNotify event.
// Safe to call from any thread (the audio callback included) once the window is open.
void Sdl_push_music_notify();
