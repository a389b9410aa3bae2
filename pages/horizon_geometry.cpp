// SPDX-License-Identifier: GPL-3.0-or-later
#include "pages/horizon_geometry.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstddef>

#include "astro/constants.h"
#include "astro/services/format.h"

namespace orbant {
namespace {

// Largest scaled coordinate turned into pixels; beyond it (and for NaN) a
// point is off every field, and the conversion to int would overflow.
constexpr double largest_pixel_coordinate = 1e9;

// Altitude at which the grid's vertical segments start, degrees.
constexpr int vertical_start_altitude_deg = 80;
// First and last azimuth offsets of the vertical segments and their step, degrees.
constexpr int vertical_first_offset_deg = -180;
constexpr int vertical_last_offset_deg = 180;
constexpr int vertical_offset_step_deg = 20;
// Quarter turn, degrees.
constexpr int quarter_turn_deg = 90;
// Step of the "<" and ">" buttons, degrees.
constexpr double small_turn_deg = 15.0;

// Largest multiple of 90 at or below a whole number of degrees.
int quarter_turn_floor(int degrees) noexcept {
    const int q = degrees / quarter_turn_deg;
    return (degrees % quarter_turn_deg < 0 ? q - 1 : q) * quarter_turn_deg;
}

AltitudeCircle altitude_circle(const HorizonLayout& layout, int altitude_deg, int sign) noexcept {
    AltitudeCircle c;
    c.altitude_deg = altitude_deg;
    c.sign = sign;
    c.points[0] = horizon_screen_point(layout, altitude_deg, 0.0);
    c.stored = 1;
    while (c.stored < altitude_circle_capacity && inside_field(layout, c.points[c.stored - 1])) {
        c.points[c.stored] = horizon_screen_point(layout, altitude_deg, static_cast<double>(sign * c.stored));
        ++c.stored;
    }
    c.count = inside_field(layout, c.points[c.stored - 1]) ? c.stored : c.stored - 1;
    return c;
}

}  // namespace

TangentPlanePoint horizon_projection(double phi_deg, double altitude_deg, double offset_deg) noexcept {
    const double phi = phi_deg * radians_per_degree;
    const double d = altitude_deg * radians_per_degree;
    const double h = offset_deg * radians_per_degree;
    TangentPlanePoint p;
    p.s = std::sin(phi) * std::sin(d) + std::cos(phi) * std::cos(d) * std::cos(h);
    p.y = (std::cos(phi) * std::sin(d) - std::sin(phi) * std::cos(d) * std::cos(h)) / p.s;
    p.x = -std::cos(d) * std::sin(h) / p.s;
    return p;
}

HorizonLayout horizon_layout(int page_width, int page_height, bool landscape) noexcept {
    HorizonLayout l;
    l.landscape = landscape;
    l.right = page_width - 1;
    l.horizon = static_cast<int>(page_height *
                                 (landscape ? horizon_line_fraction_landscape : horizon_line_fraction_portrait));
    l.top = horizon_field_top;
    l.left = horizon_field_left;
    l.half_field_deg = landscape ? half_field_landscape_deg : half_field_portrait_deg;
    l.azimuth_label_altitude_deg =
        landscape ? azimuth_label_altitude_landscape_deg : azimuth_label_altitude_portrait_deg;
    l.view_altitude_deg = horizon_view_altitude_deg;

    const double phi = l.view_altitude_deg;
    const double x1 = horizon_projection(phi, 0.0, l.half_field_deg).x;
    const double x2 = horizon_projection(phi, 0.0, -l.half_field_deg).x;
    const double y0 = horizon_projection(phi, 0.0, 0.0).y;
    const double yz = horizon_projection(phi, 90.0, 0.0).y;
    l.scale_x = (l.right - l.left) / (x2 - x1);
    l.offset_x = static_cast<int>((l.left * x2 - l.right * x1) / (x2 - x1));
    l.scale_y = (l.top - l.horizon) / (yz - y0);
    l.offset_y = static_cast<int>((l.horizon * yz - l.top * y0) / (yz - y0));
    return l;
}

ScenePoint horizon_screen_point(const HorizonLayout& layout, double altitude_deg, double offset_deg) noexcept {
    const TangentPlanePoint p = horizon_projection(layout.view_altitude_deg, altitude_deg, offset_deg);
    // Not `s <= 0` alone: a NaN s must not pass either.
    if (!(p.s > 0.0)) return no_position;
    const double sx = layout.scale_x * p.x;
    const double sy = layout.scale_y * p.y;
    if (!(std::fabs(sx) < largest_pixel_coordinate && std::fabs(sy) < largest_pixel_coordinate))
        return no_position;
    return {static_cast<int>(sx) + layout.offset_x, static_cast<int>(sy) + layout.offset_y};
}

ScenePoint object_screen_point(const HorizonLayout& layout, double view_azimuth_deg, double azimuth,
                                double altitude) noexcept {
    if (altitude < 0.0) return no_position;
    const double azimuth_deg = azimuth_from_north(azimuth * degrees_per_radian);
    return horizon_screen_point(layout, altitude * degrees_per_radian, view_azimuth_deg - azimuth_deg);
}

HorizonGrid horizon_grid(const HorizonLayout& layout) noexcept {
    HorizonGrid g;
    for (std::size_t i = 0; i < grid_altitudes_deg.size(); ++i) {
        const int a = grid_altitudes_deg[i];
        g.circles[2 * i] = altitude_circle(layout, a, 1);
        g.circles[2 * i + 1] = altitude_circle(layout, a, -1);
        const ScenePoint p = horizon_screen_point(layout, a, 0.0);
        g.altitude_label_corners[i] = {p.x + 2, p.y + 1};
    }
    for (int h = vertical_first_offset_deg;
         h <= vertical_last_offset_deg && g.vertical_count < vertical_segment_capacity;
         h += vertical_offset_step_deg) {
        const ScenePoint start = horizon_screen_point(layout, vertical_start_altitude_deg, h);
        if (!inside_field(layout, start)) continue;
        VerticalSegment& v = g.verticals[static_cast<std::size_t>(g.vertical_count++)];
        v.offset_deg = h;
        v.start = start;
        v.end = start;
        v.end_altitude_deg = vertical_start_altitude_deg;
        for (int a = vertical_start_altitude_deg - 1; a >= 0; --a) {
            const ScenePoint q = horizon_screen_point(layout, a, h);
            if (!inside_field(layout, q)) break;
            v.end = q;
            v.end_altitude_deg = a;
        }
    }
    for (std::size_t i = 0; i < azimuth_label_offsets_deg.size(); ++i)
        g.azimuth_label_centres[i] =
            horizon_screen_point(layout, layout.azimuth_label_altitude_deg, azimuth_label_offsets_deg[i]);
    return g;
}

HorizonDirections horizon_direction_azimuths(double view_azimuth_deg, double half_field_deg) noexcept {
    HorizonDirections d;
    d.middle = static_cast<int>(view_azimuth_deg);
    d.left = static_cast<int>(view_azimuth_deg - half_field_deg);
    if (d.left < 0) d.left += 360;
    d.right = static_cast<int>(view_azimuth_deg + half_field_deg);
    if (d.right > 360) d.right -= 360;
    return d;
}

int azimuth_label_degrees(double view_azimuth_deg, int offset_deg) noexcept {
    int a = static_cast<int>(view_azimuth_deg - offset_deg);
    if (a < 0) a += 360;
    if (a > 360) a -= 360;
    return a;
}

double turned_view_azimuth(double view_azimuth_deg, ViewTurn turn) noexcept {
    double a = view_azimuth_deg;
    switch (turn) {
    case ViewTurn::left_15:
        a -= small_turn_deg;
        if (a <= 0.0) a += full_turn_deg;
        break;
    case ViewTurn::right_15:
        a += small_turn_deg;
        if (a >= full_turn_deg) a -= full_turn_deg;
        break;
    case ViewTurn::left_90: {
        const int whole = static_cast<int>(a);
        a = whole % quarter_turn_deg != 0 ? quarter_turn_floor(whole) : a - quarter_turn_deg;
        if (a <= 0.0) a += full_turn_deg;
        break;
    }
    case ViewTurn::right_90: {
        const int whole = static_cast<int>(a);
        a = whole % quarter_turn_deg != 0 ? quarter_turn_floor(whole) + quarter_turn_deg : a + quarter_turn_deg;
        if (a >= full_turn_deg) a -= full_turn_deg;
        break;
    }
    }
    return a;
}

bool drag_started(int dx, int dy, double factor) noexcept {
    const long threshold = std::max(1L, std::lround(drag_threshold_px * factor));
    return std::labs(static_cast<long>(dx)) + std::labs(static_cast<long>(dy)) > threshold;
}

double horizon_pixels_per_degree(const HorizonLayout& layout) noexcept {
    return std::fabs(layout.scale_x) / std::cos(layout.view_altitude_deg * radians_per_degree) * radians_per_degree;
}

double dragged_view_azimuth(const HorizonLayout& layout, double start_azimuth_deg, int dx) noexcept {
    const double per_degree = horizon_pixels_per_degree(layout);
    if (!(per_degree > 0.0)) return start_azimuth_deg;
    const double turn = std::round(-dx / per_degree);
    if (turn == 0.0) return start_azimuth_deg;
    double a = start_azimuth_deg + std::fmod(turn, full_turn_deg);
    if (turn < 0.0 && a <= 0.0) a += full_turn_deg;
    if (turn > 0.0 && a >= full_turn_deg) a -= full_turn_deg;
    return a;
}

int wheel_steps(int& pending, int delta) noexcept {
    // Wide enough for any sum of two ints.
    const long long sum = static_cast<long long>(pending) + delta;
    const long long steps = sum / wheel_notch_eighths;
    pending = static_cast<int>(sum - steps * wheel_notch_eighths);
    return static_cast<int>(steps);
}

HorizonControlRow horizon_control_row(int horizon, int arrow_width, int pictures_width, int grid_width) noexcept {
    const int f = arrow_width;
    HorizonControlRow r;
    r.y = horizon + 3;
    r.x = {2, f + 4, 2 * f + 6, 3 * f + 8, 4 * f + 12, 0, 0};
    r.x[5] = r.x[4] + pictures_width + 2;
    r.x[6] = r.x[5] + grid_width + 2;
    return r;
}

}  // namespace orbant
