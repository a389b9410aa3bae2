// SPDX-License-Identifier: GPL-3.0-or-later
// The canvas primitives on pixels: in XOR, NOT-XOR, AND and multiplying every primitive
// combines each pixel it covers once, with the colour the copy mode writes
// there, and drawing it twice in XOR or NOT-XOR restores the canvas; and a
// few pixels of each primitive worked out by hand.
#include <gtest/gtest.h>

#include <cmath>

#include <QFontInfo>
#include <QFontMetrics>
#include <array>
#include <functional>
#include <vector>

#include "ui/scene_painter.h"
#include "ui/canvas.h"

namespace orbant {
namespace {

constexpr QRgb rgb_bits = 0x00FFFFFFu;
const QSize canvas_size(24, 20);
const QColor pen_colour(200, 100, 50);
const QColor brush_colour(20, 180, 240);

// A background where every pixel differs from its neighbours.
void fill_noise(Canvas& c) {
    c.ensure_size(canvas_size, Qt::black);
    unsigned state = 12345u;
    for (int y = 0; y < canvas_size.height(); ++y)
        for (int x = 0; x < canvas_size.width(); ++x) {
            state = state * 1103515245u + 12345u;
            c.set_pixel(x, y, QColor::fromRgb((state >> 8) & rgb_bits));
        }
}

QRgb combined(QRgb src, QRgb dst, RasterMode mode) {
    switch (mode) {
    case RasterMode::xor_pen: return (src ^ dst) & rgb_bits;
    case RasterMode::not_xor: return ~(src ^ dst) & rgb_bits;
    case RasterMode::and_pen: return src & dst & rgb_bits;
    case RasterMode::multiply: {
        const auto channel = [](int a, int b) { return static_cast<int>(std::lround(a * b / 255.0)); };
        return qRgb(channel(qRed(src), qRed(dst)), channel(qGreen(src), qGreen(dst)),
                    channel(qBlue(src), qBlue(dst))) & rgb_bits;
    }
    case RasterMode::copy: break;
    }
    return src & rgb_bits;
}

// Pixels that differ from a uniform background, counted.
int changed_pixels(const Canvas& c, QRgb background) {
    int n = 0;
    for (int y = 0; y < c.size().height(); ++y)
        for (int x = 0; x < c.size().width(); ++x) n += (c.pixel(x, y) & rgb_bits) != background;
    return n;
}

struct Primitive {
    const char* name;
    std::function<void(Canvas&, RasterMode)> draw;
};

std::vector<Primitive> primitives() {
    const QFont font = canvas_font(13, 400);
    QImage picture(3, 2, QImage::Format_RGB32);
    for (int i = 0; i < 6; ++i) picture.setPixel(i % 3, i / 3, qRgb(40 * i, 255 - 30 * i, 7 * i));
    return {
        {"pixel", [](Canvas& c, RasterMode m) { c.set_pixel(3, 4, pen_colour, m); }},
        {"plus at the corner", [](Canvas& c, RasterMode m) { c.draw_plus(0, 0, pen_colour, m); }},
        {"square", [](Canvas& c, RasterMode m) { c.draw_square3(10, 10, pen_colour, m); }},
        {"polyline meeting and crossing itself",
         [](Canvas& c, RasterMode m) {
             const std::array<QPoint, 6> p{{{1, 1}, {20, 15}, {20, 2}, {2, 17}, {2, 1}, {1, 1}}};
             c.draw_polyline(p, pen_colour, m);
         }},
        {"line from far outside",
         [](Canvas& c, RasterMode m) {
             const std::array<QPoint, 2> p{{{-100000, -40000}, {30, 12}}};
             c.draw_polyline(p, pen_colour, m);
         }},
        {"wide polyline crossing itself, clipped at the left",
         [](Canvas& c, RasterMode m) {
             const std::array<QPoint, 4> p{{{-1, 3}, {20, 15}, {20, 4}, {-2, 14}}};
             c.draw_polyline(p, pen_colour, m, 3);
         }},
        {"rectangle", [](Canvas& c, RasterMode m) { c.draw_rectangle({2, 3, 9, 6}, pen_colour, brush_colour, m); }},
        {"rectangle, null pen",
         [](Canvas& c, RasterMode m) { c.draw_rectangle({-3, 15, 9, 9}, std::nullopt, brush_colour, m); }},
        {"ellipse", [](Canvas& c, RasterMode m) { c.draw_ellipse({3, 2, 13, 11}, pen_colour, brush_colour, m); }},
        {"ellipse, null pen, clipped",
         [](Canvas& c, RasterMode m) { c.draw_ellipse({16, 10, 12, 12}, std::nullopt, brush_colour, m); }},
        {"hollow ellipse", [](Canvas& c, RasterMode m) { c.draw_ellipse({1, 1, 8, 8}, pen_colour, std::nullopt, m); }},
        {"text on its background",
         [font](Canvas& c, RasterMode m) { c.draw_text({1, 2}, "Wäg", font, pen_colour, brush_colour, m); }},
        {"text alone", [font](Canvas& c, RasterMode m) { c.draw_text({-2, 8}, "N 20°", font, pen_colour, {}, m); }},
        {"stretched picture", [picture](Canvas& c, RasterMode m) { c.draw_image({5, 5, 7, 5}, picture, m); }},
    };
}

TEST(CanvasPrimitives, EachCoveredPixelIsCombinedOnceAndXorDrawingUndoes) {
    constexpr QRgb unused = 0x010203u;  // no primitive writes this colour
    for (const Primitive& primitive : primitives()) {
        SCOPED_TRACE(primitive.name);
        Canvas copy;
        copy.ensure_size(canvas_size, QColor::fromRgb(unused));
        primitive.draw(copy, RasterMode::copy);
        ASSERT_GT(changed_pixels(copy, unused), 0);

        for (RasterMode mode : {RasterMode::xor_pen, RasterMode::not_xor, RasterMode::and_pen, RasterMode::multiply}) {
            SCOPED_TRACE(static_cast<int>(mode));
            Canvas c;
            fill_noise(c);
            const QImage before = c.image().copy();
            primitive.draw(c, mode);
            int wrong = 0;
            for (int y = 0; y < canvas_size.height(); ++y)
                for (int x = 0; x < canvas_size.width(); ++x) {
                    const QRgb old = before.pixel(x, y) & rgb_bits, src = copy.pixel(x, y) & rgb_bits;
                    const QRgb expected = src == unused ? old : combined(src, old, mode);
                    wrong += (c.pixel(x, y) & rgb_bits) != expected;
                }
            EXPECT_EQ(wrong, 0);
            if (mode == RasterMode::and_pen || mode == RasterMode::multiply) continue;
            primitive.draw(c, mode);
            EXPECT_EQ(c.image(), before) << "drawn twice";
        }
    }
}

TEST(CanvasPrimitives, KeepsItsPixelsAndCombinesByMode) {
    Canvas c;
    EXPECT_TRUE(c.ensure_size(QSize(10, 8), Qt::black));
    EXPECT_FALSE(c.ensure_size(QSize(10, 8), Qt::white));  // same size: pixels kept
    EXPECT_EQ(c.pixel(3, 3), qRgb(0, 0, 0));
    c.set_pixel(3, 3, QColor(0x12, 0x34, 0x56));
    c.set_pixel(3, 3, QColor(0xFF, 0x00, 0x0F), RasterMode::xor_pen);
    EXPECT_EQ(c.pixel(3, 3), qRgb(0xED, 0x34, 0x59));
    c.set_pixel(3, 3, QColor(0xFF, 0x00, 0x0F), RasterMode::xor_pen);
    EXPECT_EQ(c.pixel(3, 3), qRgb(0x12, 0x34, 0x56));
    c.set_pixel(3, 3, QColor(0x0F, 0xF0, 0xFF), RasterMode::and_pen);
    EXPECT_EQ(c.pixel(3, 3), qRgb(0x02, 0x30, 0x56));
    c.set_pixel(3, 3, QColor(0x00, 0x00, 0x00), RasterMode::not_xor);
    EXPECT_EQ(c.pixel(3, 3), qRgb(0xFD, 0xCF, 0xA9));
    // Multiplying: white keeps the pixel, a colour scales each channel.
    c.set_pixel(4, 3, QColor(200, 100, 50));
    c.set_pixel(4, 3, Qt::white, RasterMode::multiply);
    EXPECT_EQ(c.pixel(4, 3), qRgb(200, 100, 50));
    c.set_pixel(4, 3, QColor(73, 77, 104), RasterMode::multiply);
    EXPECT_EQ(c.pixel(4, 3), qRgb(57, 30, 20));
    c.set_pixel(4, 3, QColor(255, 255, 128), RasterMode::multiply);
    EXPECT_EQ(c.pixel(4, 3), qRgb(57, 30, 10));  // 20 * 128 / 255 = 10.04
    c.set_pixel(-1, 0, Qt::red);  // outside: nothing
    c.set_pixel(10, 0, Qt::red);

    EXPECT_TRUE(c.ensure_size(QSize(4, 4), Qt::white));
    EXPECT_EQ(c.pixel(0, 0), qRgb(255, 255, 255));
}

TEST(CanvasPrimitives, PixelsWorkedOutByHand) {
    constexpr QRgb white = rgb_bits;
    const QRgb pen = pen_colour.rgb() & rgb_bits, brush = brush_colour.rgb() & rgb_bits;
    Canvas c;
    const auto at = [&c](int x, int y) { return c.pixel(x, y) & rgb_bits; };
    struct Pixel {
        int x, y;
        QRgb colour;
    };
    const auto expect_pixels = [&at](std::initializer_list<Pixel> pixels) {
        for (const Pixel& p : pixels) EXPECT_EQ(at(p.x, p.y), p.colour) << p.x << "," << p.y;
    };

    // The line (1, 1) to (6, 3): y = 1 + round(2 i / 5), halves away from
    // the start, for i = 0..4; the end point stays blank.
    c.ensure_size(canvas_size, Qt::white);
    const std::array<QPoint, 2> line{{{1, 1}, {6, 3}}};
    c.draw_polyline(line, pen_colour, RasterMode::copy);
    expect_pixels({{1, 1, pen}, {2, 1, pen}, {3, 2, pen}, {4, 2, pen}, {5, 3, pen}});
    EXPECT_EQ(changed_pixels(c, white), 5);

    // A corner in XOR: the shared vertex (3, 0) is combined once.
    c.clear(Qt::white);
    const std::array<QPoint, 3> corner{{{0, 0}, {3, 0}, {3, 3}}};
    c.draw_polyline(corner, pen_colour, RasterMode::xor_pen);
    EXPECT_EQ(at(3, 0), pen ^ white);
    EXPECT_EQ(at(3, 3), white);
    EXPECT_EQ(changed_pixels(c, white), 6);

    // The same corner two pixels wide: each pixel of the thin corner grows
    // to the 2 x 2 square right of and below it; (0..4) x (0..1) and
    // (3..4) x (2..3), the square of the vertex (3, 0) counted once.
    c.clear(Qt::white);
    c.draw_polyline(corner, pen_colour, RasterMode::xor_pen, 2);
    EXPECT_EQ(at(4, 1), pen ^ white);
    EXPECT_EQ(at(4, 3), pen ^ white);
    EXPECT_EQ(at(3, 4), white);
    EXPECT_EQ(changed_pixels(c, white), 14);

    // Plus and square.
    c.clear(Qt::white);
    c.draw_plus(5, 5, pen_colour, RasterMode::copy);
    c.draw_square3(15, 5, pen_colour, RasterMode::copy);
    expect_pixels({{5, 4, pen}, {6, 5, pen}, {6, 6, white}, {14, 4, pen}, {16, 6, pen}, {17, 5, white}});
    EXPECT_EQ(changed_pixels(c, white), 14);

    // The rectangle (1, 1, 5, 4): outline on its outermost pixels, the
    // brush on the two inside; right and bottom outside.
    c.clear(Qt::white);
    c.draw_rectangle({1, 1, 4, 3}, pen_colour, brush_colour, RasterMode::copy);
    expect_pixels({{1, 1, pen}, {4, 3, pen}, {2, 2, brush}, {3, 2, brush}, {5, 2, white}, {2, 4, white}});
    EXPECT_EQ(changed_pixels(c, white), 12);

    // The circle in (0, 0, 12, 12): the corners stay blank, the middle of
    // the left column is outline, the centre brush, and nothing outside the
    // box is touched (the shape itself is Qt's aliased fill).
    c.clear(Qt::white);
    c.draw_ellipse({0, 0, 12, 12}, pen_colour, brush_colour, RasterMode::copy);
    expect_pixels({{0, 0, white}, {11, 11, white}, {0, 6, pen}, {11, 6, pen}, {1, 6, brush}, {6, 6, brush}});
    for (int i = 0; i < 14; ++i) {
        EXPECT_EQ(at(12, i), white);
        EXPECT_EQ(at(i, 12), white);
    }

    // A 2 x 1 picture stretched onto 4 x 2: each source pixel becomes a
    // 2 x 2 block.
    c.clear(Qt::white);
    QImage picture(2, 1, QImage::Format_RGB32);
    picture.setPixel(0, 0, qRgb(1, 2, 3));
    picture.setPixel(1, 0, qRgb(4, 5, 6));
    c.draw_image({10, 10, 4, 2}, picture, RasterMode::copy);
    EXPECT_EQ(at(11, 11), qRgb(1, 2, 3) & rgb_bits);
    EXPECT_EQ(at(12, 10), qRgb(4, 5, 6) & rgb_bits);
    EXPECT_EQ(changed_pixels(c, white), 8);
}

TEST(CanvasPrimitives, TextInLiberationSansMeasuredAsDrawn) {
    const QFont font = canvas_font(16, 500);
    EXPECT_EQ(QFontInfo(font).family(), "Liberation Sans");
    EXPECT_EQ(QFontInfo(font).pixelSize(), 16);
    const QSize extent = Canvas::text_size("SW", font);
    EXPECT_EQ(extent, QSize(QFontMetrics(font).horizontalAdvance("SW"), QFontMetrics(font).height()));

    // The opaque background covers exactly the measured extent; the glyphs
    // are drawn in the text colour only (no antialiasing) and inside it.
    Canvas c;
    c.ensure_size(QSize(40, 30), Qt::white);
    c.draw_text({5, 4}, "SW", font, Qt::black, QColor(Qt::yellow), RasterMode::copy);
    int glyph = 0;
    for (int y = 0; y < 30; ++y)
        for (int x = 0; x < 40; ++x) {
            const bool inside = x >= 5 && x < 5 + extent.width() && y >= 4 && y < 4 + extent.height();
            const QRgb p = c.pixel(x, y) & rgb_bits;
            if (!inside) {
                EXPECT_EQ(p, rgb_bits) << x << "," << y;
            } else {
                EXPECT_TRUE(p == 0u || p == (QColor(Qt::yellow).rgb() & rgb_bits)) << x << "," << y;
                glyph += p == 0u;
            }
        }
    EXPECT_GT(glyph, 20);

    // The measure the scenes use is the canvas's.
    EXPECT_EQ(CanvasTextMeasure().measure("SW", {16, 500}), (TextExtent{extent.width(), extent.height()}));
}

TEST(ScenePainterTest, SceneDrawnTwiceInXorLeavesTheCanvasAsItWas) {
    Scene scene;
    const Rgb sky{61, 62, 109};
    scene.ellipse({40, 40, 52, 52}, std::nullopt, sky ^ Rgb{255, 255, 255}, RasterMode::xor_pen);
    scene.pattern({10, 10}, PixelPattern::square, sky ^ Rgb{255, 0, 0}, RasterMode::xor_pen);
    scene.pattern({11, 11}, PixelPattern::plus, sky ^ Rgb{255, 255, 255}, RasterMode::xor_pen);
    scene.polyline({{5, 30}, {60, 35}, {30, 5}}, sky ^ Rgb{150, 150, 150}, RasterMode::xor_pen);
    scene.text({20, 50}, "Vega (0.03)", {13, 400}, sky ^ Rgb{255, 255, 255}, sky, RasterMode::not_xor);
    scene.rectangle({0, 0, 64, 64}, Rgb{1, 2, 3}, std::nullopt, RasterMode::not_xor);

    Canvas c;
    c.ensure_size(QSize(64, 64), QColor(sky.red, sky.green, sky.blue));
    const QImage before = c.image().copy();
    ScenePainter painter;
    painter.paint(c, scene);
    EXPECT_EQ(c.pixel(46, 46) & rgb_bits, 0xFFFFFFu) << "the Moon shows white on the sky";
    EXPECT_EQ(c.pixel(9, 9) & rgb_bits, 0xFF0000u) << "a planet shows red";
    EXPECT_NE(c.image(), before);
    painter.paint(c, scene);
    EXPECT_EQ(c.image(), before);
}

}  // namespace
}  // namespace orbant

namespace orbant {
namespace {

// A scene painted at two device pixels per window pixel covers each window
// pixel's 2 x 2 device pixels with what the unscaled painting gives it:
// rectangles and a layer combined by multiplying.
TEST(ScenePainterScale, TwoDevicePixelsPerWindowPixel) {
    Scene scene;
    scene.rectangle({2, 3, 11, 9}, std::nullopt, Rgb{200, 120, 40}, RasterMode::copy);
    scene.rectangle({5, 1, 14, 6}, std::nullopt, Rgb{0, 255, 128}, RasterMode::xor_pen);
    scene.begin_layer({4, 4, 12, 10});
    scene.rectangle({0, 0, 8, 6}, std::nullopt, Rgb{255, 255, 255}, RasterMode::copy);
    scene.rectangle({0, 0, 3, 6}, std::nullopt, Rgb{73, 77, 104}, RasterMode::copy);
    scene.end_layer({4, 4, 12, 10}, RasterMode::multiply);
    ScenePainter painter;
    Canvas one, two;
    one.ensure_size(QSize(16, 12), Qt::white);
    two.ensure_size(QSize(32, 24), Qt::white);
    painter.paint(one, scene);
    painter.paint(two, scene, 2);
    int wrong = 0;
    for (int y = 0; y < 12; ++y)
        for (int x = 0; x < 16; ++x)
            for (int d = 0; d < 4; ++d) wrong += two.pixel(2 * x + d % 2, 2 * y + d / 2) != one.pixel(x, y);
    EXPECT_EQ(wrong, 0);
}

}  // namespace
}  // namespace orbant
