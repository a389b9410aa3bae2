// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <array>

#include "pages/moon_scene.h"
#include "pages/moon_texts.h"
#include "ui/canvas_page.h"

namespace orbant {

// The "Mond" page of the sheet (template 130, 162 x 150 dialog units): six
// value texts with their labels, rows 10 units apart, and the picture of
// the Moon below them (portrait) or to their right (landscape).
inline constexpr int moon_label_x = 8, moon_label_width = 45;
inline constexpr int moon_value_x = 56, moon_value_width = 95;
inline constexpr int moon_first_row_y = 9, moon_row_step = 10, moon_row_height = 8;
inline constexpr const char* moon_value_placeholder = "Statisch";

inline constexpr std::array<ControlSpec, 12> cseite2_controls = {{
    {no_control_id, ControlKind::label, "Mondphase:", moon_label_x, 9, moon_label_width, moon_row_height},
    {moon_phase_id, ControlKind::text, moon_value_placeholder, moon_value_x, 9, moon_value_width, moon_row_height},
    {no_control_id, ControlKind::label, "Richtung:", moon_label_x, 19, moon_label_width, moon_row_height},
    {moon_direction_id, ControlKind::text, moon_value_placeholder, moon_value_x, 19, moon_value_width,
     moon_row_height},
    {no_control_id, ControlKind::label, "Höhe:", moon_label_x, 29, moon_label_width, moon_row_height},
    {moon_altitude_id, ControlKind::text, moon_value_placeholder, moon_value_x, 29, moon_value_width,
     moon_row_height},
    {no_control_id, ControlKind::label, "Entfernung:", moon_label_x, 39, moon_label_width, moon_row_height},
    {moon_distance_id, ControlKind::text, moon_value_placeholder, moon_value_x, 39, moon_value_width,
     moon_row_height},
    {no_control_id, ControlKind::label, "Aufgang:", moon_label_x, 49, moon_label_width, moon_row_height},
    {moon_rise_id, ControlKind::text, moon_value_placeholder, moon_value_x, 49, moon_value_width, moon_row_height},
    {no_control_id, ControlKind::label, "Untergang:", moon_label_x, 59, moon_label_width, moon_row_height},
    {moon_set_id, ControlKind::text, moon_value_placeholder, moon_value_x, 59, moon_value_width, moon_row_height},
}};

inline constexpr DialogTemplate cseite2_template = page_template(130, moon_page_caption, cseite2_controls);

// The Moon page: phase, direction, altitude, distance, moonrise and moonset,
// and the picture darkened by phase on the page's persistent canvas.
class CSeite2 : public CanvasPage {
    Q_OBJECT
public:
    explicit CSeite2(SheetHost& sheet);

    // Reads the clock first when it runs, then writes the six texts and
    // keeps the illuminated percentage and the waxing flag for the picture.
    void update_page() override;

    // On a tick: repaints the picture (invalidating with erasing) only when
    // the rounded percentage differs from the one last drawn by a tick.
    void tick_picture_test() override;

    // Percentage and waxing flag of the last update, and the percentage the
    // picture was last drawn for by the tick test (-1 before the first).
    double percent() const noexcept { return picture_.percent; }
    int waxing() const noexcept { return picture_.waxing; }
    double last_drawn_percent() const noexcept { return last_drawn_percent_; }
    // Where the picture was drawn by the last paint.
    const MoonPictureLayout& layout() const noexcept { return layout_; }

protected:
    void on_init_page() override;
    void paint_canvas(bool blank) override;
    // Turning the sheet between portrait and landscape moves the picture.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    MoonPicture picture_;
    double last_drawn_percent_ = -1.0;
    MoonPictureLayout layout_;
};

}  // namespace orbant
