// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/scene_painter.h"

#include <QString>
#include <algorithm>
#include <optional>
#include <vector>

#include "platform/qt/qt_text.h"

namespace orbant {

namespace {

QColor colour(Rgb c) { return QColor(c.red, c.green, c.blue); }

std::optional<QColor> colour(const std::optional<Rgb>& c) {
    if (!c) return std::nullopt;
    return colour(*c);
}

QRect qrect(SceneRect r, int k) { return QRect(r.left * k, r.top * k, (r.right - r.left) * k, (r.bottom - r.top) * k); }

void draw_item(Canvas& canvas, const DrawItem& item, const QImage* bitmap, int k) {
    const RasterMode mode = item.mode;
    switch (item.kind) {
    case DrawItem::Kind::pattern: {
        if (!item.pen) return;
        const QColor pen = colour(*item.pen);
        // The mark's centre: the device pixel nearest the window pixel's centre.
        const int x = item.at.x * k + k / 2, y = item.at.y * k + k / 2;
        switch (item.pattern) {
        case PixelPattern::one: canvas.set_pixel(x, y, pen, mode); break;
        case PixelPattern::plus: canvas.draw_plus(x, y, pen, mode); break;
        case PixelPattern::square: canvas.draw_square3(x, y, pen, mode); break;
        }
        return;
    }
    case DrawItem::Kind::polyline: {
        if (!item.pen) return;
        std::vector<QPoint> points;
        points.reserve(item.points.size());
        for (const ScenePoint& p : item.points) points.emplace_back(p.x * k, p.y * k);
        canvas.draw_polyline(points, colour(*item.pen), mode, item.pen_width);
        return;
    }
    case DrawItem::Kind::rectangle:
        canvas.draw_rectangle(qrect(item.rect, k), colour(item.pen), colour(item.brush), mode);
        return;
    case DrawItem::Kind::ellipse:
        canvas.draw_ellipse(qrect(item.rect, k), colour(item.pen), colour(item.brush), mode);
        return;
    case DrawItem::Kind::text:
        if (!item.pen) return;
        canvas.draw_text({item.at.x * k, item.at.y * k}, qt_text(item.text),
                         canvas_font(item.font.pixel_height * k, item.font.weight), colour(*item.pen),
                         colour(item.brush), mode);
        return;
    case DrawItem::Kind::bitmap:
        if (bitmap) canvas.draw_image(qrect(item.rect, k), *bitmap, mode);
        return;
    case DrawItem::Kind::layer_begin:
    case DrawItem::Kind::layer_end: return;  // handled by the painter
    }
}

}  // namespace

const QImage& ScenePainter::bitmap(int id) {
    auto it = bitmaps_.find(id);
    if (it == bitmaps_.end()) it = bitmaps_.emplace(id, QImage(QStringLiteral(":/bitmaps/%1").arg(id))).first;
    return it->second;
}

void ScenePainter::paint(Canvas& canvas, const Scene& scene, int scale) {
    const int k = std::max(1, scale);
    std::optional<Canvas> layer;
    for (const DrawItem& item : scene.items) {
        switch (item.kind) {
        case DrawItem::Kind::layer_begin:
            layer.emplace();
            layer->ensure_size(QSize((item.rect.right - item.rect.left) * k, (item.rect.bottom - item.rect.top) * k),
                               Qt::black);
            break;
        case DrawItem::Kind::layer_end:
            if (layer) canvas.draw_image(qrect(item.rect, k), layer->image(), item.mode);
            layer.reset();
            break;
        default:
            draw_item(layer ? *layer : canvas, item,
                      item.kind == DrawItem::Kind::bitmap ? &bitmap(item.bitmap_id) : nullptr, k);
            break;
        }
    }
}

TextExtent CanvasTextMeasure::measure(std::string_view utf8, SceneFont font) const {
    const QSize size = Canvas::text_size(qt_text(utf8), canvas_font(font.pixel_height, font.weight));
    return {size.width(), size.height()};
}

}  // namespace orbant
