#include "platform/qt/canvas.h"

namespace orbant {

void set_draw_mode(QPainter& painter, DrawMode mode) {
    switch (mode) {
    case DrawMode::copy: painter.setCompositionMode(QPainter::CompositionMode_SourceOver); break;
    case DrawMode::xor_pen: painter.setCompositionMode(QPainter::RasterOp_SourceXorDestination); break;
    case DrawMode::not_xor: painter.setCompositionMode(QPainter::RasterOp_NotSourceXorDestination); break;
    case DrawMode::and_pen: painter.setCompositionMode(QPainter::RasterOp_SourceAndDestination); break;
    }
}

bool Canvas::ensure_size(QSize size, QColor background) {
    if (image_.size() == size && !image_.isNull()) return false;
    image_ = QImage(size.expandedTo(QSize(1, 1)), QImage::Format_RGB32);
    image_.fill(background);
    return true;
}

void Canvas::clear(QColor background) { image_.fill(background); }

void Canvas::set_pixel(int x, int y, QColor colour, DrawMode mode) {
    if (!image_.valid(x, y)) return;
    const QRgb src = colour.rgb() & 0x00FFFFFFu;
    const QRgb dst = image_.pixel(x, y) & 0x00FFFFFFu;
    QRgb out = src;
    switch (mode) {
    case DrawMode::copy: out = src; break;
    case DrawMode::xor_pen: out = src ^ dst; break;
    case DrawMode::not_xor: out = ~(src ^ dst) & 0x00FFFFFFu; break;
    case DrawMode::and_pen: out = src & dst; break;
    }
    image_.setPixel(x, y, 0xFF000000u | out);
}

void Canvas::present(QPainter& painter) const { painter.drawImage(0, 0, image_); }

}  // namespace orbant
