// SPDX-License-Identifier: GPL-3.0-or-later
#include "pages/overview_scene.h"

#include <algorithm>
#include <cmath>

#include "astro/constants.h"
#include "astro/services/format.h"
#include "astro/services/positions.h"
#include "stars/star_catalogue.h"

namespace orbant {

namespace {

// Disc factors, applied to the page width (also the vertical ones).
struct DiscFactors {
    double left, top, size;
};
constexpr DiscFactors portrait_factors{0.28, 0.29, 0.23};
constexpr DiscFactors landscape_factors{0.2, 0.2, 0.14};
constexpr double unit_of_half = 0.222;   // ring unit as a part of the disc's half width
constexpr int outer_radius_units = 13;   // outer circle: half + 13 units

// Check box margins from the page's edges, pixels.
constexpr int box_left_portrait = 5, box_bottom_portrait = 10;
constexpr int box_right_landscape = 2, box_bottom_landscape = 2;

constexpr int observer_mark_radius = 2;  // pixels
// Axis lines start this far inside the disc's edge, pixels: 6 at the top
// and left, 7 at the bottom and right.
constexpr int axis_inset_near = 6, axis_inset_far = 7;

// Legend: position in units (portrait, landscape), row step, dot radius and
// the name's offset from the dot's centre.
constexpr int legend_x_units_portrait = 20, legend_x_units_landscape = 30;
constexpr int legend_y_units_portrait = 4, legend_y_units_landscape = 7;
constexpr int legend_row_units = 3;
constexpr int legend_dot_radius = 4;
constexpr int legend_name_rise = 8;

// The fitted layout's distance from the page's top and left edges, pixels.
constexpr int fitted_margin = 2;
// The legend's names take at most this many font heights across (the
// widest, "Neptun" and "Uranus", take 3.23 in Liberation Sans), and a line
// at most 1.2 font heights.
constexpr double legend_name_room_em = 3.4;
constexpr double line_room_em = 1.2;

// The compass letters, in the order of OverviewLabels::letters.
constexpr std::array<const char*, 4> compass_letters = {"N", "S", "W", "O"};

SceneRect square_around(ScenePoint c, int r) noexcept { return {c.x - r, c.y - r, c.x + r, c.y + r}; }

bool overlap(SceneRect a, SceneRect b) noexcept {
    return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

int legend_x_units(bool portrait) noexcept { return portrait ? legend_x_units_portrait : legend_x_units_landscape; }
int legend_y_units(bool portrait) noexcept { return portrait ? legend_y_units_portrait : legend_y_units_landscape; }

// Unit, outer radius and reach for a disc of half width `half`.
void set_rings(OverviewLayout& l, int half) noexcept {
    l.half = half;
    l.unit = static_cast<int>(half * unit_of_half);
    l.outer_radius = half + outer_radius_units * l.unit;
}

// The chart for half width `half` at the page's top left with the legend
// to its right, and whether all of it lies inside the page.
bool fit_at(OverviewLayout& l, int half) noexcept {
    set_rings(l, half);
    const int reach = overview_chart_reach(l);
    l.centre = {fitted_margin + reach, fitted_margin + reach};
    l.disc = square_around(l.centre, half);
    // The legend's dots clear the chart by at least two pixels.
    const int legend_x =
        std::max(l.centre.x + l.unit * legend_x_units(l.portrait), l.centre.x + reach + legend_dot_radius + 2);
    l.legend = {legend_x, l.centre.y - reach + l.unit * legend_y_units(l.portrait)};
    const int legend_right = legend_x + l.unit + overview_legend_name_room();
    const int last_row = l.legend.y + static_cast<int>(overview_body_count - 1) * legend_row_units * l.unit;
    const int legend_bottom =
        std::max(last_row + legend_dot_radius,
                 last_row - legend_name_rise +
                     static_cast<int>(std::ceil(line_room_em * overview_legend_font.pixel_height)));
    return l.centre.y + reach <= l.height && legend_right <= l.width && legend_bottom <= l.height;
}

}  // namespace

int overview_legend_name_room() noexcept {
    return static_cast<int>(std::ceil(legend_name_room_em * overview_legend_font.pixel_height));
}

int overview_chart_reach(const OverviewLayout& l) noexcept {
    int reach = l.outer_radius;
    for (const OverviewBody& b : overview_bodies)
        reach = std::max(reach, static_cast<int>(l.unit * b.ring_factor + l.half) + b.dot_radius);
    return reach;
}

OverviewLayout overview_layout(int cx, int cy, bool portrait) noexcept {
    const DiscFactors f = portrait ? portrait_factors : landscape_factors;
    const double w = cx;
    OverviewLayout l;
    l.width = cx;
    l.height = cy;
    l.portrait = portrait;
    l.disc.left = static_cast<int>(w * f.left);
    l.disc.top = static_cast<int>(w * f.top);
    l.disc.right = static_cast<int>(w * f.left + w * f.size);
    l.disc.bottom = static_cast<int>(w * f.top + w * f.size);
    set_rings(l, (l.disc.right - l.disc.left) / 2);
    l.centre = {l.disc.left + l.half, l.disc.top + l.half};
    l.legend = {l.centre.x + l.unit * legend_x_units(portrait), l.unit * legend_y_units(portrait)};
    const int r = l.outer_radius;
    if (l.centre.x - r >= 0 && l.centre.y - r >= 0 && l.centre.x + r <= cx && l.centre.y + r <= cy) return l;

    // The rule ran off the page: the largest half width that fits, at most
    // the rule's (on a page too small for any, the smallest).
    l.fitted = true;
    for (int half = std::max(l.half, 1); half > 1; --half)
        if (fit_at(l, half)) return l;
    fit_at(l, 1);
    return l;
}

ScenePoint overview_check_box_place(int cx, int cy, int box_width, int box_height, bool portrait) noexcept {
    if (portrait) return {box_left_portrait, cy - box_height - box_bottom_portrait};
    return {cx - box_width - box_right_landscape, cy - box_height - box_bottom_landscape};
}

OverviewDirections overview_directions(const SheetState& s) noexcept {
    const double offset = s.time_offset_hours();
    const double lon = s.observer_longitude, lat = s.observer_latitude;
    OverviewDirections d{};
    const auto set = [&d](std::size_t body, double altitude, double azimuth_from_south) {
        d[body].azimuth_deg = azimuth_from_north(azimuth_from_south * degrees_per_radian);
        d[body].altitude = altitude;
    };
    double altitude = 0.0, azimuth = 0.0, distance_km = 0.0;
    sun_horizontal(s.current_time, lon, lat, offset, altitude, azimuth, distance_km);
    set(0, altitude, azimuth);
    moon_horizontal(s.current_time, lon, lat, offset, altitude, azimuth, distance_km);
    set(1, altitude, azimuth);
    for (std::size_t k = 0; k < entry_planet_numbers.size(); ++k) {
        planet_horizontal(entry_planet_numbers[k], s.current_time, lon, lat, offset, altitude, azimuth);
        set(2 + k, altitude, azimuth);
    }
    return d;
}

OverviewDot overview_dot(const OverviewLayout& l, std::size_t body, BodyDirection direction, bool only_risen,
                         double pixel_scale) noexcept {
    const OverviewBody& b = overview_bodies[body];
    const int r = static_cast<int>(l.unit * b.ring_factor + l.half);
    const double a = direction.azimuth_deg * radians_per_degree;
    OverviewDot dot;
    dot.centre = {l.centre.x + static_cast<int>(r * std::sin(a)), l.centre.y - static_cast<int>(r * std::cos(a))};
    dot.radius = scaled_pixels(b.dot_radius, pixel_scale);
    dot.drawn = !(only_risen && direction.altitude <= 0.0);
    return dot;
}

OverviewLabels overview_labels(const OverviewLayout& l, const TextMeasure& measure, double pixel_scale) {
    const auto& letters = compass_letters;
    const SceneFont letter_font = scaled_font(overview_letter_font, pixel_scale);
    std::array<TextExtent, 4> e;
    for (std::size_t k = 0; k < letters.size(); ++k) e[k] = measure.measure(letters[k], letter_font);
    const int cx = l.centre.x, cy = l.centre.y;
    const auto px = [pixel_scale](int n) { return scaled_pixels(n, pixel_scale); };
    OverviewLabels labels;
    labels.letters = {{{cx - px(3), l.disc.top + px(3)},
                       {cx - px(3), l.disc.bottom - px(18)},
                       {l.disc.left + px(7), cy - px(7)},
                       {l.disc.right - px(17), cy - px(7)}}};
    const auto extents_overlap = [&] {
        for (std::size_t a = 0; a < letters.size(); ++a)
            for (std::size_t b = a + 1; b < letters.size(); ++b) {
                const ScenePoint p = labels.letters[a], q = labels.letters[b];
                if (overlap({p.x, p.y, p.x + e[a].width, p.y + e[a].height},
                            {q.x, q.y, q.x + e[b].width, q.y + e[b].height}))
                    return true;
            }
        return false;
    };
    labels.letters_at_edge = extents_overlap();
    if (labels.letters_at_edge)
        labels.letters = {{{cx - e[0].width / 2, l.disc.top + px(1)},
                           {cx - e[1].width / 2, l.disc.bottom - px(1) - e[1].height},
                           {l.disc.left + px(1), cy - e[2].height / 2},
                           {l.disc.right - px(1) - e[3].width, cy - e[3].height / 2}}};

    int widest = 0;
    for (const OverviewBody& b : overview_bodies)
        widest = std::max(widest, measure.measure(b.name, scaled_font(overview_legend_font, pixel_scale)).width);
    labels.legend = {std::min(l.legend.x, l.width - l.unit - widest), l.legend.y};
    return labels;
}

void append_overview_background(Scene& scene, const OverviewLayout& l, const TextMeasure& measure,
                                double pixel_scale) {
    const Rgb chart = overview_brushes[0];
    const int cx = l.centre.x, cy = l.centre.y, r = l.outer_radius;
    const auto px = [pixel_scale](int n) { return scaled_pixels(n, pixel_scale); };
    scene.ellipse(square_around(l.centre, r), overview_pen_rgb, chart, RasterMode::copy);
    scene.ellipse(l.disc, overview_pen_rgb, chart, RasterMode::copy);
    scene.ellipse(square_around(l.centre, px(observer_mark_radius)), overview_pen_rgb, chart, RasterMode::copy);

    scene.line({cx, l.disc.top + px(axis_inset_near)}, {cx, cy - r}, overview_pen_rgb, RasterMode::copy);
    scene.line({cx, l.disc.bottom - px(axis_inset_far)}, {cx, cy + r}, overview_pen_rgb, RasterMode::copy);
    scene.line({l.disc.left + px(axis_inset_near), cy}, {cx - r, cy}, overview_pen_rgb, RasterMode::copy);
    scene.line({l.disc.right - px(axis_inset_far), cy}, {cx + r, cy}, overview_pen_rgb, RasterMode::copy);

    const OverviewLabels labels = overview_labels(l, measure, pixel_scale);
    const SceneFont letter_font = scaled_font(overview_letter_font, pixel_scale);
    const SceneFont legend_font = scaled_font(overview_legend_font, pixel_scale);
    for (std::size_t k = 0; k < compass_letters.size(); ++k)
        scene.text(labels.letters[k], compass_letters[k], letter_font, overview_text_rgb,
                   overview_text_background_rgb, RasterMode::copy);

    const int x = labels.legend.x;
    int y = labels.legend.y;
    for (std::size_t body = 0; body < overview_body_count; ++body) {
        scene.ellipse(square_around({x, y}, px(legend_dot_radius)), std::nullopt, overview_brushes[body + 1],
                      RasterMode::copy);
        scene.text({x + l.unit, y - px(legend_name_rise)}, overview_bodies[body].name, legend_font,
                   overview_text_rgb, overview_text_background_rgb, RasterMode::copy);
        y += legend_row_units * l.unit;
    }
    // Letters moved to the disc's edge cover its outline with their opaque
    // backgrounds; the outline is drawn again over them.
    if (labels.letters_at_edge) scene.ellipse(l.disc, overview_pen_rgb, std::nullopt, RasterMode::copy);
}

void append_overview_dots(Scene& scene, const OverviewLayout& l, const OverviewDirections& directions,
                          bool only_risen, double pixel_scale) {
    for (std::size_t body = 0; body < overview_body_count; ++body) {
        const OverviewDot dot = overview_dot(l, body, directions[body], only_risen, pixel_scale);
        if (!dot.drawn) continue;
        scene.ellipse(square_around(dot.centre, dot.radius), std::nullopt, overview_brushes[body + 1],
                      RasterMode::not_xor);
    }
}

OverviewPaint overview_paint(const SheetState& s, const OverviewLayout& l, bool full, bool only_risen,
                             const OverviewDirections& remembered, const TextMeasure& measure,
                             double pixel_scale) {
    OverviewPaint p;
    if (full)
        append_overview_background(p.scene, l, measure, pixel_scale);
    else
        append_overview_dots(p.scene, l, remembered, only_risen, pixel_scale);
    p.drawn = overview_directions(s);
    append_overview_dots(p.scene, l, p.drawn, only_risen, pixel_scale);
    return p;
}

}  // namespace orbant
