#include "pages/overview_scene.h"

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

SceneRect square_around(ScenePoint c, int r) noexcept { return {c.x - r, c.y - r, c.x + r, c.y + r}; }

}  // namespace

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
    l.half = (l.disc.right - l.disc.left) / 2;
    l.centre = {l.disc.left + l.half, l.disc.top + l.half};
    l.unit = static_cast<int>(l.half * unit_of_half);
    l.outer_radius = l.half + outer_radius_units * l.unit;
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

OverviewDot overview_dot(const OverviewLayout& l, std::size_t body, BodyDirection direction,
                         bool only_risen) noexcept {
    const OverviewBody& b = overview_bodies[body];
    const int r = static_cast<int>(l.unit * b.ring_factor + l.half);
    const double a = direction.azimuth_deg * radians_per_degree;
    OverviewDot dot;
    dot.centre = {l.centre.x + static_cast<int>(r * std::sin(a)), l.centre.y - static_cast<int>(r * std::cos(a))};
    dot.radius = b.dot_radius;
    dot.drawn = !(only_risen && direction.altitude <= 0.0);
    return dot;
}

void append_overview_background(Scene& scene, const OverviewLayout& l) {
    const Rgb chart = overview_brushes[0];
    const int cx = l.centre.x, cy = l.centre.y, r = l.outer_radius;
    scene.ellipse(square_around(l.centre, r), overview_pen_rgb, chart, RasterMode::copy);
    scene.ellipse(l.disc, overview_pen_rgb, chart, RasterMode::copy);
    scene.ellipse(square_around(l.centre, observer_mark_radius), overview_pen_rgb, chart, RasterMode::copy);

    scene.line({cx, l.disc.top + axis_inset_near}, {cx, cy - r}, overview_pen_rgb, RasterMode::copy);
    scene.line({cx, l.disc.bottom - axis_inset_far}, {cx, cy + r}, overview_pen_rgb, RasterMode::copy);
    scene.line({l.disc.left + axis_inset_near, cy}, {cx - r, cy}, overview_pen_rgb, RasterMode::copy);
    scene.line({l.disc.right - axis_inset_far, cy}, {cx + r, cy}, overview_pen_rgb, RasterMode::copy);

    // The letters sit inside the disc: N and S centred on the vertical axis,
    // W and O on the horizontal one.
    const auto letter = [&](ScenePoint at, const char* text) {
        scene.text(at, text, overview_letter_font, overview_text_rgb, overview_text_background_rgb,
                   RasterMode::copy);
    };
    letter({cx - 3, l.disc.top + 3}, "N");
    letter({cx - 3, l.disc.bottom - 18}, "S");
    letter({l.disc.left + 7, cy - 7}, "W");
    letter({l.disc.right - 17, cy - 7}, "O");

    const int x = cx + l.unit * (l.portrait ? legend_x_units_portrait : legend_x_units_landscape);
    int y = l.unit * (l.portrait ? legend_y_units_portrait : legend_y_units_landscape);
    for (std::size_t body = 0; body < overview_body_count; ++body) {
        scene.ellipse(square_around({x, y}, legend_dot_radius), std::nullopt, overview_brushes[body + 1],
                      RasterMode::copy);
        scene.text({x + l.unit, y - legend_name_rise}, overview_bodies[body].name, overview_legend_font,
                   overview_text_rgb, overview_text_background_rgb, RasterMode::copy);
        y += legend_row_units * l.unit;
    }
}

void append_overview_dots(Scene& scene, const OverviewLayout& l, const OverviewDirections& directions,
                          bool only_risen) {
    for (std::size_t body = 0; body < overview_body_count; ++body) {
        const OverviewDot dot = overview_dot(l, body, directions[body], only_risen);
        if (!dot.drawn) continue;
        scene.ellipse(square_around(dot.centre, dot.radius), std::nullopt, overview_brushes[body + 1],
                      RasterMode::not_xor);
    }
}

OverviewPaint overview_paint(const SheetState& s, const OverviewLayout& l, bool full, bool only_risen,
                             const OverviewDirections& remembered) {
    OverviewPaint p;
    if (full)
        append_overview_background(p.scene, l);
    else
        append_overview_dots(p.scene, l, remembered, only_risen);
    p.drawn = overview_directions(s);
    append_overview_dots(p.scene, l, p.drawn, only_risen);
    return p;
}

}  // namespace orbant
