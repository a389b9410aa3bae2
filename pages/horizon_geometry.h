// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <array>

#include "pages/scene.h"

// Geometry of the horizon view "Horizont": the central projection of
// altitude and azimuth onto the page, its fitting to the field, the layout
// of the field and the button row, the precomputed coordinate grid, the
// screen position of one object and the inside test. Qt-free, allocation
// free and independent of the time: the page, the scene function and the
// text front end all place their marks with these functions.
//
// Conventions: angles in degrees unless a name says otherwise; azimuth
// offsets H = view azimuth - object azimuth (both north-based), so positive
// offsets lie left of the middle of the field; pixel coordinates grow to
// the right and downwards; "int(...)" is truncation toward zero.

namespace orbant {

// Altitude of the projection's tangent point above the horizon, degrees.
inline constexpr double horizon_view_altitude_deg = 45.0;
// Half the azimuth span of the field at the horizon, degrees.
inline constexpr double half_field_landscape_deg = 50.0;
inline constexpr double half_field_portrait_deg = 30.0;
// Horizon line as a fraction of the page height.
inline constexpr double horizon_line_fraction_landscape = 0.88;
inline constexpr double horizon_line_fraction_portrait = 0.92;
// Altitude of the azimuth labels of the grid, degrees.
inline constexpr int azimuth_label_altitude_landscape_deg = 50;
inline constexpr int azimuth_label_altitude_portrait_deg = 70;
// Left and top edges of the field, pixels.
inline constexpr int horizon_field_left = 1;
inline constexpr int horizon_field_top = 2;
// The projection's result for one direction.
struct TangentPlanePoint {
    double x = 0.0;  // X, tangent-plane units, grows to the right
    double y = 0.0;  // Y, tangent-plane units, grows upwards
    double s = 0.0;  // cosine of the angle from the tangent point; <= 0 behind the observer
};

// Gnomonic projection of a horizontal direction onto the plane touching the
// sky at altitude phi in the viewing direction.
//
// Given:    phi_deg: altitude of the tangent point, degrees;
//           altitude_deg: the direction's altitude, degrees;
//           offset_deg: azimuth offset H, view azimuth minus the direction's
//           azimuth (north-based), degrees, any value (not reduced).
// Returned: s = sin phi sin d + cos phi cos d cos H;
//           Y = (cos phi sin d - sin phi cos d cos H) / s;
//           X = -cos d sin H / s (the sine form, finite at H = +-90 degrees,
//           where the equivalent (sin phi Y - cos phi) tan H is not usable).
// Notes:    degrees are turned into radians by radians_per_degree. For
//           s <= 0 (more than 90 degrees from the tangent point) the values
//           are the mirror image of the direction through the observer;
//           callers that place points test s first. s = 0 gives infinities.
// Reference: gnomonic (central) projection, zenith-centred form with
//           latitude phi, declination d and hour angle H.
// Accuracy: a few ulps.
TangentPlanePoint horizon_projection(double phi_deg, double altitude_deg, double offset_deg) noexcept;

// Field, scales and offsets of the horizon view for one page size.
struct HorizonLayout {
    bool landscape = true;
    int left = horizon_field_left;  // field rectangle, pixels; inside is strict
    int top = horizon_field_top;
    int right = 0;
    int horizon = 0;                // y of the horizon line, pixels
    double view_altitude_deg = horizon_view_altitude_deg;
    double half_field_deg = half_field_landscape_deg;
    int azimuth_label_altitude_deg = azimuth_label_altitude_landscape_deg;
    double scale_x = 0.0;  // pixels per tangent-plane unit
    double scale_y = 0.0;  // pixels per tangent-plane unit, negative (y grows downwards)
    int offset_x = 0;      // pixel x of X = 0
    int offset_y = 0;      // pixel y of Y = 0
};

// True when the screen the program fills is landscape: width >= height.
constexpr bool screen_is_landscape(int screen_width, int screen_height) noexcept {
    return screen_width >= screen_height;
}

// Layout of the horizon view for a page of the given size, with the
// projection fitted to the field.
//
// Given:    page_width, page_height: pixels; landscape: the screen's
//           orientation (screen_is_landscape of the window the program
//           fills, not necessarily of the page).
// Returned: left 1, top 2, right = page_width - 1, horizon =
//           int(page_height * 0.88) landscape or int(page_height * 0.92)
//           portrait; half field 50 or 30 degrees; azimuth labels at 50 or
//           70 degrees; view altitude 45. With X1, X2 the horizon points
//           at offsets +half, -half and Y0, Yz the horizon straight ahead
//           and the zenith: scale_x = (right - left) / (X2 - X1), offset_x =
//           int((left X2 - right X1) / (X2 - X1)), scale_y = (top - horizon)
//           / (Yz - Y0), offset_y = int((horizon Yz - top Y0) / (Yz - Y0)).
// Notes:    so the field's corners at the horizon fall on x = left and
//           x = right, the zenith on y = top; the two scales differ, the
//           projection is stretched to fill the field. Through truncation
//           the horizon straight ahead lands on y = horizon - 1.
// Reference: -
// Accuracy: exact up to the truncations named.
HorizonLayout horizon_layout(int page_width, int page_height, bool landscape) noexcept;

// Pixel position of the direction (altitude, offset) in the layout.
//
// Given:    layout; altitude_deg and offset_deg as for horizon_projection.
// Returned: x = int(scale_x X) + offset_x, y = int(scale_y Y) + offset_y;
//           no_position when s <= 0 (behind the observer, which the
//           projection would mirror into the picture) or when a scaled
//           coordinate is not a finite number within +-1e9 pixels.
// Notes:    no test of the altitude's sign: the grid uses it at altitude 0.
// Reference: -
// Accuracy: exact up to the truncations named.
ScenePoint horizon_screen_point(const HorizonLayout& layout, double altitude_deg, double offset_deg) noexcept;

// Pixel position of an object given as the position services return it.
//
// Given:    layout; view_azimuth_deg: the north-based azimuth the view
//           faces, degrees, [0, 360]; azimuth: the object's azimuth from the
//           south point through west, radians; altitude: radians.
// Returned: no_position when the altitude is below 0; otherwise
//           horizon_screen_point of altitude * degrees_per_radian and H =
//           view_azimuth_deg - azimuth_from_north(azimuth *
//           degrees_per_radian), not reduced to a range.
// Notes:    an object at the horizon (altitude exactly 0) is placed.
// Reference: -
// Accuracy: as horizon_screen_point.
ScenePoint object_screen_point(const HorizonLayout& layout, double view_azimuth_deg, double azimuth,
                                double altitude) noexcept;

// True when p lies strictly inside the field: left < x < right and
// top < y < horizon.
constexpr bool inside_field(const HorizonLayout& layout, ScenePoint p) noexcept {
    return layout.left < p.x && p.x < layout.right && layout.top < p.y && p.y < layout.horizon;
}

// Capacity of one half of an altitude circle, points.
inline constexpr int altitude_circle_capacity = 92;
// The altitudes of the grid's circles, degrees, in drawing order.
inline constexpr std::array<int, 4> grid_altitudes_deg{20, 40, 60, 80};
// Capacity of the grid's vertical segments.
inline constexpr int vertical_segment_capacity = 9;
// Azimuth offsets of the grid's azimuth labels, degrees, in drawing order.
inline constexpr std::array<int, 4> azimuth_label_offsets_deg{40, 80, -40, -80};

// One half of a circle of altitude: points at offsets 0, sign, 2 sign, ...
struct AltitudeCircle {
    int altitude_deg = 0;
    int sign = 1;     // +1: positive offsets (left half), -1: negative offsets (right half)
    int stored = 0;   // points held in `points`
    int count = 0;    // points drawn: from the first up to the last inside the field
    std::array<ScenePoint, altitude_circle_capacity> points{};
};

// One vertical line of the grid, from altitude 80 downwards.
struct VerticalSegment {
    int offset_deg = 0;      // azimuth offset H, degrees
    int end_altitude_deg = 0;
    ScenePoint start;       // the point at altitude 80
    ScenePoint end;         // the point at end_altitude_deg
};

// The coordinate grid of the horizon view, relative to the view direction.
struct HorizonGrid {
    // Altitudes 20, 40, 60, 80, each with sign +1 then -1.
    std::array<AltitudeCircle, 2 * grid_altitudes_deg.size()> circles{};
    std::array<VerticalSegment, vertical_segment_capacity> verticals{};
    int vertical_count = 0;
    // Top-left corners of the altitude labels "20°" .. "80°": the point of
    // (altitude, offset 0) moved 2 pixels right and 1 down.
    std::array<ScenePoint, grid_altitudes_deg.size()> altitude_label_corners{};
    // Centres of the azimuth labels for the offsets 40, 80, -40, -80: the
    // points of (azimuth label altitude, offset).
    std::array<ScenePoint, azimuth_label_offsets_deg.size()> azimuth_label_centres{};
};

// The grid for a layout, computed once per page size.
//
// Given:    layout.
// Returned: circles: for altitude a and sign g the first point is (a, 0);
//           the point at offset g k is stored while the point at g (k - 1)
//           was inside the field, up to altitude_circle_capacity points;
//           count runs from the first point to the last inside one (0 when
//           the first is outside). verticals: for H = -180, -160, ..., 180
//           whose point at altitude 80 is inside, the segment from it down
//           to the lowest altitude reached by stepping one degree at a time
//           from 79 while the points stay inside (altitude 0 when every
//           point down to the horizon is inside); at most
//           vertical_segment_capacity are kept, in ascending H.
// Notes:    with the fields of horizon_layout exactly the nine offsets -80
//           to 80 qualify, and the 80 degree circle meets the top at offset
//           90, so 91 of its points are stored and 90 counted.
// Reference: -
// Accuracy: as horizon_screen_point.
HorizonGrid horizon_grid(const HorizonLayout& layout) noexcept;

// Whole-degree north-based azimuths of the three direction words: at the
// field's left edge, its middle and its right edge.
struct HorizonDirections {
    int left = 0;
    int middle = 0;
    int right = 0;
};

// Azimuths for compass_point at the edges and the middle of the field.
//
// Given:    view_azimuth_deg, [0, 360]; half_field_deg.
// Returned: middle int(view); left int(view - half), plus 360 when
//           negative; right int(view + half), minus 360 when above 360.
// Notes:    truncation comes before the wrap: view 22.5, half 50 gives
//           int(-27.5) + 360 = 333. 360 is kept as it is ("N").
// Reference: -
// Accuracy: exact.
HorizonDirections horizon_direction_azimuths(double view_azimuth_deg, double half_field_deg) noexcept;

// Whole-degree north-based azimuth written on the grid at an offset.
//
// Given:    view_azimuth_deg, [0, 360]; offset_deg, degrees.
// Returned: int(view - offset), plus 360 when below 0, minus 360 when
//           above 360: view 22.5, offset 40 gives -17 + 360 = 343.
// Reference: -
// Accuracy: exact.
int azimuth_label_degrees(double view_azimuth_deg, int offset_deg) noexcept;

// The horizon page's buttons that turn the view.
enum class ViewTurn {
    left_15,   // "<"
    right_15,  // ">"
    left_90,   // "<<": to the next multiple of 90 counter-clockwise
    right_90,  // ">>": to the next multiple of 90 clockwise
};

// View azimuth after one press of a turning button.
//
// Given:    view_azimuth_deg, north-based, [0, 360]; turn.
// Returned: "<": A - 15, plus 360 when <= 0. ">": A + 15, less 360 when
//           >= 360. "<<": the largest multiple of 90 below int(A), or
//           A - 90 when int(A) is one, then plus 360 when <= 0. ">>": the
//           smallest multiple of 90 above int(A), or A + 90 when int(A) is
//           one, then less 360 when >= 360.
// Notes:    north is 360 after a left turn and 0 after a right one:
//           ">" at 345 gives 0, "<" at 15 gives 360.
// Reference: -
// Accuracy: exact for whole degrees.
double turned_view_azimuth(double view_azimuth_deg, ViewTurn turn) noexcept;

// Turning the view by hand: a drag or swipe across the sky, the mouse
// wheel and the arrow keys.

// Distance a press must move, in pixels at page factor 1, before it becomes
// a drag; shorter moves stay a tap.
inline constexpr int drag_threshold_px = 4;
// Wheel angle of one notch, in the eighths of a degree that wheels report.
inline constexpr int wheel_notch_eighths = 120;
// Steps of "<" or ">" in a full turn of the view.
inline constexpr int small_turns_per_full_turn = 24;

// True when a press that moved by (dx, dy) pixels has become a drag.
//
// Given:    dx, dy: pointer movement since the press, pixels; factor: the
//           page's factor (1 on the template's own size).
// Returned: |dx| + |dy| > round(drag_threshold_px * factor), the threshold
//           at least 1.
// Reference: -
// Accuracy: exact.
bool drag_started(int dx, int dy, double factor) noexcept;

// Pixels per degree of azimuth at the middle of the horizon.
//
// Given:    layout.
// Returned: |scale_x| / cos(view altitude) times radians_per_degree: the
//           derivative of x along the horizon at offset 0, where X =
//           -tan H / cos phi.
// Notes:    towards the edges a degree takes more pixels; the middle is
//           where the eye follows a drag.
// Reference: -
// Accuracy: a few ulps.
double horizon_pixels_per_degree(const HorizonLayout& layout) noexcept;

// View azimuth during a drag.
//
// Given:    layout; start_azimuth_deg: the view azimuth when the press
//           began, north-based, [0, 360]; dx: pointer movement to the right
//           since then, pixels.
// Returned: the start turned by the whole number of degrees nearest to
//           -dx / horizon_pixels_per_degree (moving right turns the view
//           left, pulling the sky along); the start unchanged when that is
//           0; otherwise wrapped as the buttons do: <= 0 after a left turn
//           gains 360, >= 360 after a right turn loses 360.
// Notes:    measured from the start, so a drag back to the press point
//           restores the start exactly.
// Reference: -
// Accuracy: exact for whole-degree starts.
double dragged_view_azimuth(const HorizonLayout& layout, double start_azimuth_deg, int dx) noexcept;

// Whole 15-degree steps of the wheel, with the rest kept for later.
//
// Given:    pending: eighths of a degree not yet turned into steps; delta:
//           the wheel's new angle, eighths of a degree (positive when the
//           wheel turns forward, away from the user).
// Returned: the number of whole notches in pending + delta, truncated toward
//           zero; pending keeps the rest. A positive count means "<" steps,
//           a negative one ">" steps.
// Notes:    a reversal of direction starts from the rest, so fine touchpad
//           scrolling back and forth never skips a step.
// Reference: -
// Accuracy: exact.
int wheel_steps(int& pending, int delta) noexcept;

// The turn of an arrow key: Left "<", Right ">", with Shift "<<" and ">>".
constexpr ViewTurn arrow_key_turn(bool right, bool shift) noexcept {
    if (shift) return right ? ViewTurn::right_90 : ViewTurn::left_90;
    return right ? ViewTurn::right_15 : ViewTurn::left_15;
}

// Positions of the page's seven controls in one row under the horizon line,
// in the order "<", ">", "<<", ">>", "Bilder", "Netz", "Ecl.".
struct HorizonControlRow {
    int y = 0;
    std::array<int, 7> x{};
};

// The control row for a horizon line and the controls' widths.
//
// Given:    horizon: y of the horizon line; arrow_width: width f of the "<"
//           button; pictures_width, grid_width: widths of "Bilder" and
//           "Netz"; pixels.
// Returned: y = horizon + 3; x = 2, f + 4, 2f + 6, 3f + 8, 4f + 12, then
//           "Netz" and "Ecl." each 2 pixels right of the control before.
// Reference: -
// Accuracy: exact.
HorizonControlRow horizon_control_row(int horizon, int arrow_width, int pictures_width, int grid_width) noexcept;

}  // namespace orbant
