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
