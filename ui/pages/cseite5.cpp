// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/pages/cseite5.h"

#include <QCheckBox>
#include <QResizeEvent>

#include "ui/sheet_host.h"

namespace orbant {

CSeite5::CSeite5(SheetHost& sheet) : CanvasPage(sheet, cseite5_template, 5, false, CanvasResolution::device_pixels) {
    QCheckBox* box = only_risen_box();
    // Dialog data exchange starts the box ticked.
    box->setChecked(true);
    connect(box, &QCheckBox::clicked, this, [this] {
        state().chart_stale = 1;
        invalidate(true);
    });
}

QCheckBox* CSeite5::only_risen_box() const { return control_as<QCheckBox>(overview_only_risen_id); }

void CSeite5::lay_out(int cx, int cy) {
    // The sheet's window stands for the device's screen.
    const bool portrait = sheet().window_widget().width() < sheet().window_widget().height();
    // The chart in the canvas's pixels, the check box in window pixels.
    const int ratio = device_ratio();
    layout_ = overview_layout(cx * ratio, cy * ratio, portrait);
    QCheckBox* box = only_risen_box();
    const ScenePoint at = overview_check_box_place(cx, cy, box->width(), box->height(), portrait);
    box->move(at.x, at.y);
    laid_out_ = true;
}

void CSeite5::resizeEvent(QResizeEvent* event) {
    // The base fits the template's controls to the page first; the check box
    // then moves to the place of this page's own layout.
    CanvasPage::resizeEvent(event);  // invalidates with erasing
    lay_out(event->size().width(), event->size().height());
    state().chart_stale = 1;
}

void CSeite5::paint_canvas(bool blank) {
    if (!laid_out_ || QSize(layout_.width, layout_.height) != canvas_size()) lay_out(width(), height());
    // A canvas that was just made or erased holds no chart, so it gets the
    // whole chart even when chart_stale is clear (shown again after the
    // "Ereignisse" page, which does not set it): redrawing the remembered
    // dots there would leave them standing on an empty page.
    SheetState& s = state();
    const bool only_risen = only_risen_box()->isChecked();
    OverviewPaint p =
        overview_paint(s, layout_, s.chart_stale != 0 || blank, only_risen, drawn_, measure_, pixel_scale());
    paint_canvas_scene(p.scene);
    drawn_ = p.drawn;
    s.chart_stale = 0;
}

}  // namespace orbant
