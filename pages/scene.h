// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <cstdint>
#include <limits>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

// What a drawing page draws, as plain values: a list of items in drawing
// order, in logical page pixels (x to the right, y downwards). The pages
// compute it from their state; the window walks it onto its canvas and the
// text front end prints it, so both always agree.

namespace orbant {

// A colour by its red, green and blue components.
struct Rgb {
    std::uint8_t red = 0, green = 0, blue = 0;
    friend constexpr bool operator==(Rgb, Rgb) = default;
};

// The colour of 0xRRGGBB (higher bits ignored).
constexpr Rgb rgb_from_bits(unsigned bits) noexcept {
    return {static_cast<std::uint8_t>(bits >> 16), static_cast<std::uint8_t>(bits >> 8),
            static_cast<std::uint8_t>(bits)};
}

// Component-wise exclusive or, the colour a mark shows when it is drawn in
// XOR mode over `a`.
constexpr Rgb operator^(Rgb a, Rgb b) noexcept {
    return {static_cast<std::uint8_t>(a.red ^ b.red), static_cast<std::uint8_t>(a.green ^ b.green),
            static_cast<std::uint8_t>(a.blue ^ b.blue)};
}

// A pixel position on the page: x to the right, y downwards.
struct ScenePoint {
    int x = 0, y = 0;
    friend constexpr bool operator==(ScenePoint, ScenePoint) = default;
};

// The position of something that has no place on the page: not drawn and
// never hit. No page computes it as a pixel (the horizon geometry keeps
// its positions within +-1e9 pixels).
inline constexpr ScenePoint no_position{std::numeric_limits<int>::min(), std::numeric_limits<int>::min()};

// A pixel rectangle: left and top inside, right and bottom outside.
struct SceneRect {
    int left = 0, top = 0, right = 0, bottom = 0;
    friend constexpr bool operator==(SceneRect, SceneRect) = default;
};

// How an item combines with what is already drawn. Drawing an item twice
// in XOR or NOT-XOR restores every pixel it touched.
enum class RasterMode {
    copy,     // the item's colour replaces the pixel
    xor_pen,  // colour XOR pixel
    not_xor,  // NOT(colour XOR pixel)
    and_pen,  // colour AND pixel
    multiply, // each channel: colour * pixel / 255, rounded (white leaves the pixel as it is)
};

// The pixel marks: the single pixel, the plus of five pixels around it,
// the 3 x 3 square around it.
enum class PixelPattern { one, plus, square };

// A font of the page: Arial (Liberation Sans) at a pixel height and a
// weight on the 100..900 scale (400 normal).
struct SceneFont {
    int pixel_height = 11;
    int weight = 400;
    friend constexpr bool operator==(SceneFont, SceneFont) = default;
};

// One thing to draw. Which fields count depends on the kind:
// - pattern: `at` is the centre, `pen` the colour.
// - polyline: the segments from each point to the next in `pen`; each
//   segment leaves out its end point, so the last point is not drawn, and
//   every pixel is touched once however often the segments meet. With
//   `pen_width` w > 1 each pixel of the one-pixel line grows to the w x w
//   square from (w - 1) / 2 above and left of it, still each pixel once.
// - rectangle, ellipse: the rectangle `rect` or the ellipse inscribed in it
//   covers pixels inside `rect` only; with a pen its outermost pixels are the
//   one-pixel outline, the brush fills the rest, each pixel once. No pen (the
//   null pen): the brush fills the whole shape. No brush: hollow.
// - text: UTF-8 `text` in `font` with its top-left corner at `at`, glyphs in
//   `pen`; `brush` is the opaque background over the measured extent (none:
//   transparent).
// - bitmap: bitmap resource `bitmap_id` stretched onto `rect`.
// - layer_begin: the following items, up to layer_end, draw on a layer of
//   the size of `rect` (black at first) in the layer's own pixels; layers
//   do not nest.
// - layer_end: the layer is combined pixel by pixel onto `rect` (the place
//   its layer_begin gave) in `mode`.
struct DrawItem {
    enum class Kind { pattern, polyline, rectangle, ellipse, text, bitmap, layer_begin, layer_end };
    Kind kind = Kind::pattern;
    RasterMode mode = RasterMode::copy;
    std::optional<Rgb> pen;
    std::optional<Rgb> brush;
    PixelPattern pattern = PixelPattern::one;
    ScenePoint at;
    std::vector<ScenePoint> points;
    SceneRect rect;
    std::string text;
    SceneFont font;
    int bitmap_id = 0;
    int pen_width = 1;

    friend bool operator==(const DrawItem&, const DrawItem&) = default;
};

// A page's drawing: its items in order, with helpers that append one each.
struct Scene {
    std::vector<DrawItem> items;

    void pattern(ScenePoint centre, PixelPattern pattern, Rgb colour, RasterMode mode);
    void polyline(std::vector<ScenePoint> points, Rgb pen, RasterMode mode, int pen_width = 1);
    void line(ScenePoint from, ScenePoint to, Rgb pen, RasterMode mode, int pen_width = 1);
    void rectangle(SceneRect rect, std::optional<Rgb> pen, std::optional<Rgb> brush, RasterMode mode);
    void ellipse(SceneRect rect, std::optional<Rgb> pen, std::optional<Rgb> brush, RasterMode mode);
    void text(ScenePoint top_left, std::string text, SceneFont font, Rgb colour, std::optional<Rgb> background,
              RasterMode mode);
    void bitmap(int bitmap_id, SceneRect target, RasterMode mode);
    void begin_layer(SceneRect place);
    void end_layer(SceneRect place, RasterMode mode);

    friend bool operator==(const Scene&, const Scene&) = default;
};

// A text's extent as the canvas draws it: the advance width and the line
// height of the font, pixels.
struct TextExtent {
    int width = 0, height = 0;
    friend constexpr bool operator==(TextExtent, TextExtent) = default;
};

// Measures texts with the page's fonts, for scene functions that place
// texts by their size. The window measures with its real fonts.
class TextMeasure {
public:
    virtual ~TextMeasure() = default;
    virtual TextExtent measure(std::string_view utf8, SceneFont font) const = 0;
};

// A length of `pixels` at a pixel scale: the device pixels per page pixel
// of the canvas times the page's factor (1 on the hand-held's screens),
// rounded to whole pixels. Scale 1 keeps every length as it is.
inline int scaled_pixels(int pixels, double pixel_scale) noexcept {
    const double v = pixels * pixel_scale;
    return static_cast<int>(v < 0 ? v - 0.5 : v + 0.5);
}

// A font at a pixel scale: its height scaled, its weight kept.
inline SceneFont scaled_font(SceneFont font, double pixel_scale) noexcept {
    return {scaled_pixels(font.pixel_height, pixel_scale), font.weight};
}

// True when p lies in r: the left column and top row are inside, the right
// column and bottom row outside.
constexpr bool rect_contains(SceneRect r, ScenePoint p) noexcept {
    return p.x >= r.left && p.x < r.right && p.y >= r.top && p.y < r.bottom;
}

// The index of the first of `centres` whose rectangle (x - reach, y - reach,
// x + reach, y + reach) contains `tap`, or -1 when none does. Centres at
// no_position are never hit.
int first_hit(std::span<const ScenePoint> centres, ScenePoint tap, int reach) noexcept;

}  // namespace orbant
