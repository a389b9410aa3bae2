// SPDX-License-Identifier: GPL-3.0-or-later
// The Moon page's drawing: the frame, the stretched picture and the mask
// combined by AND, at positions worked out from the layout rules.
#include <gtest/gtest.h>

#include "pages/moon_scene.h"

namespace orbant {
namespace {

using Kind = DrawItem::Kind;

TEST(MoonScene, PortraitHalfMoonFromTheRoundedPercentage) {
    // 240 x 320 portrait: left = trunc(69.6), top = trunc(166.4), right =
    // trunc(168.0), bottom = trunc(297.6); size 99; frame margins 40 and 10.
    // 49.5 % rounds to 50: b = 50 * 99 / 100 = 49, so the dark terminator
    // is the zero-width ellipse 49..50 and the left half 0..49 is shadow.
    const Scene scene = moon_scene({49.5, 1}, moon_picture_layout(240, 320, true));
    ASSERT_EQ(scene.items.size(), 7u);
    const DrawItem& frame = scene.items[0];
    EXPECT_EQ(frame.kind, Kind::rectangle);
    EXPECT_EQ(frame.rect, (SceneRect{29, 156, 208, 307}));
    EXPECT_EQ(frame.pen, moon_frame_rgb);
    EXPECT_EQ(frame.brush, moon_frame_rgb);

    const SceneRect square{69, 166, 168, 265};
    EXPECT_EQ(scene.items[1].kind, Kind::bitmap);
    EXPECT_EQ(scene.items[1].bitmap_id, 141);
    EXPECT_EQ(scene.items[1].rect, square);
    EXPECT_EQ(scene.items[2].kind, Kind::layer_begin);
    EXPECT_EQ(scene.items[2].rect, square);

    const DrawItem& white = scene.items[3];
    EXPECT_EQ(white.rect, (SceneRect{0, 0, 99, 99}));
    EXPECT_EQ(white.pen, moon_frame_rgb) << "the first square keeps the default pen";
    EXPECT_EQ(white.brush, moon_lit_rgb);
    const DrawItem& terminator = scene.items[4];
    EXPECT_EQ(terminator.kind, Kind::ellipse);
    EXPECT_EQ(terminator.rect, (SceneRect{49, 0, 50, 99}));
    EXPECT_FALSE(terminator.pen.has_value());
    EXPECT_EQ(terminator.brush, moon_shadow_rgb);
    EXPECT_EQ(scene.items[5].rect, (SceneRect{0, 0, 49, 99}));
    EXPECT_EQ(scene.items[5].brush, (Rgb{73, 77, 104}));

    EXPECT_EQ(scene.items[6].kind, Kind::layer_end);
    EXPECT_EQ(scene.items[6].mode, RasterMode::multiply);
    EXPECT_EQ(scene.items[6].rect, square);
}

// Bitmap 141 serves up to its own 113 device pixels; a larger square, in
// device pixels (window pixels times the screen's scale), takes the large
// picture.
TEST(MoonScene, TheLargePictureServesSquaresBeyond113DevicePixels) {
    struct Case {
        int size, scale, bitmap;
    };
    const Case cases[] = {{99, 1, 141}, {113, 1, 141}, {114, 1, 146}, {400, 1, 146},
                          {56, 2, 141}, {57, 2, 146},  {113, 0, 141}, {38, 3, 146}};
    for (const Case& c : cases) EXPECT_EQ(moon_bitmap_for(c.size, c.scale), c.bitmap) << c.size << " x" << c.scale;

    // The scene draws the chosen bitmap on the same square: 320 x 640
    // portrait gives left 92, right 224, a square of 132 pixels.
    const MoonPictureLayout large = moon_picture_layout(320, 640, true);
    ASSERT_EQ(large.size, 132);
    const Scene scene = moon_scene({50.0, 1}, large);
    EXPECT_EQ(scene.items[1].bitmap_id, moon_large_bitmap_id);
    EXPECT_EQ(scene.items[1].rect, (SceneRect{92, 332, 224, 464}));
    EXPECT_EQ(moon_scene({50.0, 1}, moon_picture_layout(240, 320, true), 2).items[1].bitmap_id, 146)
        << "99 window pixels are 198 device pixels at scale 2";
}

TEST(MoonScene, NoPictureOnAPageTooNarrowForIt) {
    // 2 pixels wide: left = trunc(0.58) = 0, right = trunc(1.4) = 1 gives
    // size 1; 1 pixel wide gives size 0 and only the frame.
    EXPECT_EQ(moon_scene({50.0, 0}, moon_picture_layout(2, 100, true)).items.size(), 7u);
    const Scene scene = moon_scene({50.0, 0}, moon_picture_layout(1, 100, true));
    ASSERT_EQ(scene.items.size(), 1u);
    EXPECT_EQ(scene.items[0].rect, (SceneRect{-40, 42, 40, 103}));
}

}  // namespace
}  // namespace orbant
