#include "ui/pages/cseite2.h"

#include <QPainter>
#include <QResizeEvent>
#include <algorithm>
#include <cmath>

#include "ui/sheet_host.h"
#include "astro/services/phase.h"
#include "astro/services/positions.h"
#include "ui/page_text_controls.h"

// The picture resource lives in a static library: register it explicitly, as
// nothing else pulls its initialiser into the program.
static void register_picture_resources() { Q_INIT_RESOURCE(orbant); }

namespace orbant {

QImage moon_mask_image(int q, int waxing, int size) {
    if (size <= 0) return QImage();
    Canvas mask;
    mask.ensure_size(QSize(size, size), QColor(moon_lit_rgb.red, moon_lit_rgb.green, moon_lit_rgb.blue));
    Scene scene;
    append_moon_mask(scene, q, waxing, size);
    ScenePainter().paint(mask, scene);
    return mask.image();
}

CSeite2::CSeite2(SheetHost& sheet) : SheetPage(sheet, cseite2_template, 2, true) {
    register_picture_resources();
    sheet.window_widget().installEventFilter(this);
}

bool CSeite2::eventFilter(QObject* watched, QEvent* event) {
    if (watched == &sheet().window_widget() && event->type() == QEvent::Resize) invalidate(true);
    return SheetPage::eventFilter(watched, event);
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

void CSeite2::resizeEvent(QResizeEvent* event) {
    SheetPage::resizeEvent(event);
    cx_ = event->size().width();
    cy_ = event->size().height();
}

void CSeite2::on_paint(bool erase) {
    update_page();
    if (cx_ <= 0 || cy_ <= 0) {
        cx_ = width();
        cy_ = height();
    }
    const QColor background = palette().color(QPalette::Window);
    // The canvas has the screen's resolution: device pixels per window pixel.
    canvas_scale_ = std::max(1, static_cast<int>(std::ceil(devicePixelRatioF())));
    if (!canvas_.ensure_size(QSize(cx_, cy_) * canvas_scale_, background) && erase) canvas_.clear(background);
    // The sheet's window stands for the device's screen.
    const bool portrait = sheet().window_widget().width() < sheet().window_widget().height();
    layout_ = moon_picture_layout(cx_, cy_, portrait, built().scale());
    painter_.paint(canvas_, moon_scene(picture_, layout_), canvas_scale_);
}

void CSeite2::draw(QPainter& painter) { canvas_.present(painter, canvas_scale_); }

}  // namespace orbant
