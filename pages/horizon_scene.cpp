// SPDX-License-Identifier: GPL-3.0-or-later
#include "pages/horizon_scene.h"

#include <algorithm>
#include <cstdio>

#include "astro/constants.h"
#include "astro/services/format.h"
#include "astro/services/phase.h"
#include "astro/services/positions.h"
#include "pages/rise_set_day.h"
#include "text/utf8.h"

namespace orbant {
namespace {

// Longitude step between the ecliptic's points, degrees.
constexpr double ecliptic_step_deg = 2.0;
// Stored magnitudes that separate the three mark sizes.
constexpr double square_mark_magnitude = 1.0;
constexpr double plus_mark_magnitude = 3.0;

// The grid colour's steps: by day red + 100, green + 80 and full blue;
// in twilight and at night red and green + 60.
constexpr int day_grid_red_step = 100;
constexpr int day_grid_green_step = 80;
constexpr std::uint8_t day_grid_blue = 255;
constexpr int other_grid_step = 60;

// Gap between a direction label and the field's edge or the horizon line.
constexpr int direction_label_edge_gap = 2;
constexpr int direction_label_line_gap = 1;

std::uint8_t wrapped_byte(int value) noexcept { return static_cast<std::uint8_t>(value & 0xFF); }


std::vector<ScenePoint> first_points(const AltitudeCircle& c) {
    return {c.points.begin(), c.points.begin() + c.count};
}

std::string degree_text(int degrees) { return std::to_string(degrees) + "°"; }

// The square of `side` pixels around p (one pixel more below and right of
// p than above and left when the side is even).
SceneRect square_at(ScenePoint p, int side) noexcept {
    const int left = p.x - side / 2, top = p.y - side / 2;
    return {left, top, left + side, top + side};
}

// A pixel pattern grown by the pixel scale: each of its pixels becomes a
// square of t = scaled_pixels(1) pixels, so the single pixel is a t x t
// square, the 3 x 3 square one of 3t, the plus three t-wide arms of 3t.
// Its pieces do not overlap, so XOR drawing twice restores every pixel.
void append_scaled_pattern(Scene& scene, ScenePoint p, PixelPattern pattern, Rgb colour, double pixel_scale) {
    const int t = std::max(1, scaled_pixels(1, pixel_scale));
    const SceneRect centre = square_at(p, t);
    switch (pattern) {
    case PixelPattern::one: scene.rectangle(centre, std::nullopt, colour, RasterMode::xor_pen); return;
    case PixelPattern::square:
        scene.rectangle(square_at(p, 3 * t), std::nullopt, colour, RasterMode::xor_pen);
        return;
    case PixelPattern::plus:
        scene.rectangle({centre.left, centre.top - t, centre.right, centre.bottom + t}, std::nullopt, colour,
                        RasterMode::xor_pen);
        scene.rectangle({centre.left - t, centre.top, centre.left, centre.bottom}, std::nullopt, colour,
                        RasterMode::xor_pen);
        scene.rectangle({centre.right, centre.top, centre.right + t, centre.bottom}, std::nullopt, colour,
                        RasterMode::xor_pen);
        return;
    }
}

// The mark of an entry at p: the Moon's and the Sun's discs, the planets'
// and stars' pixel patterns by magnitude, grown by the pixel scale.
void append_mark(Scene& scene, std::size_t entry, double magnitude, ScenePoint p, Rgb sky, double pixel_scale) {
    if (entry == moon_entry || entry == sun_entry) {
        const Rgb brush = sky ^ (entry == moon_entry ? horizon_white_rgb : horizon_sun_rgb);
        const int half = scaled_pixels(horizon_disc_half, pixel_scale);
        scene.ellipse({p.x - half, p.y - half, p.x + half, p.y + half}, std::nullopt, brush, RasterMode::xor_pen);
        return;
    }
    const PixelPattern pattern = magnitude <= square_mark_magnitude ? PixelPattern::square
                                 : magnitude <= plus_mark_magnitude ? PixelPattern::plus
                                                                    : PixelPattern::one;
    const Rgb colour = sky ^ (entry < first_star_entry ? horizon_planet_rgb : horizon_white_rgb);
    if (pixel_scale > 1.0)
        append_scaled_pattern(scene, p, pattern, colour, pixel_scale);
    else
        scene.pattern(p, pattern, colour, RasterMode::xor_pen);
}

// Calls f(first, last) for each polyline [first, last) of the figure list
// that holds at least one star, with its number.
template <class F>
void for_each_figure(const FigureList& figures, F f) {
    std::size_t number = 0, start = 0;
    for (std::size_t i = 0; i < figures.size(); ++i) {
        if (figures[i] != 0) continue;
        if (i > start) f(number, start, i);
        ++number;
        start = i + 1;
    }
}

void append_figures(Scene& scene, const SheetState& state, const HorizonLayout& layout, HorizonMemory& m,
                    Rgb pen, int pen_width) {
    const FigureList& list = state.figure_list;
    for_each_figure(list, [&](std::size_t number, std::size_t first, std::size_t last) {
        const auto entry = [&](std::size_t k) { return static_cast<std::size_t>(list[k]); };
        bool all_earlier = true, all_current = true;
        for (std::size_t k = first; k < last; ++k) {
            all_earlier = all_earlier && inside_field(layout, m.earlier[entry(k)]);
            all_current = all_current && inside_field(layout, m.current[entry(k)]);
        }
        // A first star with an earlier position and another star without
        // one: the polyline is left alone on this paint.
        if (m.earlier[entry(first)] != no_position && !all_earlier) {
            m.figure_drawn[number] = false;
            return;
        }
        // Removed only when the previous paint drew it (then all its
        // earlier positions are inside): a polyline left alone on that
        // paint is not on the canvas, and drawing it "again" would add it.
        std::vector<ScenePoint> points(last - first);
        if (m.figure_drawn[number] && all_earlier) {
            for (std::size_t k = first; k < last; ++k) points[k - first] = m.earlier[entry(k)];
            scene.polyline(points, pen, RasterMode::xor_pen, pen_width);
        }
        m.figure_drawn[number] = all_current;
        if (!all_current) return;
        for (std::size_t k = first; k < last; ++k) points[k - first] = m.current[entry(k)];
        scene.polyline(std::move(points), pen, RasterMode::xor_pen, pen_width);
    });
}

// The stored points of the ecliptic that lie inside the field, in order.
std::vector<ScenePoint> inside_points(const HorizonLayout& layout,
                                      const std::array<ScenePoint, ecliptic_point_count>& points) {
    std::vector<ScenePoint> kept;
    for (ScenePoint p : points)
        if (inside_field(layout, p)) kept.push_back(p);
    return kept;
}

void append_ecliptic(Scene& scene, const SheetState& state, const HorizonLayout& layout, double view_azimuth_deg,
                     HorizonMemory& m, Rgb pen, int pen_width) {
    std::vector<ScenePoint> old_line = inside_points(layout, m.ecliptic);
    if (old_line.size() > 1) scene.polyline(std::move(old_line), pen, RasterMode::xor_pen, pen_width);

    std::array<ScenePoint, ecliptic_point_count> points{};
    for (int i = 0; i < ecliptic_point_count; ++i) {
        double altitude = 0.0, azimuth = 0.0;
        ecliptic_point_horizontal(state.current_time, state.observer_longitude, state.observer_latitude,
                                  state.time_offset_hours(), i * ecliptic_step_deg * radians_per_degree, altitude,
                                  azimuth);
        points[static_cast<std::size_t>(i)] =
            object_screen_point(layout, view_azimuth_deg, azimuth, altitude);
    }
    // The stable exchange sort: 180 passes over neighbouring pairs.
    for (int pass = 0; pass < ecliptic_point_count - 1; ++pass)
        for (std::size_t j = 0; j + 1 < points.size(); ++j)
            if (points[j + 1].x < points[j].x) std::swap(points[j], points[j + 1]);
    m.ecliptic = points;
    std::vector<ScenePoint> line = inside_points(layout, points);
    if (line.size() > 1) scene.polyline(std::move(line), pen, RasterMode::xor_pen, pen_width);
}

void append_grid(Scene& scene, const HorizonFrame& frame, Rgb sky, Rgb grid_colour,
                 const std::vector<std::string>& labels, const TextMeasure& measure, double pixel_scale) {
    const HorizonGrid& g = frame.grid;
    const SceneFont font = scaled_font(horizon_grid_font, pixel_scale);
    const int pen = scaled_pixels(1, pixel_scale);
    for (const AltitudeCircle& c : g.circles)
        if (c.count > 1) scene.polyline(first_points(c), grid_colour, RasterMode::copy, pen);
    for (int i = 0; i < g.vertical_count; ++i) {
        const VerticalSegment& v = g.verticals[static_cast<std::size_t>(i)];
        scene.line(v.start, v.end, grid_colour, RasterMode::copy, pen);
    }
    // labels: three direction words, then four altitude and four azimuth labels.
    std::size_t k = 3;
    // The corners already stand 2 pixels right of and 1 below their points.
    for (ScenePoint corner : g.altitude_label_corners)
        scene.text(corner, labels[k++], font, grid_colour, sky, RasterMode::copy);
    for (ScenePoint centre : g.azimuth_label_centres) {
        const std::string& text = labels[k++];
        const TextExtent e = measure.measure(text, font);
        scene.text({centre.x - e.width / 2, centre.y - e.height / 2}, text, font, grid_colour, sky,
                   RasterMode::copy);
    }
}

void append_direction_labels(Scene& scene, const HorizonFrame& frame, const std::vector<std::string>& labels,
                             Rgb sky, const TextMeasure& measure, double pixel_scale) {
    const HorizonLayout& l = frame.layout;
    const Rgb colour = sky ^ horizon_white_rgb;
    const SceneFont font = scaled_font(horizon_direction_font, pixel_scale);
    const int edge_gap = scaled_pixels(direction_label_edge_gap, pixel_scale);
    const int line_gap = scaled_pixels(direction_label_line_gap, pixel_scale);
    const TextExtent left = measure.measure(labels[0], font);
    const TextExtent middle = measure.measure(labels[1], font);
    const TextExtent right = measure.measure(labels[2], font);
    scene.text({l.right / 2 - middle.width / 2, l.horizon - middle.height - line_gap}, labels[1], font, colour, sky,
               RasterMode::copy);
    scene.text({l.left + edge_gap, l.horizon - left.height - line_gap}, labels[0], font, colour, sky,
               RasterMode::copy);
    scene.text({l.right - right.width - edge_gap, l.horizon - right.height - line_gap}, labels[2], font, colour, sky,
               RasterMode::copy);
}

}  // namespace

HorizonSunTimes horizon_sun_times(const SheetState& state) noexcept {
    const CivilDateTime& now = state.current_time;
    const double midnight = local_midnight_mjd(now.year, now.month, now.day, state.time_offset_hours());
    const double lon = state.observer_longitude * radians_per_degree;
    const double lat = state.observer_latitude * radians_per_degree;
    const RiseSetDay sun = scan_day(event_sun, midnight, lon, lat);
    const RiseSetDay twilight = scan_day(event_nautical_twilight, midnight, lon, lat);
    HorizonSunTimes t;
    t.sunrise = sun.rise;
    t.sunset = sun.set;
    t.has_sunrise = sun.has_rise;
    t.has_sunset = sun.has_set;
    t.morning = twilight.rise;
    t.evening = twilight.set;
    t.has_morning = twilight.has_rise;
    t.has_evening = twilight.has_set;
    // Twilight that ends after midnight belongs to this evening.
    if (t.has_evening && t.evening < t.sunset) t.evening += hours_per_day;
    return t;
}

SkyPhase horizon_sky_phase(const HorizonSunTimes& sun, double hours) noexcept {
    if (!sun.has_sunrise || !sun.has_sunset || !sun.has_morning || !sun.has_evening) return SkyPhase::twilight;
    SkyPhase phase = SkyPhase::night;
    if (0.0 <= hours && hours < sun.morning) phase = SkyPhase::night;
    if (sun.morning <= hours && hours < sun.sunrise) phase = SkyPhase::twilight;
    if (sun.sunrise <= hours && hours < sun.sunset) phase = SkyPhase::day;
    if (sun.sunset <= hours && hours < sun.evening) phase = SkyPhase::twilight;
    if (sun.evening <= hours && hours < hours_per_day) phase = SkyPhase::night;
    return phase;
}

Rgb horizon_sky_rgb(SkyPhase phase) noexcept {
    switch (phase) {
    case SkyPhase::day: return horizon_day_rgb;
    case SkyPhase::twilight: return horizon_twilight_rgb;
    case SkyPhase::night: break;
    }
    return horizon_night_rgb;
}

Rgb horizon_grid_rgb(Rgb sky) noexcept {
    if (sky == horizon_day_rgb)
        return {wrapped_byte(sky.red + day_grid_red_step), wrapped_byte(sky.green + day_grid_green_step),
                day_grid_blue};
    return {wrapped_byte(sky.red + other_grid_step), wrapped_byte(sky.green + other_grid_step), sky.blue};
}

Rgb horizon_paint_sky(const SheetState& state, const HorizonSunTimes& sun) noexcept {
    if (state.night_mode == 1) return horizon_night_rgb;
    const double hours = state.current_time.hour + state.current_time.minute / minutes_per_hour;
    return horizon_sky_rgb(horizon_sky_phase(sun, hours));
}

void HorizonMemory::forget_positions() noexcept {
    current.fill(no_position);
    earlier.fill(no_position);
    ecliptic.fill(no_position);
    figure_drawn.fill(false);
}

HorizonFrame horizon_frame(int width, int height, bool landscape) noexcept {
    HorizonFrame f;
    f.width = width;
    f.height = height;
    f.layout = horizon_layout(width, height, landscape);
    f.grid = horizon_grid(f.layout);
    return f;
}

void place_bodies_in_table(SheetState& state) noexcept {
    SkyTable& t = state.sky_objects;
    const CivilDateTime now = state.current_time;
    const double offset = state.time_offset_hours();
    // The services give radians; the table holds degrees.
    const auto store = [&t](std::size_t e, double ra, double dec) {
        t[e].right_ascension_deg = ra * degrees_per_radian;
        t[e].declination_deg = dec * degrees_per_radian;
    };
    double ra = 0.0, dec = 0.0;
    moon_equatorial(now, offset, ra, dec);
    store(moon_entry, ra, dec);
    sun_equatorial(now, offset, ra, dec);
    store(sun_entry, ra, dec);
    for (std::size_t e = first_planet_entry; e < first_star_entry; ++e) {
        planet_equatorial(planet_number_of_entry(e), now, offset, ra, dec);
        store(e, ra, dec);
    }
    char name[sky_name_capacity];
    std::snprintf(name, sizeof name, "Mond (%3.0f%%)", moon_illumination(now, offset));
    t[moon_entry].set_name(name);
}

std::vector<std::string> horizon_label_texts(const HorizonFrame& frame, const HorizonView& view) {
    const HorizonDirections d = horizon_direction_azimuths(view.azimuth_deg, frame.layout.half_field_deg);
    std::vector<std::string> labels{compass_point(d.left), compass_point(d.middle), compass_point(d.right)};
    if (!view.grid) return labels;
    for (int a : grid_altitudes_deg) labels.push_back(degree_text(a));
    for (int h : azimuth_label_offsets_deg) labels.push_back(degree_text(azimuth_label_degrees(view.azimuth_deg, h)));
    return labels;
}

Scene horizon_paint_scene(const SheetState& state, const HorizonFrame& frame, const HorizonView& view,
                          const HorizonSunTimes& sun, HorizonMemory& m, const TextMeasure& measure,
                          double pixel_scale) {
    const HorizonLayout& l = frame.layout;
    const Rgb sky = horizon_paint_sky(state, sun);
    const bool colour_changed = sky != m.previous_sky;
    m.previous_sky = sky;
    const std::vector<std::string> labels = horizon_label_texts(frame, view);

    Scene scene;
    if (m.full_redraw_request || m.first_paint || colour_changed || state.active_page != 6) {
        const Rgb grid_colour = horizon_grid_rgb(sky);
        scene.rectangle({l.left, l.top, l.right, l.horizon}, grid_colour, sky, RasterMode::copy);
        if (view.grid) append_grid(scene, frame, sky, grid_colour, labels, measure, pixel_scale);
        m.full_redraw_request = false;
        m.first_paint = false;
        m.forget_positions();
    }

    const CivilDateTime now = state.current_time;
    const double offset = state.time_offset_hours();
    for (std::size_t e = 0; e < state.sky_objects.size(); ++e) {
        const SkyObject& o = state.sky_objects[e];
        const double ra = o.right_ascension_deg * radians_per_degree, dec = o.declination_deg * radians_per_degree;
        double altitude = 0.0, azimuth = 0.0;
        fixed_horizontal(now, state.observer_longitude, state.observer_latitude, offset, ra, dec, altitude, azimuth);
        const ScenePoint p = object_screen_point(l, view.azimuth_deg, azimuth, altitude);
        const bool now_inside = inside_field(l, p);
        // An entry that left the field is removed from where it was drawn
        // too, so that no mark stays behind and the tap test no longer finds
        // it; so the earlier position is always the previous paint's.
        if (m.current[e] != no_position) append_mark(scene, e, o.magnitude, m.current[e], sky, pixel_scale);
        if (now_inside) append_mark(scene, e, o.magnitude, p, sky, pixel_scale);
        m.earlier[e] = m.current[e];
        m.current[e] = now_inside ? p : no_position;
    }
    const int pen_width = scaled_pixels(1, pixel_scale);
    if (view.figures) append_figures(scene, state, l, m, sky ^ horizon_figure_rgb, pen_width);
    if (view.ecliptic)
        append_ecliptic(scene, state, l, view.azimuth_deg, m, sky ^ horizon_ecliptic_rgb, pen_width);
    append_direction_labels(scene, frame, labels, sky, measure, pixel_scale);
    return scene;
}

std::vector<std::vector<ScenePoint>> horizon_drawn_figures(const SheetState& state, const HorizonMemory& memory) {
    std::vector<std::vector<ScenePoint>> drawn;
    for_each_figure(state.figure_list, [&](std::size_t number, std::size_t first, std::size_t last) {
        if (!memory.figure_drawn[number]) return;
        std::vector<ScenePoint>& line = drawn.emplace_back();
        for (std::size_t k = first; k < last; ++k)
            line.push_back(memory.current[static_cast<std::size_t>(state.figure_list[k])]);
    });
    return drawn;
}

std::vector<ScenePoint> horizon_drawn_ecliptic(const HorizonFrame& frame, const HorizonMemory& memory) {
    return inside_points(frame.layout, memory.ecliptic);
}

TapLines tap_lines(std::string_view name) {
    TapLines lines;
    const std::size_t close = name.find(')');
    if (close == std::string_view::npos) {
        lines.second = std::string(name);
        return lines;
    }
    lines.first = std::string(name.substr(0, close + 1));
    std::string_view rest = name.substr(close + 1);
    if (!rest.empty() && rest.front() == ' ') rest.remove_prefix(1);
    lines.second = std::string(rest);
    if (lines.second.empty()) {
        lines.second = std::string(name);
        lines.first.clear();
    }
    return lines;
}

TapLabel horizon_tap_label(const SheetState& state, const HorizonFrame& frame, const HorizonMemory& memory,
                           Rgb sky, ScenePoint tap, const TextMeasure& measure, double pixel_scale) {
    TapLabel label;
    label.entry = first_hit(memory.current, tap, scaled_pixels(horizon_tap_reach, pixel_scale));
    if (label.entry < 0) return label;
    label.lines = tap_lines(state.sky_objects[static_cast<std::size_t>(label.entry)].name());
    const std::string& longer = utf8_character_count(label.lines.first) > utf8_character_count(label.lines.second)
                                    ? label.lines.first
                                    : label.lines.second;
    const SceneFont font = scaled_font(horizon_tap_font, pixel_scale);
    const TextExtent e = measure.measure(longer, font);
    const int w = e.width, h = e.height;
    int top = tap.y - 2 * h < 2 * h ? tap.y : tap.y - 2 * h;
    int left = tap.x > frame.layout.right / 2 ? tap.x - w : tap.x;
    // Kept on the page, also where the tap lies near its edge.
    left = std::max(0, std::min(left, frame.width - w));
    top = std::max(0, std::min(top, frame.height - 2 * h));
    label.rect = {left, top, left + w, top + 2 * h};
    const Rgb colour = sky ^ horizon_white_rgb;
    if (!label.lines.first.empty())
        label.scene.text({left, top}, label.lines.first, font, colour, sky, RasterMode::copy);
    label.scene.text({left, top + h}, label.lines.second, font, colour, sky, RasterMode::copy);
    return label;
}

}  // namespace orbant
