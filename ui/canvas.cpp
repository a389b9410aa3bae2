// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/canvas.h"

#include <QFontMetrics>
#include <algorithm>
#include <cstdlib>
#include <vector>

namespace orbant {

namespace {

// The colour bits of `src` combined with those of `dst` in the mode, opaque.
QRgb combined(QRgb src, QRgb dst, RasterMode mode) {
    src &= 0x00FFFFFFu;
    dst &= 0x00FFFFFFu;
    QRgb out = src;
    switch (mode) {
    case RasterMode::copy: out = src; break;
    case RasterMode::xor_pen: out = src ^ dst; break;
    case RasterMode::not_xor: out = ~(src ^ dst) & 0x00FFFFFFu; break;
    case RasterMode::and_pen: out = src & dst; break;
    case RasterMode::multiply: {
        out = 0;
        for (int shift : {0, 8, 16}) {
            const QRgb s = (src >> shift) & 0xFFu, d = (dst >> shift) & 0xFFu;
            out |= ((s * d + 127u) / 255u) << shift;
        }
        break;
    }
    }
    return 0xFF000000u | out;
}

// Appends the canvas-pixel indices (y * width + x) of the Bresenham line
// from `a` towards `b`, end point excluded, inside a width x height canvas.
// Step i along the major axis moves the minor coordinate by
// round(i * minor / major), halves rounded away from `a`.
void append_segment(QPoint a, QPoint b, int width, int height, std::vector<long long>& out) {
    const long long dx = static_cast<long long>(b.x()) - a.x();
    const long long dy = static_cast<long long>(b.y()) - a.y();
    const long long adx = std::llabs(dx), ady = std::llabs(dy);
    const bool x_major = adx >= ady;
    const long long major = x_major ? adx : ady, minor = x_major ? ady : adx;
    if (major == 0) return;
    const long long major_start = x_major ? a.x() : a.y();
    const long long minor_start = x_major ? a.y() : a.x();
    const long long major_step = (x_major ? dx : dy) < 0 ? -1 : 1;
    const long long minor_step = (x_major ? dy : dx) < 0 ? -1 : 1;
    const long long major_limit = x_major ? width : height, minor_limit = x_major ? height : width;
    // The steps whose major coordinate lies on the canvas.
    long long first = 0, end = major;
    if (major_step > 0) {
        first = std::max(first, -major_start);
        end = std::min(end, major_limit - major_start);
    } else {
        first = std::max(first, major_start - (major_limit - 1));
        end = std::min(end, major_start + 1);
    }
    for (long long i = first; i < end; ++i) {
        const long long m = major_start + major_step * i;
        const long long n = minor_start + minor_step * ((2 * minor * i + major) / (2 * major));
        if (n < 0 || n >= minor_limit) continue;
        const long long x = x_major ? m : n, y = x_major ? n : m;
        out.push_back(y * width + x);
    }
}

// A transparent premultiplied image for rendering one primitive's pixels.
QImage transparent_layer(QSize size) {
    QImage layer(size, QImage::Format_ARGB32_Premultiplied);
    layer.fill(Qt::transparent);
    return layer;
}

}  // namespace

QFont canvas_font(int pixel_height, int weight) {
    QFont font(QStringLiteral("Liberation Sans"));
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(std::max(1, pixel_height));
    font.setWeight(static_cast<QFont::Weight>(std::clamp(weight, 1, 1000)));
    font.setStyleStrategy(QFont::NoAntialias);
    return font;
}

bool Canvas::ensure_size(QSize size, QColor background) {
    if (image_.size() == size && !image_.isNull()) return false;
    image_ = QImage(size.expandedTo(QSize(1, 1)), QImage::Format_RGB32);
    image_.fill(background);
    return true;
}

void Canvas::clear(QColor background) { image_.fill(background); }

void Canvas::set_pixel(int x, int y, QColor colour, RasterMode mode) {
    if (!image_.valid(x, y)) return;
    QRgb* line = reinterpret_cast<QRgb*>(image_.scanLine(y));
    line[x] = combined(colour.rgb(), line[x], mode);
}

void Canvas::draw_plus(int x, int y, QColor colour, RasterMode mode) {
    set_pixel(x, y, colour, mode);
    set_pixel(x + 1, y, colour, mode);
    set_pixel(x - 1, y, colour, mode);
    set_pixel(x, y + 1, colour, mode);
    set_pixel(x, y - 1, colour, mode);
}

void Canvas::draw_square3(int x, int y, QColor colour, RasterMode mode) {
    for (int dy = -1; dy <= 1; ++dy)
        for (int dx = -1; dx <= 1; ++dx) set_pixel(x + dx, y + dy, colour, mode);
}

void Canvas::draw_polyline(std::span<const QPoint> points, QColor pen, RasterMode mode, int width) {
    const int w = image_.width(), h = image_.height();
    if (points.size() < 2 || image_.isNull()) return;
    const QRgb src = pen.rgb();
    std::vector<long long> pixels;
    if (width <= 1) {
        for (std::size_t i = 0; i + 1 < points.size(); ++i) append_segment(points[i], points[i + 1], w, h, pixels);
        std::sort(pixels.begin(), pixels.end());
        pixels.erase(std::unique(pixels.begin(), pixels.end()), pixels.end());
        for (long long p : pixels) {
            QRgb* line = reinterpret_cast<QRgb*>(image_.scanLine(static_cast<int>(p / w)));
            QRgb& dst = line[p % w];
            dst = combined(src, dst, mode);
        }
        return;
    }
    // The one-pixel line on a canvas grown by the pen's reach; each of its
    // pixels spreads to the pen's square, a run of `width` columns on each
    // of `width` rows. The runs are bucketed by row, and the overlapping
    // runs of a row merged, so each pixel is combined once.
    const int before = (width - 1) / 2, margin = width - 1;
    const int gw = w + 2 * margin, gh = h + 2 * margin;
    const QPoint shift(margin, margin);
    for (std::size_t i = 0; i + 1 < points.size(); ++i)
        append_segment(points[i] + shift, points[i + 1] + shift, gw, gh, pixels);
    struct Run {
        int from, to;
    };
    std::vector<int> count(static_cast<std::size_t>(h) + 1, 0);
    const auto rows_of = [&](long long p, int& y0, int& y1) {
        const int cy = static_cast<int>(p / gw) - margin;
        y0 = std::max(0, cy - before);
        y1 = std::min(h, cy - before + width);
    };
    for (long long p : pixels) {
        int y0 = 0, y1 = 0;
        rows_of(p, y0, y1);
        for (int y = y0; y < y1; ++y) ++count[static_cast<std::size_t>(y) + 1];
    }
    for (std::size_t y = 1; y < count.size(); ++y) count[y] += count[y - 1];
    std::vector<Run> runs(static_cast<std::size_t>(count.back()));
    std::vector<int> next(count.begin(), count.end() - 1);
    for (long long p : pixels) {
        const int cx = static_cast<int>(p % gw) - margin;
        int y0 = 0, y1 = 0;
        rows_of(p, y0, y1);
        for (int y = y0; y < y1; ++y)
            runs[static_cast<std::size_t>(next[static_cast<std::size_t>(y)]++)] = {cx - before, cx - before + width};
    }
    for (int y = 0; y < h; ++y) {
        const auto first = runs.begin() + count[static_cast<std::size_t>(y)];
        const auto last = runs.begin() + count[static_cast<std::size_t>(y) + 1];
        if (first == last) continue;
        std::sort(first, last, [](const Run& a, const Run& b) { return a.from < b.from; });
        QRgb* line = reinterpret_cast<QRgb*>(image_.scanLine(y));
        int done = 0;  // the columns left of `done` are combined already
        for (auto r = first; r != last; ++r) {
            for (int x = std::max({r->from, done, 0}); x < std::min(r->to, w); ++x)
                line[x] = combined(src, line[x], mode);
            done = std::max(done, r->to);
        }
    }
}

void Canvas::draw_rectangle(QRect box, std::optional<QColor> pen, std::optional<QColor> brush, RasterMode mode) {
    if (box.width() <= 0 || box.height() <= 0 || (!pen && !brush)) return;
    const int left = box.left(), top = box.top();
    const int right = left + box.width(), bottom = top + box.height();  // exclusive
    const int x0 = std::max(left, 0), x1 = std::min(right, image_.width());
    const int y0 = std::max(top, 0), y1 = std::min(bottom, image_.height());
    // The colours are worked out once; a row's run between the outline's
    // columns takes one colour, so a copy fills it at once.
    struct Colour {
        bool set;
        QRgb rgb;
    };
    const Colour pen_rgb{pen.has_value(), pen ? pen->rgb() : 0u};
    const Colour brush_rgb{brush.has_value(), brush ? brush->rgb() : 0u};
    const auto run = [mode](QRgb* line, int from, int to, Colour colour) {
        if (!colour.set || from >= to) return;
        if (mode == RasterMode::copy) {
            std::fill(line + from, line + to, combined(colour.rgb, 0, mode));
            return;
        }
        for (int x = from; x < to; ++x) line[x] = combined(colour.rgb, line[x], mode);
    };
    for (int y = y0; y < y1; ++y) {
        QRgb* line = reinterpret_cast<QRgb*>(image_.scanLine(y));
        const bool edge_row = y == top || y == bottom - 1;
        if (pen && edge_row) {
            run(line, x0, x1, pen_rgb);
            continue;
        }
        if (!pen) {
            run(line, x0, x1, brush_rgb);
            continue;
        }
        // The outline's columns and the brush between them.
        if (left >= x0 && left < x1) run(line, left, left + 1, pen_rgb);
        run(line, std::max(x0, left + 1), std::min(x1, right - 1), brush_rgb);
        if (right - 1 > left && right - 1 >= x0 && right - 1 < x1) run(line, right - 1, right, pen_rgb);
    }
}

void Canvas::draw_ellipse(QRect box, std::optional<QColor> pen, std::optional<QColor> brush, RasterMode mode) {
    if (box.width() <= 0 || box.height() <= 0 || (!pen && !brush) || image_.isNull()) return;
    // The shape over the canvas and a one-pixel margin around it, so that
    // the outline test sees the neighbours of the pixels at the edges.
    const QRect region = box & image_.rect().adjusted(-1, -1, 1, 1);
    if (region.isEmpty()) return;
    QImage shape = transparent_layer(region.size());
    {
        QPainter p(&shape);
        p.translate(-region.topLeft());
        p.setPen(Qt::NoPen);
        p.setBrush(Qt::white);
        p.drawEllipse(QRectF(box));
    }
    const auto inside = [&](int x, int y) {
        const QPoint at(x - region.left(), y - region.top());
        return shape.valid(at) && qAlpha(shape.pixel(at)) != 0;
    };
    const QRect visible = region & image_.rect();
    for (int y = visible.top(); y <= visible.bottom(); ++y) {
        QRgb* line = reinterpret_cast<QRgb*>(image_.scanLine(y));
        for (int x = visible.left(); x <= visible.right(); ++x) {
            if (!inside(x, y)) continue;
            const bool edge =
                pen && (!inside(x - 1, y) || !inside(x + 1, y) || !inside(x, y - 1) || !inside(x, y + 1));
            const QColor* colour = edge ? &*pen : brush ? &*brush : nullptr;
            if (colour) line[x] = combined(colour->rgb(), line[x], mode);
        }
    }
}

QSize Canvas::text_size(const QString& text, const QFont& font) {
    const QFontMetrics metrics(font);
    return {metrics.horizontalAdvance(text), metrics.height()};
}

void Canvas::draw_text(QPoint top_left, const QString& text, const QFont& font, QColor colour,
                       std::optional<QColor> background, RasterMode mode) {
    if (text.isEmpty() || image_.isNull()) return;
    const QFontMetrics metrics(font);
    const QSize extent(metrics.horizontalAdvance(text), metrics.height());
    // Room around the extent for glyphs that overhang their advance box.
    const int pad = extent.height();
    QImage layer = transparent_layer(extent + QSize(2 * pad, 2 * pad));
    {
        QPainter p(&layer);
        if (background) p.fillRect(QRect(QPoint(pad, pad), extent), *background);
        p.setFont(font);
        p.setPen(colour);
        p.drawText(QPoint(pad, pad + metrics.ascent()), text);
    }
    combine_layer(top_left - QPoint(pad, pad), layer, mode);
}

void Canvas::draw_image(QRect target, const QImage& source, RasterMode mode) {
    const QRect visible = target & image_.rect();
    if (visible.isEmpty() || source.isNull()) return;
    QImage layer = transparent_layer(visible.size());
    {
        QPainter p(&layer);
        p.translate(-visible.topLeft());
        p.drawImage(target, source.convertToFormat(QImage::Format_RGB32));
    }
    combine_layer(visible.topLeft(), layer, mode);
}

void Canvas::combine_layer(QPoint origin, const QImage& layer, RasterMode mode) {
    const QRect area = QRect(origin, layer.size()) & image_.rect();
    for (int y = area.top(); y <= area.bottom(); ++y) {
        const QRgb* src = reinterpret_cast<const QRgb*>(layer.constScanLine(y - origin.y()));
        QRgb* dst = reinterpret_cast<QRgb*>(image_.scanLine(y));
        for (int x = area.left(); x <= area.right(); ++x) {
            const QRgb s = src[x - origin.x()];
            if (qAlpha(s) == 0) continue;
            dst[x] = combined(s, dst[x], mode);
        }
    }
}

void Canvas::present(QPainter& painter, int scale) const {
    if (scale <= 1) {
        painter.drawImage(0, 0, image_);
        return;
    }
    painter.drawImage(QRect(0, 0, image_.width() / scale, image_.height() / scale), image_);
}

}  // namespace orbant
