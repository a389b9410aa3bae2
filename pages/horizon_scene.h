// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <array>
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "core/sheet_state.h"
#include "pages/horizon_geometry.h"
#include "pages/scene.h"

// The drawing of the horizon view "Horizont": the sky colour of the hour,
// the full redraw of the field and the grid, the marks of the bodies and
// stars drawn in XOR with the erase-and-redraw of the previous positions,
// the constellation figures, the ecliptic, the direction labels and the tap
// label. Qt-free: the page walks these scenes onto its canvas and the text
// front end prints them.

namespace orbant {

inline constexpr const char* horizon_page_caption = "Horizont";

// The three sky colours, fixed when the page is initialised.
inline constexpr Rgb horizon_day_rgb{41, 41, 253};
inline constexpr Rgb horizon_twilight_rgb{54, 59, 167};
inline constexpr Rgb horizon_night_rgb{61, 62, 109};
// The colours the marks show over the sky (each drawn as sky XOR colour in
// XOR mode): the Moon and the stars white, the Sun yellow, the planets red,
// the figures grey, the ecliptic green.
inline constexpr Rgb horizon_white_rgb{255, 255, 255};
inline constexpr Rgb horizon_sun_rgb{252, 248, 56};
inline constexpr Rgb horizon_planet_rgb{255, 0, 0};
inline constexpr Rgb horizon_figure_rgb{150, 150, 150};
inline constexpr Rgb horizon_ecliptic_rgb{0, 200, 0};

// The page's fonts: grid labels (and the paint's base font), tap labels,
// direction labels.
inline constexpr SceneFont horizon_grid_font{11, 400};
inline constexpr SceneFont horizon_tap_font{13, 400};
inline constexpr SceneFont horizon_direction_font{16, 400};

// Half the side of the Moon's and the Sun's discs, and the reach of the tap
// test around a mark, pixels.
inline constexpr int horizon_disc_half = 6;
inline constexpr int horizon_tap_reach = 5;
// Points of the ecliptic: longitudes 0, 2, ..., 360 degrees.
inline constexpr int ecliptic_point_count = 181;
// Polylines of the figure list, at most: every value ending one.
inline constexpr std::size_t figure_polyline_capacity = figure_list_length;

enum class SkyPhase { day, twilight, night };

// The Sun times of one civil day that decide the sky colour, local hours.
struct HorizonSunTimes {
    double sunrise = 0.0, sunset = 0.0;        // Sun altitude -0.8333 degrees
    double morning = 0.0, evening = 0.0;       // nautical twilight, Sun altitude -12 degrees
    int has_sunrise = 0, has_sunset = 0;
    int has_morning = 0, has_evening = 0;
};

// The Sun times of the date of the sheet's current_time for its place:
// rise_set_scan of local midnight, index 1 (sunrise and sunset) and index 3
// (begin and end of nautical twilight). An evening end earlier than the
// sunset falls after midnight and gets 24 hours added.
HorizonSunTimes horizon_sun_times(const SheetState& state) noexcept;

// The sky phase at local time `hours` (hour + minute / 60): night before
// the morning twilight, twilight until sunrise, day until sunset, twilight
// until the evening end, night after it (each test that holds overriding
// the ones before); twilight all day when any of the four times is missing.
SkyPhase horizon_sky_phase(const HorizonSunTimes& sun, double hours) noexcept;

Rgb horizon_sky_rgb(SkyPhase phase) noexcept;

// The grid colour for a sky colour: by day red + 100, green + 80 (modulo
// 256), blue 255; otherwise red + 60, green + 60 (modulo 256), blue kept.
Rgb horizon_grid_rgb(Rgb sky) noexcept;

// The sky colour of a paint: the colour of the hour of current_time, or the
// night colour when night_mode is 1.
Rgb horizon_paint_sky(const SheetState& state, const HorizonSunTimes& sun) noexcept;

// The page's view state: the direction faced and the three check boxes.
struct HorizonView {
    double azimuth_deg = 180.0;  // north-based, [0, 360]
    bool grid = true;            // "Netz"
    bool figures = false;        // "Bilder"
    bool ecliptic = false;       // "Ecl."
};

// What a paint leaves for the next one: the flags asking for a full
// redraw, the sky colour of the previous paint and the remembered screen
// positions that the next paint erases.
struct HorizonMemory {
    bool full_redraw_request = true;
    bool first_paint = true;
    Rgb previous_sky{};
    // Per table entry: where it was drawn last, and one drawing earlier.
    std::array<ScenePoint, sky_object_count> current{};
    std::array<ScenePoint, sky_object_count> earlier{};
    // The ecliptic points of the last drawing, sorted by x.
    std::array<ScenePoint, ecliptic_point_count> ecliptic{};
    // Per polyline of the figure list: drawn by the last paint.
    std::array<bool, figure_polyline_capacity> figure_drawn{};

    HorizonMemory() noexcept { forget_positions(); }
    // Every position no_position, no figure drawn.
    void forget_positions() noexcept;
};

// The geometry of one page size: its layout and grid.
struct HorizonFrame {
    int width = 0, height = 0;
    HorizonLayout layout;
    HorizonGrid grid;
};

// The layout and grid of a page of width x height pixels on a landscape or
// portrait screen.
HorizonFrame horizon_frame(int width, int height, bool landscape) noexcept;

// Writes the geocentric right ascension and declination (radians) of the
// Moon, the Sun and the planets of current_time into entries 0 to 9, and
// "Mond (%3.0f%%)" of the Moon's illuminated percentage as entry 0's name.
void place_bodies_in_table(SheetState& state) noexcept;

// The texts of the direction labels at the left edge, the middle and the
// right edge, then, with the grid, the altitude labels "20°" to "80°" and
// the azimuth labels for the offsets 40, 80, -40, -80.
std::vector<std::string> horizon_label_texts(const HorizonFrame& frame, const HorizonView& view);

// One paint of the horizon page.
//
// Given:    state: the table with entries 0..9 placed (place_bodies_in_table),
//           the instant and place, active_page (a page other than 6 asks for
//           a full redraw); frame, view, sun; memory: what the previous
//           paint left; measure: the page's text extents.
// Returned: the items in drawing order. A full redraw (requested, first
//           paint, sky colour changed or coming from another page) starts
//           with the sky rectangle and, with "Netz", the grid and its labels,
//           and forgets the remembered positions. Then every entry inside
//           the field is drawn in XOR at its new place after being drawn
//           again at its remembered one (which removes it); an entry that
//           left the field is removed and forgotten. Then the figures, the
//           ecliptic and the direction labels. memory is updated.
// Notes:    the figures follow the remembered positions: a polyline whose
//           first star has an earlier position while another star has none
//           inside the field is left alone; one drawn by the previous paint
//           is removed through the earlier positions; one whose stars are
//           all inside is drawn through the current ones.
//
// pixel_scale (the canvas's device pixels per page pixel times the page's
// factor, 1 on the hand-held): the marks, discs, fonts and gaps grow by it,
// rounded to whole pixels; the positions stay those of the frame.
Scene horizon_paint_scene(const SheetState& state, const HorizonFrame& frame, const HorizonView& view,
                          const HorizonSunTimes& sun, HorizonMemory& memory, const TextMeasure& measure,
                          double pixel_scale = 1.0);

// The figure polylines the last paint left drawn, through their current
// positions, in the order of the figure list.
std::vector<std::vector<ScenePoint>> horizon_drawn_figures(const SheetState& state, const HorizonMemory& memory);
// The ecliptic points the last paint joined, in drawing order.
std::vector<ScenePoint> horizon_drawn_ecliptic(const HorizonFrame& frame, const HorizonMemory& memory);

// The two lines of the tap label for an entry's name: line 1 up to and
// including the first ")", line 2 after the blank that follows; when line 2
// is empty, the whole name in line 2 and line 1 empty.
struct TapLines {
    std::string first, second;
    friend bool operator==(const TapLines&, const TapLines&) = default;
};
TapLines tap_lines(std::string_view name);

// The tap label of a stylus tap: which entry it names, its lines and where
// they are drawn.
struct TapLabel {
    int entry = -1;  // -1: nothing under the stylus, no label
    TapLines lines;
    SceneRect rect;  // left, top, left + w, top + 2h
    Scene scene;     // the two lines in copy mode, text on the sky colour
};

// The tap label at (px, py) over the marks of the last paint.
//
// Given:    state (the names), frame (the field's right edge, the page),
//           memory.current (entries without a position are never hit),
//           sky: the sky colour of the last paint; measure.
// Returned: the first entry whose rectangle (x - 5, y - 5, x + 5, y + 5)
//           contains the tap; w, h the extent of the line with more
//           characters (line 2 on a tie) in the 13-pixel font; top py - 2h,
//           or py when py - 2h < 2h; left px - w when px > right / 2, else
//           px; then moved so that the label stays on the page. The reach
//           and the font grow by pixel_scale as in horizon_paint_scene.
TapLabel horizon_tap_label(const SheetState& state, const HorizonFrame& frame, const HorizonMemory& memory,
                           Rgb sky, ScenePoint tap, const TextMeasure& measure, double pixel_scale = 1.0);

}  // namespace orbant
