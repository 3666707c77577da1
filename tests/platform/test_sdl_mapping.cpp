// The window arithmetic and event details that the SDL backend relies on: fitting the picture into
// any window size, mapping window pixels back to picture pixels, the drawn pixels themselves, the
// key-state word, typed-text truncation and the icon at every size.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <string>
#include <utility>
#include <vector>

#include "platform/event_mapping.h"
#include "platform/platform.h"
#include "platform/sdl/icon.h"
#include "platform/sdl/upsample.h"
#include "platform/sdl/window_scaling.h"

namespace {

// A picture whose every pixel differs, so a misplaced copy cannot go unnoticed.
std::vector<uint32_t> numbered_picture() {
    std::vector<uint32_t> picture(size_t(WINDOW_WIDTH) * WINDOW_HEIGHT);
    for (size_t i = 0; i < picture.size(); ++i)
        picture[i] = uint32_t(i) + 1;
    return picture;
}

constexpr uint32_t UNTOUCHED = 0xDEADBEEF;

// Draws into a window buffer of w x h pixels with `pad` extra pixels per row, pre-filled with
// UNTOUCHED so that pixels nobody wrote stand out.
std::vector<uint32_t> draw(const std::vector<uint32_t>& picture, int w, int h, int pad = 0) {
    std::vector<uint32_t> window(size_t(w + pad) * h, UNTOUCHED);
    Window_draw(picture.data(), Window_fit(w, h), window.data(), w, h, size_t(w + pad) * 4);
    return window;
}

} // namespace

TEST(WindowScaling, FitPicksTheLargestWholeScaleAndCentres) {
    struct Case {
        int w, h, scale, x, y;
    };
    const Case cases[] = {
        {640, 480, 1, 0, 0},      {1280, 960, 2, 0, 0},   {1920, 1440, 3, 0, 0},   {1920, 1080, 2, 320, 60},
        {1366, 768, 1, 363, 144}, {1280, 1024, 2, 0, 32}, {2560, 1440, 3, 320, 0}, {1279, 959, 1, 319, 239},
        {600, 400, 1, -20, -40}, // smaller than the picture: its centre shows
    };
    for (const Case& c : cases) {
        const WindowFit fit = Window_fit(c.w, c.h);
        EXPECT_EQ(fit.scale, c.scale) << c.w << "x" << c.h;
        EXPECT_EQ(fit.x, c.x) << c.w << "x" << c.h;
        EXPECT_EQ(fit.y, c.y) << c.w << "x" << c.h;
    }
}

// Both corners of every scaled block map back to its picture pixel; points on the bars or outside
// the window clamp to the picture's edge.
TEST(WindowScaling, WindowPointsMapBackToPicturePixels) {
    const auto map = [](const WindowFit& fit, int wx, int wy) {
        int x = -1, y = -1;
        Window_to_picture(fit, wx, wy, &x, &y);
        return std::pair(x, y);
    };
    for (const auto& size : {std::pair{640, 480}, std::pair{1920, 1080}, std::pair{2560, 1440}}) {
        const WindowFit fit = Window_fit(size.first, size.second);
        for (int py : {0, 1, 239, 478, 479})
            for (int px : {0, 1, 320, 638, 639})
                for (int k : {0, fit.scale - 1})
                    EXPECT_EQ(map(fit, fit.x + px * fit.scale + k, fit.y + py * fit.scale + k),
                              std::pair(px, py))
                        << size.first << "x" << size.second << " k " << k;
    }
    const WindowFit fit = Window_fit(1920, 1080); // picture at (320, 60), 1280x960
    EXPECT_EQ(map(fit, 0, 0), std::pair(0, 0));
    EXPECT_EQ(map(fit, 319, 500), std::pair(0, 220));
    EXPECT_EQ(map(fit, 1600, 1020), std::pair(639, 479));
    EXPECT_EQ(map(fit, -50, 70000), std::pair(0, 479)) << "pointer grabbed outside the window";
    EXPECT_EQ(map(Window_fit(600, 400), 0, 0), std::pair(20, 40)) << "a smaller window shows the middle";
}

// Every window pixel is its picture pixel at the fitted scale, the bars are black, and the padding
// at the end of each window row is never written.
TEST(WindowScaling, DrawReplicatesEveryPixelAndBlackensTheBars) {
    const auto picture = numbered_picture();
    const struct {
        int w, h, pad;
    } windows[] = {{640, 480, 10}, {600, 400, 0}, {1400, 1000, 3}, {1920, 1080, 0}, {1930, 1445, 0}};
    for (const auto& [w, h, pad] : windows) {
        const WindowFit fit = Window_fit(w, h);
        const auto window = draw(picture, w, h, pad);
        for (int y = 0; y < h; ++y) {
            for (int x = 0; x < w + pad; ++x) {
                const int px = (x - fit.x) / fit.scale, py = (y - fit.y) / fit.scale;
                const bool inside = x >= fit.x && y >= fit.y && px < WINDOW_WIDTH && py < WINDOW_HEIGHT;
                const uint32_t want = x >= w   ? UNTOUCHED
                                      : inside ? picture[size_t(py) * WINDOW_WIDTH + px]
                                               : 0;
                ASSERT_EQ(window[size_t(y) * (w + pad) + x], want)
                    << w << "x" << h << " at " << x << "," << y;
            }
        }
    }
}

// Drawing only the changed part over the old picture's window gives the new picture's window, and
// the window rectangle it reports covers every pixel that changed, within the window.
TEST(WindowScaling, APartDrawnOverTheOldPictureMakesTheNewOne) {
    const auto old_picture = numbered_picture();
    const struct { int w, h, pad; } windows[] = {{640, 480, 10}, {600, 400, 0}, {1400, 1000, 3}};
    const WindowPart parts[] = {
        {100, 50, 25, 25}, {-10, -10, 40, 30}, {620, 460, 100, 100}, {0, 0, 640, 480}, {700, 10, 5, 5}};
    for (const auto& [w, h, pad] : windows) {
        for (const WindowPart& part : parts) {
            auto picture = old_picture;
            for (int y = std::max(part.y, 0); y < std::min(part.y + part.h, WINDOW_HEIGHT); ++y)
                for (int x = std::max(part.x, 0); x < std::min(part.x + part.w, WINDOW_WIDTH); ++x)
                    picture[size_t(y) * WINDOW_WIDTH + x] ^= 0x00FF0000;
            const auto old_window = draw(old_picture, w, h, pad), want = draw(picture, w, h, pad);
            auto window = old_window;
            const WindowPart drawn = Window_draw_part(picture.data(), Window_fit(w, h), window.data(), w, h,
                                                      size_t(w + pad) * 4, part.x, part.y, part.w, part.h);
            ASSERT_EQ(window, want) << w << "x" << h << " part at " << part.x << "," << part.y;
            EXPECT_TRUE(drawn.x >= 0 && drawn.y >= 0 && drawn.x + drawn.w <= w && drawn.y + drawn.h <= h);
            int missed = 0;
            for (int y = 0; y < h; ++y) {
                for (int x = 0; x < w; ++x) {
                    const bool changed =
                        old_window[size_t(y) * (w + pad) + x] != want[size_t(y) * (w + pad) + x];
                    const bool uploaded =
                        x >= drawn.x && x < drawn.x + drawn.w && y >= drawn.y && y < drawn.y + drawn.h;
                    missed += changed && !uploaded;
                }
            }
            EXPECT_EQ(missed, 0) << w << "x" << h << " part at " << part.x << "," << part.y;
        }
    }
}

// The synthesiser's half-rate stream doubled: a tone comes out as the same tone at the full rate
// (delayed by the filter), the same whatever the blocks it came in, and clipped, not wrapped.
TEST(Upsample, KeepsTheToneAndTheStreamWholeAcrossBlocks) {
    const double pi = std::acos(-1.0);
    const int frames = 2048;
    std::vector<float> in(size_t(frames) * 2);
    for (int i = 0; i < frames; ++i) {
        in[size_t(i) * 2] = float(0.5 * std::sin(2 * pi * 1000 * i / 22050));
        in[size_t(i) * 2 + 1] = i == 1000 ? 1.5f : -0.25f;
    }
    Upsampler whole;
    std::vector<int16_t> once(size_t(frames) * 4), blocks(size_t(frames) * 4);
    Upsample_2x(&whole, in.data(), frames, once.data());
    Upsampler pieces;
    int at = 0;
    for (int n : {1, 7, 500, 1000, frames}) {
        n = std::min(n, frames - at);
        Upsample_2x(&pieces, in.data() + size_t(at) * 2, n, blocks.data() + size_t(at) * 4);
        at += n;
    }
    EXPECT_EQ(once, blocks);

    const int delay = UPSAMPLE_TAPS; // half the taps, in frames of the half rate: twice that at the full
    double worst = 0;
    for (int k = 2 * delay; k < 2 * frames; ++k)
        worst = std::max(worst, std::abs(once[size_t(k) * 2] / 32768.0 -
                                         0.5 * std::sin(2 * pi * 1000 * (k - delay) / 44100)));
    EXPECT_LT(worst, 0.002) << "a 1 kHz tone within -54 dB";
    EXPECT_EQ(once[size_t(2 * (1000 + delay / 2)) * 2 + 1], 32767) << "clipped";
}

TEST(EventMapping, KeyStateWordFollowsPressesAndReleasesInAnyOrder) {
    uint32_t held = 0;
    held = Event_buttons_after(held, 1, true);
    EXPECT_EQ(held, MK_LBUTTON);
    held = Event_buttons_after(held, 2, true);
    EXPECT_EQ(held, MK_LBUTTON | MK_RBUTTON);
    held = Event_buttons_after(held, 1, false); // released first pressed first: right stays
    EXPECT_EQ(held, MK_RBUTTON);
    held = Event_buttons_after(held, 3, true);
    EXPECT_EQ(held, MK_RBUTTON | MK_MBUTTON);
    held = Event_buttons_after(held, 7, true); // a button the engine does not know changes nothing
    EXPECT_EQ(held, MK_RBUTTON | MK_MBUTTON);
    held = Event_buttons_after(held, 2, false);
    held = Event_buttons_after(held, 3, false);
    EXPECT_EQ(held, 0u);

    EXPECT_EQ(Event_key_state(MK_LBUTTON, true, false), 1u + 4u);
    EXPECT_EQ(Event_key_state(MK_RBUTTON | MK_MBUTTON, true, true), 2u + 4u + 8u + 16u);
    EXPECT_EQ(Event_key_state(0, false, true), 8u);
    // Modifier bits come only from the modifier flags, never from stray mouse bits.
    EXPECT_EQ(Event_key_state(MK_SHIFT | MK_CONTROL | MK_LBUTTON, false, false), MK_LBUTTON);
}

TEST(EventMapping, TypedTextIsCutOnlyBetweenCharacters) {
    char out[32];
    const auto copy = [&](const std::string& in) {
        std::memset(out, 'x', sizeof out);
        Event_copy_text(out, sizeof out, in.c_str());
        return std::string(out);
    };
    EXPECT_EQ(copy("abc"), "abc");
    EXPECT_EQ(copy(std::string(40, 'a')), std::string(31, 'a'));
    std::string kana; // 11 three-byte characters, 33 bytes: the eleventh would be cut
    for (int i = 0; i < 11; ++i)
        kana += "あ";
    EXPECT_EQ(copy(kana), kana.substr(0, 30));
    // A four-byte character straddling the end goes whole.
    EXPECT_EQ(copy(std::string(28, 'a') + "\xF0\x9F\x8C\x99"), std::string(28, 'a'));
    char tiny[1] = {'x'};
    Event_copy_text(tiny, sizeof tiny, "abc");
    EXPECT_EQ(tiny[0], '\0');
}

// + and - are what the key types with the Shift state of the press: Shift+= on US keys, Shift+; on
// Japanese ones (which have a key of their own for :), a + key of its own elsewhere.
TEST(EventMapping, PaceKeysFollowTheTypedCharacterOnEveryLayout) {
    struct Case {
        int unshifted;
        bool shift, colon_key;
        int key;
    };
    const Case cases[] = {
        {'=', true, false, KEY_PLUS},  {'=', false, false, KEY_PLUS}, {';', true, true, KEY_PLUS},
        {'+', false, false, KEY_PLUS}, {'-', false, true, KEY_MINUS}, {'-', false, false, KEY_MINUS},
        {';', true, false, KEY_NONE},  {';', false, true, KEY_NONE},  {'-', true, true, KEY_NONE},
        {'-', true, false, KEY_NONE},  {'+', true, false, KEY_NONE},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Event_pace_key(c.unshifted, c.shift, c.colon_key), c.key)
            << char(c.unshifted) << " shift " << c.shift << " colon key " << c.colon_key;
}

// The desktop's icons are the window's emblem drawn afresh at each size, laid out alike: a clear
// corner, the indigo field left of the bow, the gold rim at the top.
TEST(Icon, EverySizeDrawsTheSameEmblem) {
    int size = 0;
    const uint32_t* window_icon = Icon_pixels(&size);
    EXPECT_EQ(Icon_render(32), std::vector<uint32_t>(window_icon, window_icon + size * size));
    for (int side : {48, 256}) {
        const std::vector<uint32_t> icon = Icon_render(side);
        auto at = [&](double x, double y) {
            return icon[size_t(y * side / 32) * side + size_t(x * side / 32)];
        };
        EXPECT_EQ(at(0.5, 0.5), 0u) << side;
        EXPECT_EQ(at(5.5, 16.5), 0xFF1B2447u) << side;
        EXPECT_EQ(at(16.2, 0.6) & 0xFFFFFFu, 0xC9A24Au) << side;
    }
}
