// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QColor>
#include <QFont>
#include <QImage>
#include <QPainter>
#include <QPoint>
#include <QRect>
#include <QSize>
#include <QString>
#include <optional>
#include <span>

#include "pages/scene.h"

namespace orbant {

// The font "Arial" of the drawing pages: Liberation Sans at `pixel_height`
// pixels (the em size) and `weight` (100..900), without antialiasing, so
// every glyph pixel is either drawn or not and XOR drawing stays exact.
QFont canvas_font(int pixel_height, int weight);

// The persistent drawing surface of a page: it keeps its pixels between
// paints as the device's screen does. "Invalidate with erasing" clears it
// first; "without erasing" draws over what is there. paintEvent only copies
// it to the window, so tests can read its pixels.
//
// Every primitive first works out the set of pixels it covers and the
// colour of each, then combines each covered pixel once with the canvas in
// the mode; so in XOR and NOT-XOR a second identical drawing restores every
// pixel, and a drawing in XOR shows exactly the colours the copy mode would
// write, combined with what was there. Nothing is antialiased; whatever lies
// outside the canvas is clipped.
class Canvas {
public:
    // Makes sure the canvas has `size`; a new or resized canvas is cleared
    // to `background`. Returns true when it was (re)made.
    bool ensure_size(QSize size, QColor background);

    // Fills the whole canvas with `background`.
    void clear(QColor background);

    // Writes one pixel as the combined colour of the mode (outside: nothing).
    // The modes are the scenes' RasterMode; the canvas is RGB32, so they act
    // on the colour bits exactly.
    void set_pixel(int x, int y, QColor colour, RasterMode mode = RasterMode::copy);
    // The plus of five pixels: (x, y) and its four neighbours.
    void draw_plus(int x, int y, QColor colour, RasterMode mode);
    // The 3 x 3 square of pixels around (x, y).
    void draw_square3(int x, int y, QColor colour, RasterMode mode);

    // Segments from each point to the next, as the device's line drawing
    // does: each segment covers the pixels of the Bresenham line from its
    // start up to but not including its end, so the last point is not drawn
    // and a single point draws nothing. Every pixel is touched once, also
    // where segments share a vertex or cross. A `width` w > 1 grows each
    // pixel of that line to the w x w square from (w - 1) / 2 above and
    // left of it, each pixel of the union still touched once.
    void draw_polyline(std::span<const QPoint> points, QColor pen, RasterMode mode, int width = 1);

    // The rectangle covering `box` (right and bottom exclusive: QRect's
    // left() .. left() + width() - 1). With a pen the outermost pixels are
    // the one-pixel outline; the brush fills the rest, or the whole box
    // without a pen. Neither: nothing.
    void draw_rectangle(QRect box, std::optional<QColor> pen, std::optional<QColor> brush, RasterMode mode);

    // The ellipse inscribed in `box`: its pixels are those whose centres lie
    // inside the ellipse (Qt's non-antialiased fill of QRectF(box)). With a
    // pen, the pixels of that shape that have a left, right, upper or lower
    // neighbour outside it form the outline and the brush fills the rest;
    // without a pen the brush fills the whole shape.
    void draw_ellipse(QRect box, std::optional<QColor> pen, std::optional<QColor> brush, RasterMode mode);

    // Text with its top-left corner at `top_left` (the line's top, not its
    // baseline), glyphs in `colour`; with a background, the measured extent
    // (text_size at top_left) is filled first, opaque, as the device's text
    // output does.
    void draw_text(QPoint top_left, const QString& text, const QFont& font, QColor colour,
                   std::optional<QColor> background, RasterMode mode);
    // The advance width and the line height of `text` in `font`, pixels.
    static QSize text_size(const QString& text, const QFont& font);

    // `source` stretched onto `target` (no smoothing), combined pixel by
    // pixel.
    void draw_image(QRect target, const QImage& source, RasterMode mode);

    QImage& image() noexcept { return image_; }
    const QImage& image() const noexcept { return image_; }
    QSize size() const noexcept { return image_.size(); }
    QRgb pixel(int x, int y) const { return image_.pixel(x, y); }

    // Copies the canvas to a window's painter at (0, 0); a canvas drawn at
    // `scale` device pixels per window pixel covers 1/scale of its size.
    void present(QPainter& painter, int scale = 1) const;

private:
    // Combines the opaque pixels of `layer` (alpha not 0) with the canvas,
    // the layer's (0, 0) at `origin`.
    void combine_layer(QPoint origin, const QImage& layer, RasterMode mode);

    QImage image_;
};

}  // namespace orbant
