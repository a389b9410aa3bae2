#include "app/scene_painter.h"

#include <QString>
#include <optional>
#include <vector>

#include "platform/qt/qt_text.h"

namespace orbant {

namespace {

DrawMode draw_mode(RasterMode mode) {
    switch (mode) {
    case RasterMode::copy: return DrawMode::copy;
    case RasterMode::xor_pen: return DrawMode::xor_pen;
    case RasterMode::not_xor: return DrawMode::not_xor;
    case RasterMode::and_pen: return DrawMode::and_pen;
    case RasterMode::multiply: return DrawMode::multiply;
    }
    return DrawMode::copy;
}

QColor colour(Rgb c) { return QColor(c.red, c.green, c.blue); }

std::optional<QColor> colour(const std::optional<Rgb>& c) {
    if (!c) return std::nullopt;
    return colour(*c);
}

QRect qrect(SceneRect r) { return QRect(r.left, r.top, r.right - r.left, r.bottom - r.top); }

void draw_item(Canvas& canvas, const DrawItem& item, const QImage* bitmap) {
    const DrawMode mode = draw_mode(item.mode);
    switch (item.kind) {
    case DrawItem::Kind::pattern: {
        if (!item.pen) return;
        const QColor pen = colour(*item.pen);
        switch (item.pattern) {
        case PixelPattern::one: canvas.set_pixel(item.at.x, item.at.y, pen, mode); break;
        case PixelPattern::plus: canvas.draw_plus(item.at.x, item.at.y, pen, mode); break;
        case PixelPattern::square: canvas.draw_square3(item.at.x, item.at.y, pen, mode); break;
        }
        return;
    }
    case DrawItem::Kind::polyline: {
        if (!item.pen) return;
        std::vector<QPoint> points;
        points.reserve(item.points.size());
        for (const ScenePoint& p : item.points) points.emplace_back(p.x, p.y);
        canvas.draw_polyline(points, colour(*item.pen), mode);
        return;
    }
    case DrawItem::Kind::rectangle:
        canvas.draw_rectangle(qrect(item.rect), colour(item.pen), colour(item.brush), mode);
        return;
    case DrawItem::Kind::ellipse:
        canvas.draw_ellipse(qrect(item.rect), colour(item.pen), colour(item.brush), mode);
        return;
    case DrawItem::Kind::text:
        if (!item.pen) return;
        canvas.draw_text({item.at.x, item.at.y}, qt_text(item.text),
                         canvas_font(item.font.pixel_height, item.font.weight), colour(*item.pen),
                         colour(item.brush), mode);
        return;
    case DrawItem::Kind::bitmap:
        if (bitmap) canvas.draw_image(qrect(item.rect), *bitmap, mode);
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

void ScenePainter::paint(Canvas& canvas, const Scene& scene) {
    std::optional<Canvas> layer;
    for (const DrawItem& item : scene.items) {
        switch (item.kind) {
        case DrawItem::Kind::layer_begin:
            layer.emplace();
            layer->ensure_size(QSize(item.rect.right - item.rect.left, item.rect.bottom - item.rect.top), Qt::black);
            break;
        case DrawItem::Kind::layer_end:
            if (layer) canvas.draw_image(qrect(item.rect), layer->image(), draw_mode(item.mode));
            layer.reset();
            break;
        default:
            draw_item(layer ? *layer : canvas, item,
                      item.kind == DrawItem::Kind::bitmap ? &bitmap(item.bitmap_id) : nullptr);
            break;
        }
    }
}

TextExtent CanvasTextMeasure::measure(std::string_view utf8, SceneFont font) const {
    const QSize size = Canvas::text_size(qt_text(utf8), canvas_font(font.pixel_height, font.weight));
    return {size.width(), size.height()};
}

}  // namespace orbant
