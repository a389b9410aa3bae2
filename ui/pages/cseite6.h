// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QPoint>
#include <array>

#include "pages/horizon_scene.h"
#include "ui/canvas_page.h"
#include "ui/scene_painter.h"

class QKeyEvent;
class QMouseEvent;
class QWheelEvent;

namespace orbant {

// Control ids of template 134.
inline constexpr int horizon_left_15_id = 1044;   // "<"
inline constexpr int horizon_right_15_id = 1077;  // ">"
inline constexpr int horizon_left_90_id = 1078;   // "<<"
inline constexpr int horizon_right_90_id = 1079;  // ">>"
inline constexpr int horizon_figures_id = 1080;   // "Bilder"
inline constexpr int horizon_grid_id = 1081;      // "Netz"
inline constexpr int horizon_ecliptic_id = 1043;  // "Ecl."

// The "Horizont" page of the sheet (template 134, 162 x 150 dialog units).
// The controls stand in one row under the horizon line; every size change
// moves them there.
inline constexpr int horizon_button_width = 12, horizon_control_height = 11, horizon_row_y = 137;
inline constexpr std::array<ControlSpec, 7> cseite6_controls = {{
    {horizon_left_15_id, ControlKind::button, "<", 2, horizon_row_y, horizon_button_width, horizon_control_height},
    {horizon_right_15_id, ControlKind::button, ">", 15, horizon_row_y, horizon_button_width, horizon_control_height},
    {horizon_left_90_id, ControlKind::button, "<<", 28, horizon_row_y, horizon_button_width, horizon_control_height},
    {horizon_right_90_id, ControlKind::button, ">>", 41, horizon_row_y, horizon_button_width,
     horizon_control_height},
    {horizon_figures_id, ControlKind::check_box, "Bilder", 56, horizon_row_y, 34, horizon_control_height},
    {horizon_grid_id, ControlKind::check_box, "Netz", 92, horizon_row_y, 28, horizon_control_height},
    {horizon_ecliptic_id, ControlKind::check_box, "Ecl.", 122, horizon_row_y, 27, horizon_control_height},
}};

inline constexpr DialogTemplate cseite6_template = page_template(134, horizon_page_caption, cseite6_controls);

// The horizon view: the sky facing one direction with the bodies and stars
// of the displayed instant, drawn on the page's persistent canvas. A clock
// tick moves the marks by drawing them again in XOR at their old places and
// then at their new ones; any change of view, check box, size, sky colour
// or page redraws everything. A stylus tap names the object under it until
// the stylus is lifted; a press that moves on turns the view with the
// pointer (touch arrives as the mouse events Qt makes of it), and the wheel
// and the arrow keys turn it as the buttons do.
class CSeite6 : public CanvasPage {
    Q_OBJECT
public:
    explicit CSeite6(SheetHost& sheet);

    const HorizonView& view() const noexcept { return view_; }
    const HorizonFrame& frame() const noexcept { return frame_; }
    const HorizonMemory& memory() const noexcept { return memory_; }
    // The sky colour of the last paint.
    Rgb sky() const noexcept { return sky_; }
    // The tap label on show (entry -1 when none).
    const TapLabel& tap_label() const noexcept { return label_; }

    // Presses one of the four turning buttons.
    void turn(ViewTurn turn);

protected:
    void on_init_page() override;
    void paint_canvas(bool blank) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    // Turning the sheet between portrait and landscape changes the field.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Field, grid and control row for the page's size and the sheet's aspect.
    void lay_out();
    // Full redraw on the next paint, with erasing.
    void redraw_all();
    // Removes the tap label on show: a full redraw without erasing.
    void remove_label();
    // Sets the view azimuth, redrawing when it changed.
    void face(double azimuth_deg);

    CanvasTextMeasure measure_;
    HorizonView view_;
    HorizonMemory memory_;
    HorizonSunTimes sun_;
    HorizonFrame frame_;
    Rgb sky_{};
    TapLabel label_;
    bool label_shown_ = false;
    // The press in progress: where it began and the view then; dragging once
    // it has moved past the threshold.
    bool pressed_ = false;
    bool dragging_ = false;
    QPoint press_at_;
    double press_azimuth_deg_ = 0.0;
    // Wheel angle not yet turned into steps, eighths of a degree.
    int wheel_pending_ = 0;
};

}  // namespace orbant
