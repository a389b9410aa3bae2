// SPDX-License-Identifier: GPL-3.0-or-later
#include "pages/moon_texts.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>

#include "astro/constants.h"
#include "astro/services/format.h"
#include "astro/services/phase.h"
#include "astro/services/positions.h"
#include "astro/time_scales.h"
#include "pages/rise_set_day.h"

namespace orbant {

namespace {

// Picture boxes as fractions of the client area.
inline constexpr double portrait_left = 0.29, portrait_top = 0.52;
inline constexpr double portrait_right = 0.70, portrait_bottom = 0.93;
inline constexpr double landscape_left = 0.64, landscape_top = 0.15;
inline constexpr double landscape_right = 0.95, landscape_bottom = 0.78;
// Frame margins around the picture box, pixels.
inline constexpr int portrait_side_margin = 40;
inline constexpr int landscape_side_margin = 10;
inline constexpr int frame_top_bottom_margin = 10;

std::string phase_text(double percent, int waxing) {
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%d %%", static_cast<int>(round_half_up(percent)));
    return std::string(buffer) + (waxing ? " (Zunehmend)" : " (Abnehmend)");
}

}  // namespace

PageTexts moon_page_texts(const SheetState& state) {
    MoonPicture picture;
    return moon_page_texts(state, picture);
}

PageTexts moon_page_texts(const SheetState& state, MoonPicture& picture) {
    const CivilDateTime& now = state.current_time;
    const double offset = state.time_offset_hours();
    const double longitude = state.observer_longitude;
    const double latitude = state.observer_latitude;

    picture.percent = moon_illumination(now, offset);
    picture.waxing = moon_is_waxing(now, offset);

    double altitude = 0.0, azimuth = 0.0, distance = 0.0;
    moon_horizontal(now, longitude, latitude, offset, altitude, azimuth, distance);
    const double azimuth_north = azimuth_from_north(azimuth * degrees_per_radian);

    const double mjd0 = local_midnight_mjd(now.year, now.month, now.day, offset);
    const RiseSetDay day = scan_day(event_moon, mjd0, longitude * radians_per_degree, latitude * radians_per_degree);

    PageTexts page;
    page.caption = moon_page_caption;
    page.texts = {
        {moon_phase_id, "Mondphase:", phase_text(picture.percent, picture.waxing)},
        {moon_direction_id, "Richtung:", azimuth_text(azimuth_north)},
        {moon_altitude_id, "Höhe:", degree_text(altitude * degrees_per_radian)},
        {moon_distance_id, "Entfernung:", distance_text(distance)},
        {moon_rise_id, "Aufgang:", day.has_rise ? clock_text(day.rise) : missing_time_text},
        {moon_set_id, "Untergang:", day.has_set ? clock_text(day.set) : missing_time_text},
    };
    return page;
}

MoonPictureLayout moon_picture_layout(int cx, int cy, bool portrait, double factor) noexcept {
    MoonPictureLayout l;
    int side = 0;
    if (portrait) {
        l.left = static_cast<int>(cx * portrait_left);
        l.top = static_cast<int>(cy * portrait_top);
        l.right = static_cast<int>(cx * portrait_right);
        l.bottom = static_cast<int>(cy * portrait_bottom);
        side = portrait_side_margin;
    } else {
        l.left = static_cast<int>(cx * landscape_left);
        l.top = static_cast<int>(cy * landscape_top);
        l.right = static_cast<int>(cx * landscape_right);
        l.bottom = static_cast<int>(cy * landscape_bottom);
        side = landscape_side_margin;
    }
    int top_bottom = frame_top_bottom_margin;
    if (factor > 1.0) {
        // The largest square of the box, centred in it; the frame keeps its
        // margins around the square, enlarged with the page.
        side = static_cast<int>(std::lround(side * factor));
        top_bottom = static_cast<int>(std::lround(top_bottom * factor));
        const int width = l.right - l.left, height = std::max(0, l.bottom - l.top);
        const int square = std::min(width, height);
        l.left += (width - square) / 2;
        l.top += (height - square) / 2;
        l.right = l.left + square;
        l.bottom = l.top + square;
    }
    l.size = l.right - l.left;
    l.frame_left = l.left - side;
    l.frame_top = l.top - top_bottom;
    l.frame_right = l.right + side;
    l.frame_bottom = l.bottom + top_bottom;
    return l;
}

std::array<MaskShape, 3> moon_mask_shapes(int q, int waxing, int size) noexcept {
    using Kind = MaskShape::Kind;
    const int b = q * size / 100;
    const int half = size / 2;
    const MaskShape square{Kind::rectangle, 0, 0, size, size, MaskFill::white, true};
    // The terminator's box; for q > 50 its bounds cross and are put in order.
    const MaskShape ellipse_box{Kind::ellipse, std::min(b, size - b), 0, std::max(b, size - b), size,
                                MaskFill::white, false};
    const MaskShape shadow_half = waxing ? MaskShape{Kind::rectangle, 0, 0, half, size, MaskFill::shadow, false}
                                         : MaskShape{Kind::rectangle, half, 0, size, size, MaskFill::shadow, false};
    if (q > 50) {
        MaskShape lit = ellipse_box;
        lit.fill = MaskFill::white;
        return {square, shadow_half, lit};
    }
    MaskShape dark = ellipse_box;
    dark.fill = MaskFill::shadow;
    return {square, dark, shadow_half};
}

bool moon_picture_needs_repaint(double current_percent, double& last_drawn) noexcept {
    if (round_half_up(current_percent) == round_half_up(last_drawn)) return false;
    last_drawn = current_percent;
    return true;
}

}  // namespace orbant
