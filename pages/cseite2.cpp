#include "pages/cseite2.h"

#include <QPainter>
#include <QResizeEvent>

#include "app/all_controls_sheet.h"
#include "astro/services/phase.h"
#include "astro/services/positions.h"
#include "app/page_text_controls.h"

// The picture resource lives in a static library: register it explicitly, as
// nothing else pulls its initialiser into the program.
static void register_picture_resources() { Q_INIT_RESOURCE(orbant); }

namespace orbant {

namespace {

QColor fill_colour(MaskFill fill) { return fill == MaskFill::white ? moon_lit_colour : moon_shadow_colour; }

}  // namespace

QImage moon_mask_image(int q, int waxing, int size) {
    QImage mask(size, size, QImage::Format_RGB32);
    mask.fill(moon_lit_colour);
    QPainter p(&mask);
    for (const MaskShape& s : moon_mask_shapes(q, waxing, size)) {
        const QRect box(s.left, s.top, s.right - s.left, s.bottom - s.top);
        if (box.isEmpty()) continue;
        p.setBrush(fill_colour(s.fill));
        if (s.outlined) {
            // A one-pixel pen just inside the box; the fill covers the rest.
            p.setPen(QPen(moon_frame_colour, 0));
            p.drawRect(box.adjusted(0, 0, -1, -1));
        } else {
            p.setPen(Qt::NoPen);
            if (s.kind == MaskShape::Kind::ellipse)
                p.drawEllipse(QRectF(box));
            else
                p.fillRect(box, fill_colour(s.fill));
        }
    }
    return mask;
}

CSeite2::CSeite2(CAllControlsSheet& sheet) : SheetPage(sheet, cseite2_template, 2, true) {
    register_picture_resources();
    moon_bitmap_.load(QString::fromLatin1(moon_bitmap_resource));
    sheet.installEventFilter(this);
}

bool CSeite2::eventFilter(QObject* watched, QEvent* event) {
    if (watched == &sheet() && event->type() == QEvent::Resize) invalidate(true);
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
    if (!canvas_.ensure_size(QSize(cx_, cy_), background) && erase) canvas_.clear(background);
    draw_picture();
}

void CSeite2::draw_picture() {
    // The sheet's window stands for the device's screen.
    const bool portrait = sheet().width() < sheet().height();
    layout_ = moon_picture_layout(cx_, cy_, portrait);
    const MoonPictureLayout& l = layout_;

    QPainter p(&canvas_.image());
    p.fillRect(QRect(l.frame_left, l.frame_top, l.frame_right - l.frame_left, l.frame_bottom - l.frame_top),
               moon_frame_colour);
    if (l.size <= 0) return;
    const QRect target(l.left, l.top, l.size, l.size);
    p.drawImage(target, moon_bitmap_);
    set_draw_mode(p, DrawMode::and_pen);
    p.drawImage(target.topLeft(), moon_mask_image(static_cast<int>(round_half_up(picture_.percent)),
                                                  picture_.waxing, l.size));
}

void CSeite2::draw(QPainter& painter) { canvas_.present(painter); }

}  // namespace orbant
