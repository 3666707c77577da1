// Shared ground for engine tests: a fresh temporary game folder as the current folder, the headless
// platform with its window open, and every module back in its start-up state.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

class EngineTest : public ::testing::Test {
  protected:
    void SetUp() override;
    void TearDown() override;

    // Writes `bytes` to `relative` inside the game folder, making folders as needed.
    void Write_file(const std::string& relative, const std::string& bytes);
    // Writes a 24-bit BMP whose pixel (x, y) is paint(x, y) (0x00RRGGBB).
    void Write_bmp(const std::string& relative, int w, int h, const std::function<uint32_t(int, int)>& paint);
    // Gives the game folder both start-up pictures (a 640x480 gradient and a 75x25 parts strip) and
    // a first script that only waits, so nothing but the test changes the picture.
    void Write_startup_pictures();
    // Moves the virtual clock by one frame period and runs Main_task, `n` times.
    void Run_frames(int n);

    std::string game_dir;

  private:
    std::string previous_dir;
};

// A WAV file with `data_bytes` bytes of 8-bit mono sound at `rate` frames a second; the data chunk
// claims `claimed` bytes when that is not 0.
std::string Test_wav(uint32_t rate = 8000, uint32_t data_bytes = 8, uint32_t claimed = 0);

// The pixels of the start-up background that Write_startup_pictures writes.
uint32_t Test_background_pixel(int x, int y);
