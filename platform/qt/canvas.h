#pragma once
#include <QColor>
#include <QImage>
#include <QPainter>
#include <QSize>

namespace orbant {

// How a drawing operation combines with the canvas (the device's raster
// operations).
enum class DrawMode {
    copy,     // source replaces destination
    xor_pen,  // source XOR destination (drawing twice restores)
    not_xor,  // NOT(source XOR destination)
    and_pen,  // source AND destination
};

// Sets a painter's composition for a draw mode (the canvas is RGB32, so the
// raster operations act on the colour bits exactly).
void set_draw_mode(QPainter& painter, DrawMode mode);

// The persistent drawing surface of a page: it keeps its pixels between
// paints as the device's screen does. "Invalidate with erasing" clears it
// first; "without erasing" draws over what is there. paintEvent only copies
// it to the window, so tests can read its pixels.
class Canvas {
public:
    // Makes sure the canvas has `size`; a new or resized canvas is cleared
    // to `background`. Returns true when it was (re)made.
    bool ensure_size(QSize size, QColor background);

    // Fills the whole canvas with `background`.
    void clear(QColor background);

    // Writes one pixel as the combined colour of the mode (outside: nothing).
    void set_pixel(int x, int y, QColor colour, DrawMode mode = DrawMode::copy);

    QImage& image() noexcept { return image_; }
    const QImage& image() const noexcept { return image_; }
    QSize size() const noexcept { return image_.size(); }
    QRgb pixel(int x, int y) const { return image_.pixel(x, y); }

    // Copies the canvas to a window's painter at (0, 0).
    void present(QPainter& painter) const;

private:
    QImage image_;
};

}  // namespace orbant
