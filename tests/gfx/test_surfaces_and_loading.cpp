// Block operations on surfaces, the picture loaders, the file-name check, BoxFill and the key copy.
#include <string>

#include "gfx/box_fill.h"
#include "gfx/dib_surface.h"
#include "gfx/fixed_surfaces.h"
#include "gfx/picture_load.h"
#include "platform/headless/headless.h"
#include "test_support.h"

namespace {

Surface Filled(int w, int h, uint32_t pixel) {
    Surface s;
    Surface_create(&s, w, h);
    Surface_fill(&s, 0, 0, w, h, pixel);
    return s;
}

int Count(const Surface& s, uint32_t pixel) {
    int n = 0;
    for (uint32_t p : s.pixels)
        n += p == pixel;
    return n;
}

} // namespace

TEST(Surface, CopiesClipAgainstBothSurfacesAndMayOverlap) {
    Surface dst = Filled(10, 10, 0);
    Surface src = Filled(4, 4, 0xABCDEF);
    Surface_copy(&dst, 8, -2, 4, 4, &src, 0, 0); // hangs over the right and top edges
    EXPECT_EQ(Count(dst, 0xABCDEF), 4);
    EXPECT_EQ(Surface_get(&dst, 8, 0), 0xABCDEFu);
    EXPECT_EQ(Surface_get(&dst, 9, 1), 0xABCDEFu);
    Surface_copy(&dst, 0, 0, 100, 100, &src, -3, 2); // a source rectangle partly outside its surface
    EXPECT_EQ(Surface_get(&dst, 3, 0), 0xABCDEFu);
    EXPECT_EQ(Surface_get(&dst, 2, 0), 0u);
    Surface_copy(&dst, 0, 0, 0x7FFFFFFF, 0x7FFFFFFF, &src, 0x7FFFFFF0, 0); // huge arguments stay in bounds

    Surface s;
    Surface_create(&s, 1, 5);
    for (int y = 0; y < 5; ++y)
        s.pixels[y] = uint32_t(y);
    Surface_copy(&s, 0, 1, 1, 4, &s, 0, 0);
    EXPECT_EQ(s.pixels, (std::vector<uint32_t>{0, 0, 1, 2, 3}));
}

TEST(Surface, AndOrAndConstantAlphaBlend) {
    Surface dst = Filled(2, 1, 0x804020);
    Surface src = Filled(2, 1, 0x0F0F0F);
    Surface_and(&dst, 0, 0, 1, 1, &src, 0, 0);
    Surface_or(&dst, 1, 0, 1, 1, &src, 0, 0);
    EXPECT_EQ(dst.pixels[0], 0x000000u);
    EXPECT_EQ(dst.pixels[1], 0x8F4F2Fu);

    // Alpha 0, 255 and the compounding fade steps are checked through alpha_copy and fade_out.
    Surface a = Filled(1, 1, 0x000000), white = Filled(1, 1, 0xFFFFFF);
    Surface_blend(&a, 0, 0, 1, 1, &white, 0, 0, 128);
    EXPECT_EQ(a.pixels[0], 0x808080u);
}

TEST(Surface, BoxFillRightAndBottomEdgesAreExclusive) {
    Surface s = Filled(8, 8, 0);
    BoxFill(&s, 2, 3, 5, 6, 0x0000FF); // GDI red
    EXPECT_EQ(Count(s, 0xFF0000), 9);
    EXPECT_EQ(Surface_get(&s, 2, 3), 0xFF0000u);
    EXPECT_EQ(Surface_get(&s, 4, 5), 0xFF0000u);
    EXPECT_EQ(Surface_get(&s, 5, 5), 0u);
    EXPECT_EQ(Surface_get(&s, 4, 6), 0u);
    Surface big = Filled(640, 480, 0);
    BoxFill(&big, 0, 0, 640, 480, 0xFFFFFF);
    EXPECT_EQ(Count(big, 0xFFFFFF), 640 * 480);
    BoxFill(&big, -10, -10, 10000, 10000, 0);
    EXPECT_EQ(Count(big, 0), 640 * 480);
}

// What the window uploads: the rectangle written since it was last taken, clipped to the surface,
// widened by every writing operation and emptied by taking it.
TEST(Surface, WritesWidenTheChangedRectangleAndTakingItEmptiesIt) {
    const auto same = [](const Rect& r, Rect want) {
        return r.left == want.left && r.top == want.top && r.right == want.right && r.bottom == want.bottom;
    };
    Surface s, src;
    Surface_create(&s, 100, 50);
    Surface_create(&src, 10, 10);
    EXPECT_TRUE(same(Surface_take_changed(&s), Rect{0, 0, 100, 50})) << "a new surface is all new";
    EXPECT_TRUE(same(Surface_take_changed(&s), Rect{})) << "taken: empty";
    Surface_fill(&s, 10, 5, 12, 6, 1);
    Surface_copy(&s, 95, 45, 10, 10, &src, 0, 0); // clipped to 5x5
    EXPECT_TRUE(same(Surface_take_changed(&s), Rect{10, 5, 100, 50}));
    Surface_fill(&s, 200, 200, 300, 300, 1);          // outside: nothing written
    Surface_blend(&s, -5, -5, 10, 10, &src, 0, 0, 0); // alpha 0 writes nothing
    Surface_touch_rect(&s, -2000000000, 20, 2000000001, 1);
    EXPECT_TRUE(same(Surface_take_changed(&s), Rect{0, 20, 1, 21})) << "only the touch, clipped";
    Surface_stretch(&s, 30, 30, 20, 4, &src, 0, 0, 10, 10);
    Surface_or(&s, 0, 0, 1, 1, &src, 0, 0);
    EXPECT_TRUE(same(Surface_take_changed(&s), Rect{0, 0, 50, 34}));
}

TEST_F(EngineTest, FileNameCheck) {
    for (const char* good : {"a.jpg", "a.JPG", ".bmp", "x\\y.BMP"})
        EXPECT_TRUE(_check_g_filename(good)) << good;
    EXPECT_TRUE(Headless_boxes().empty());
    for (const char* bad : {"a.png", "a.Jpg", "a.jpeg", "bmp", ""})
        EXPECT_FALSE(_check_g_filename(bad)) << bad;
    ASSERT_EQ(Headless_boxes().size(), 5u);
    const RecordedBox& png = Headless_boxes()[0];
    EXPECT_EQ(png.caption, "_check_g_filename()");
    EXPECT_EQ(png.text, "■サポート外のファイル形式 [ .png ] が指定されてるにょ♪\n\n"
                        "  以下の拡張子のファイル名を指定してほしいにょ(･ω･)ﾉｼ\n\n"
                        "  [ .bmp ] [ .BMP ] [ .jpg ] [ .JPG ]");
    EXPECT_NE(Headless_boxes()[3].text.find("[ bmp ]"), std::string::npos) << "a short name shows whole";
}

TEST_F(EngineTest, ASmallPictureChangesOnlyItsCorner) {
    Write_bmp("gdat/small.bmp", 320, 240, [](int, int) { return 0x00FF00u; });
    Surface target = Filled(640, 480, 0x111111);
    PXL_LoadJpeg(&target, 0, 0, ".\\gdat\\small.bmp");
    EXPECT_TRUE(Headless_boxes().empty());
    EXPECT_EQ(Count(target, 0x00FF00), 320 * 240);
    EXPECT_EQ(Surface_get(&target, 319, 239), 0x00FF00u);
    EXPECT_EQ(Surface_get(&target, 320, 239), 0x111111u);
    EXPECT_EQ(Surface_get(&target, 319, 240), 0x111111u);
}

TEST_F(EngineTest, LoadBmpIntoThePartsStripIsClipped) {
    Write_bmp("gdat/system/Parts.bmp", 100, 40, [](int x, int y) { return uint32_t(x << 8 | y); });
    Surface parts = Filled(75, 25, 0);
    ASSERT_TRUE(Load_Bmp(&parts, ".\\gdat\\system\\Parts.bmp"));
    EXPECT_EQ(parts.width, 75);
    EXPECT_EQ(parts.height, 25);
    EXPECT_EQ(Surface_get(&parts, 74, 24), uint32_t(74 << 8 | 24));

    // A background larger than the picture area gives only its top-left 640x480.
    Write_bmp("gdat/system/Big.bmp", 700, 500,
              [](int x, int y) { return x >= 640 || y >= 480 ? 0xFFu : 0u; });
    Surface back = Filled(700, 500, 0x777777);
    ASSERT_TRUE(Load_Bmp(&back, ".\\gdat\\system\\Big.bmp"));
    EXPECT_EQ(Surface_get(&back, 639, 479), 0u);
    EXPECT_EQ(Surface_get(&back, 640, 479), 0x777777u);
}

TEST(DibSurface, KeyCopyWritesEveryRowAndSkipsKeyPixels) {
    DibSurface a, b;
    ASSERT_TRUE(PXL_create_DIB_surface(&a, 4, 3));
    ASSERT_TRUE(PXL_create_DIB_surface(&b, 4, 3));
    for (int i = 0; i < 12; ++i)
        a.pixels[i] = 0x111111;
    for (int i = 0; i < 12; ++i)
        b.pixels[i] = (i % 2) ? 0x00FF00 : 0xAA0000 + uint32_t(i);
    PXL_DIB_key_copy(&a, 0, 0, &b, 0, 0, 4, 3, 0x00FF00);
    for (int i = 0; i < 12; ++i)
        EXPECT_EQ(a.pixels[i], (i % 2) ? 0x111111u : 0xAA0000u + uint32_t(i)) << i;

    // Shifted half off the destination: only what lands inside is written.
    for (int i = 0; i < 12; ++i)
        a.pixels[i] = 0x111111;
    PXL_DIB_key_copy(&a, 2, 2, &b, 0, 0, 4, 3, 0x123456);
    EXPECT_EQ(a.pixels[2 * 4 + 2], b.pixels[0]);
    EXPECT_EQ(a.pixels[2 * 4 + 3], b.pixels[1]);
    EXPECT_EQ(a.pixels[1 * 4 + 3], 0x111111u);

    // Starting left of the source: its first column is outside and leaves the destination's alone.
    for (int i = 0; i < 12; ++i)
        a.pixels[i] = 0x111111;
    PXL_DIB_key_copy(&a, 0, 0, &b, -1, 0, 4, 1, 0x123456);
    EXPECT_EQ(a.pixels[0], 0x111111u);
    for (int x = 1; x < 4; ++x)
        EXPECT_EQ(a.pixels[x], b.pixels[x - 1]) << x;

    PXL_delete_DIB_surface(&a);
    PXL_delete_DIB_surface(&b);
    EXPECT_EQ(a.valid, 0);
}
