// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/canvas_page.h"

#include <QPainter>
#include <algorithm>
#include <cmath>

namespace orbant {

CanvasPage::CanvasPage(SheetHost& sheet, const DialogTemplate& tmpl, int page_number,
                       bool activation_sets_chart_stale, CanvasResolution resolution)
    : SheetPage(sheet, tmpl, page_number, activation_sets_chart_stale), resolution_(resolution) {}

QColor CanvasPage::canvas_background() const { return palette().color(QPalette::Window); }

int CanvasPage::device_ratio() const {
    return resolution_ == CanvasResolution::device_pixels
               ? std::max(1, static_cast<int>(std::ceil(devicePixelRatioF())))
               : 1;
}

double CanvasPage::pixel_scale() const { return std::max(1.0, built().scale()) * device_ratio(); }

ScenePoint CanvasPage::canvas_point(QPoint window) const {
    const int k = device_ratio();
    return {window.x() * k + k / 2, window.y() * k + k / 2};
}

void CanvasPage::on_paint(bool erase) {
    scale_ = device_ratio();
    const QColor background = canvas_background();
    bool blank = canvas_.ensure_size(size() * scale_, background);
    if (erase && !blank) {
        canvas_.clear(background);
        blank = true;
    }
    paint_canvas(blank);
}

void CanvasPage::paint_scene(const Scene& scene) { painter_.paint(canvas_, scene, scale_); }

void CanvasPage::paint_canvas_scene(const Scene& scene) { painter_.paint(canvas_, scene, 1); }

void CanvasPage::draw(QPainter& painter) { canvas_.present(painter, scale_); }

}  // namespace orbant
