// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/pages/cseite6.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QResizeEvent>
#include <QWheelEvent>

#include "ui/sheet_host.h"

namespace orbant {

namespace {

bool ticked(const SheetPage& page, int id) {
    const QCheckBox* box = page.control_as<QCheckBox>(id);
    return box != nullptr && box->isChecked();
}

}  // namespace

CSeite6::CSeite6(SheetHost& sheet) : CanvasPage(sheet, cseite6_template, 6, false, CanvasResolution::device_pixels) {
    if (QCheckBox* grid = control_as<QCheckBox>(horizon_grid_id)) grid->setChecked(true);
    const std::array<std::pair<int, ViewTurn>, 4> turns{{{horizon_left_15_id, ViewTurn::left_15},
                                                         {horizon_right_15_id, ViewTurn::right_15},
                                                         {horizon_left_90_id, ViewTurn::left_90},
                                                         {horizon_right_90_id, ViewTurn::right_90}}};
    for (const auto& [id, how] : turns)
        if (auto* button = control_as<QAbstractButton>(id))
            connect(button, &QAbstractButton::clicked, this, [this, t = how] { turn(t); });
    for (int id : {horizon_figures_id, horizon_grid_id, horizon_ecliptic_id})
        if (auto* box = control_as<QAbstractButton>(id))
            connect(box, &QAbstractButton::clicked, this, [this] { redraw_all(); });
    sheet.window_widget().installEventFilter(this);
    // A click on the sky takes the keyboard for the arrow keys.
    setFocusPolicy(Qt::ClickFocus);
}

void CSeite6::turn(ViewTurn how) {
    view_.azimuth_deg = turned_view_azimuth(view_.azimuth_deg, how);
    redraw_all();
}

void CSeite6::face(double azimuth_deg) {
    if (azimuth_deg == view_.azimuth_deg) return;
    view_.azimuth_deg = azimuth_deg;
    redraw_all();
}

void CSeite6::remove_label() {
    if (!label_shown_) return;
    memory_.full_redraw_request = true;
    invalidate(false);
    label_shown_ = false;
    label_ = TapLabel();
}

void CSeite6::redraw_all() {
    memory_.full_redraw_request = true;
    invalidate(true);
}

void CSeite6::on_init_page() {
    view_.azimuth_deg = 180.0;
    memory_ = HorizonMemory();
    sun_ = horizon_sun_times(state());
    label_shown_ = false;
}

void CSeite6::lay_out() {
    const bool landscape = screen_is_landscape(sheet().window_widget().width(), sheet().window_widget().height());
    // The field and grid in the canvas's pixels; the controls stand in
    // window pixels under the same horizon line.
    const QSize canvas = canvas_size();
    frame_ = horizon_frame(canvas.width(), canvas.height(), landscape);
    const int ratio = device_ratio();
    const auto width_of = [this](int id) { return control(id) ? control(id)->width() : 0; };
    const HorizonControlRow row = horizon_control_row(frame_.layout.horizon / ratio, width_of(horizon_left_15_id),
                                                      width_of(horizon_figures_id), width_of(horizon_grid_id));
    const std::array<int, 7> ids{horizon_left_15_id, horizon_right_15_id, horizon_left_90_id, horizon_right_90_id,
                                 horizon_figures_id, horizon_grid_id,     horizon_ecliptic_id};
    for (std::size_t k = 0; k < ids.size(); ++k)
        if (QWidget* w = control(ids[k])) w->move(row.x[k], row.y);
}

void CSeite6::resizeEvent(QResizeEvent* event) {
    // The base fits the template's controls to the page first; the row then
    // moves under the horizon line.
    CanvasPage::resizeEvent(event);
    lay_out();
    memory_.full_redraw_request = true;
}

bool CSeite6::eventFilter(QObject* watched, QEvent* event) {
    if (watched == &sheet().window_widget() && event->type() == QEvent::Resize) {
        lay_out();
        redraw_all();
    }
    return CanvasPage::eventFilter(watched, event);
}

void CSeite6::paint_canvas(bool blank) {
    if (QSize(frame_.width, frame_.height) != canvas_size()) lay_out();
    // A canvas just made or erased holds no marks to remove.
    if (blank) memory_.full_redraw_request = true;
    view_.figures = ticked(*this, horizon_figures_id);
    view_.grid = ticked(*this, horizon_grid_id);
    view_.ecliptic = ticked(*this, horizon_ecliptic_id);
    SheetState& s = state();
    place_bodies_in_table(s);
    const Scene scene = horizon_paint_scene(s, frame_, view_, sun_, memory_, measure_, pixel_scale());
    sky_ = memory_.previous_sky;
    paint_canvas_scene(scene);
    s.chart_stale = 1;
}

void CSeite6::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return CanvasPage::mousePressEvent(event);
    SheetState& s = state();
    if (s.tick_in_progress == 1) return;
    s.view_busy = 1;
    const ScenePoint p = canvas_point(event->position().toPoint());
    pressed_ = true;
    dragging_ = false;
    press_at_ = QPoint(p.x, p.y);
    press_azimuth_deg_ = view_.azimuth_deg;
    label_ = horizon_tap_label(s, frame_, memory_, sky_, p, measure_, pixel_scale());
    if (label_.entry < 0) return;
    paint_canvas_scene(label_.scene);
    label_shown_ = true;
    update();
}

void CSeite6::mouseMoveEvent(QMouseEvent* event) {
    if (!pressed_ || !(event->buttons() & Qt::LeftButton)) return CanvasPage::mouseMoveEvent(event);
    // In the canvas's pixels, as the field is: the threshold grows with the
    // page's factor and the screen's pixel ratio.
    const ScenePoint here = canvas_point(event->position().toPoint());
    const QPoint moved = QPoint(here.x, here.y) - press_at_;
    if (!dragging_) {
        if (!drag_started(moved.x(), moved.y(), built().scale() * device_ratio())) return;
        dragging_ = true;
        remove_label();
    }
    face(dragged_view_azimuth(frame_.layout, press_azimuth_deg_, moved.x()));
}

void CSeite6::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return CanvasPage::mouseReleaseEvent(event);
    remove_label();
    pressed_ = false;
    dragging_ = false;
    state().view_busy = 0;
}

void CSeite6::wheelEvent(QWheelEvent* event) {
    const QPoint angle = event->angleDelta();
    // A full turn of steps leaves the view as it was, so a huge delta takes few.
    int steps = wheel_steps(wheel_pending_, angle.y() != 0 ? angle.y() : angle.x()) % small_turns_per_full_turn;
    // Forward (away from the user) turns left, as "<" does.
    for (; steps > 0; --steps) turn(ViewTurn::left_15);
    for (; steps < 0; ++steps) turn(ViewTurn::right_15);
    event->accept();
}

void CSeite6::keyPressEvent(QKeyEvent* event) {
    const bool shift = (event->modifiers() & Qt::ShiftModifier) != 0;
    switch (event->key()) {
    case Qt::Key_Left: turn(arrow_key_turn(false, shift)); break;
    case Qt::Key_Right: turn(arrow_key_turn(true, shift)); break;
    default: return CanvasPage::keyPressEvent(event);
    }
    event->accept();
}

}  // namespace orbant
