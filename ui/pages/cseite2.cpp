// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/pages/cseite2.h"

#include <QEvent>

#include "ui/sheet_host.h"
#include "astro/services/phase.h"
#include "astro/services/positions.h"
#include "ui/page_text_controls.h"

// The picture resource lives in a static library: register it explicitly, as
// nothing else pulls its initialiser into the program.
static void register_picture_resources() { Q_INIT_RESOURCE(orbant); }

namespace orbant {

CSeite2::CSeite2(SheetHost& sheet) : CanvasPage(sheet, cseite2_template, 2, true, CanvasResolution::device_pixels) {
    register_picture_resources();
    sheet.window_widget().installEventFilter(this);
}

bool CSeite2::eventFilter(QObject* watched, QEvent* event) {
    if (watched == &sheet().window_widget() && event->type() == QEvent::Resize) invalidate(true);
    return CanvasPage::eventFilter(watched, event);
}

void CSeite2::on_init_page() {
    const SheetState& s = state();
    picture_.waxing = moon_is_waxing(s.current_time, s.time_offset_hours());
    last_drawn_percent_ = -1.0;
}

void CSeite2::update_page() {
    if (!state().clock_stopped) sheet().read_clock();
    show_page_texts(*this, moon_page_texts(state(), picture_));
}

void CSeite2::tick_picture_test() {
    if (moon_picture_needs_repaint(picture_.percent, last_drawn_percent_)) invalidate(true);
}

void CSeite2::paint_canvas(bool) {
    update_page();
    // The sheet's window stands for the device's screen.
    const bool portrait = sheet().window_widget().width() < sheet().window_widget().height();
    layout_ = moon_picture_layout(width(), height(), portrait, built().scale());
    paint_scene(moon_scene(picture_, layout_, canvas_scale()));
}

}  // namespace orbant
