// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <array>
#include <cstddef>

#include "core/sheet_state.h"
#include "pages/scene.h"

// The overview chart "Uebersicht": a top-down compass chart with the Sun,
// the Moon and the eight planets on rings of their own around an inner
// disc, north up and east right, and a legend beside it. The layout, the
// background and the dots are plain values here; the page draws them on
// its canvas and orbant-cli prints them.

namespace orbant {

inline constexpr const char* overview_page_caption = "Uebersicht";
// The check box that hides the bodies below the horizon (ticked at start).
inline constexpr int overview_only_risen_id = 1066;
inline constexpr const char* overview_only_risen_caption = "Nur nach Aufgang";

// The bodies of the chart, in drawing order: Sun, Moon, Mercury, Venus,
// Mars, Jupiter, Saturn, Uranus, Neptune, Pluto.
inline constexpr std::size_t overview_body_count = 10;

// The page's eleven solid brushes: 0 the chart's background (outer circle
// and inner disc), then one per body in drawing order.
inline constexpr std::array<Rgb, overview_body_count + 1> overview_brushes = {{
    {255, 255, 255},  // chart background
    {242, 255, 4},    // Sun
    {180, 180, 180},  // Moon
    {248, 171, 53},   // Mercury
    {245, 44, 249},   // Venus
    {250, 52, 43},    // Mars
    {72, 254, 42},    // Jupiter
    {189, 131, 103},  // Saturn
    {43, 248, 253},   // Uranus
    {41, 51, 253},    // Neptune
    {61, 60, 103},    // Pluto
}};
// The default pen (outlines and axis lines) and the default text colours.
inline constexpr Rgb overview_pen_rgb{0, 0, 0};
inline constexpr Rgb overview_text_rgb{0, 0, 0};
inline constexpr Rgb overview_text_background_rgb{255, 255, 255};

// One body of the chart: its legend name, its ring as a multiple of the
// ring unit beyond the inner disc, and the radius of its dot, pixels.
struct OverviewBody {
    const char* name;
    double ring_factor;
    int dot_radius;
};
inline constexpr std::array<OverviewBody, overview_body_count> overview_bodies = {{
    {"Sonne", 1.4, 6},
    {"Mond", 3.5, 6},
    {"Merkur", 5.0, 4},
    {"Venus", 6.14, 4},
    {"Mars", 7.28, 4},
    {"Jupiter", 8.42, 4},
    {"Saturn", 9.56, 4},
    {"Uranus", 10.7, 4},
    {"Neptun", 11.84, 4},
    {"Pluto", 12.98, 4},
}};

// Fonts: the compass letters, and the legend's names.
inline constexpr SceneFont overview_letter_font{16, 500};
inline constexpr SceneFont overview_legend_font{13, 200};

// Where the chart stands on a page of width x height pixels.
struct OverviewLayout {
    int width = 0, height = 0;
    bool portrait = true;  // the screen (the sheet's window) is narrower than high
    SceneRect disc;        // the inner disc's rectangle
    int half = 0;          // half the disc's width (integer division)
    ScenePoint centre;     // the chart's centre
    int unit = 0;          // ring unit
    int outer_radius = 0;  // radius of the outer circle
    bool fitted = false;   // the width's rule ran off the page; the chart was fitted to it
    ScenePoint legend;     // the first legend dot's centre, before the legend's names are measured
};

// The chart's layout for a page of cx x cy pixels on a portrait or
// landscape screen. The rule of the width: disc factors 0.28, 0.29, 0.23 of
// cx in portrait, 0.2, 0.2, 0.14 otherwise, each coordinate truncated; unit
// = int(half * 0.222), outer radius = half + 13 units; the legend's first
// dot at (centre + 20 units, 4 units) in portrait, (centre + 30, 7)
// otherwise. That layout is kept whenever its outer circle lies inside the
// page. Otherwise the chart is fitted: the largest half width, at most the
// rule's, for which the outer circle and every dot (at any azimuth) stand
// inside the page two pixels from its top and left edges, with the legend
// (its dots the rule's units right of the centre, its names' room
// overview_legend_name_room) to the right of the chart and inside the page.
OverviewLayout overview_layout(int cx, int cy, bool portrait) noexcept;

// Room the fitted layout keeps for the legend's longest name, pixels: at
// least the width of each of the names in overview_legend_font.
int overview_legend_name_room() noexcept;

// How far from the centre a dot can reach at any azimuth: the outer radius,
// or a ring plus its dot's radius where that is more, pixels.
int overview_chart_reach(const OverviewLayout& layout) noexcept;

// Where the texts stand, once they are measured: the top-left corners of
// the letters "N", "S", "W", "O" and the first legend dot's centre (each
// row 3 units lower, each name one unit right of its dot and 8 pixels
// above its centre).
struct OverviewLabels {
    std::array<ScenePoint, 4> letters;
    bool letters_at_edge = false;  // moved from the rule's places to the disc's edge
    ScenePoint legend;
};

// The letters stay at the layout rule's places (N and S 3 pixels left of
// the vertical axis, 3 pixels inside the disc's top and 18 above its
// bottom; W 7 pixels inside the disc's left, O 17 inside its right, both 7
// above the horizontal axis) while no two of their measured extents
// overlap; otherwise each is centred on its axis one pixel inside the
// disc's edge. The legend moves left as far as its longest measured name
// needs to end inside the page.
// The fonts and the pixel offsets grow by pixel_scale (device pixels per
// page pixel times the page's factor), rounded to whole pixels.
OverviewLabels overview_labels(const OverviewLayout& layout, const TextMeasure& measure, double pixel_scale = 1.0);

// Top-left corner of the check box of box_width x box_height pixels on a
// cx x cy page: bottom left in portrait, bottom right otherwise.
ScenePoint overview_check_box_place(int cx, int cy, int box_width, int box_height, bool portrait) noexcept;

// The direction of one body as the chart uses it.
struct BodyDirection {
    double azimuth_deg = 0.0;  // from north through east, degrees, [0, 360)
    double altitude = 0.0;     // radians, geocentric, no refraction
    friend constexpr bool operator==(BodyDirection, BodyDirection) = default;
};
using OverviewDirections = std::array<BodyDirection, overview_body_count>;

// The ten bodies' directions in drawing order for the sheet's current_time
// and working place, with the offset time_zone + summer_time_active.
OverviewDirections overview_directions(const SheetState& s) noexcept;

// A body's dot: its centre on the body's ring, its radius, and whether it
// is drawn (not when only_risen holds and the altitude is 0 or below; the
// centre is given also then). The radius grows by pixel_scale.
struct OverviewDot {
    ScenePoint centre;
    int radius = 0;
    bool drawn = false;
};
OverviewDot overview_dot(const OverviewLayout& layout, std::size_t body, BodyDirection direction, bool only_risen,
                         double pixel_scale = 1.0) noexcept;

// Appends the chart's background in copy mode: the outer circle, the inner
// disc and the observer's mark (black outline, white brush), the four axis
// lines, the letters "N", "S", "W", "O", and the legend (a dot of each
// body's brush without outline and its name), the texts where
// overview_labels puts them; when it moved the letters to the disc's edge,
// finally the disc's outline again (no brush) over their backgrounds. Dots,
// fonts and offsets grow by pixel_scale; the layout's places stay.
void append_overview_background(Scene& scene, const OverviewLayout& layout, const TextMeasure& measure,
                                double pixel_scale = 1.0);

// Appends the drawn dots of `directions` in NOT-XOR mode without outline:
// on white each shows its brush, and drawing the same dots again restores
// what was under them.
void append_overview_dots(Scene& scene, const OverviewLayout& layout, const OverviewDirections& directions,
                          bool only_risen, double pixel_scale = 1.0);

// One paint of the chart and the directions its dots now stand at.
struct OverviewPaint {
    Scene scene;
    OverviewDirections drawn;
};

// The chart's paint for the sheet's instant and place: with `full` the
// background and the dots; otherwise the dots at `remembered` first (which
// removes them from the canvas), then the dots at the new directions.
OverviewPaint overview_paint(const SheetState& s, const OverviewLayout& layout, bool full, bool only_risen,
                             const OverviewDirections& remembered, const TextMeasure& measure,
                             double pixel_scale = 1.0);

}  // namespace orbant
