// Loading pictures onto surfaces: the engine's own BMP pictures (Load_Bmp) and script pictures in
// JPEG or BMP form (PXL_LoadJpeg), with the file-name check that comes first.
#pragma once

#include <cstddef>

#include "gfx/surface.h"

// Larger picture files are refused, before anything is allocated for them, as the old heap
// allocation failure was: the largest picture the decoders accept (4096 x 4096 at 32 bits) takes
// 64 MiB.
constexpr size_t PICTURE_FILE_LIMIT = 72u << 20;

// True if `path` (Shift-JIS) ends in ".jpg", ".JPG", ".bmp" or ".BMP" (exactly these). Otherwise
// shows the unsupported-format box with the last four bytes of the path and returns false.
bool _check_g_filename(const char* path);

// Loads the BMP file at `path` and copies its top-left 640x480 region to (0, 0) of `target`,
// clipped to the target. On failure shows "画像読み込みに失敗しました" and returns false; the target
// keeps its content.
bool Load_Bmp(Surface* target, const char* path);

// Checks the name, reads the whole file and decodes it (JPEG or BMP, by content), then copies the
// whole picture with its top-left corner at (x, y) of `target`, clipped. Every failure is reported
// in a box and draws nothing.
void PXL_LoadJpeg(Surface* target, int x, int y, const char* path);
