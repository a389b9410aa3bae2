// SPDX-License-Identifier: GPL-3.0-or-later
// orbant-cli horizon: the horizon view's scene on its first full paint, as
// the page draws it, in text or JSON.
#include <charconv>
#include <cmath>
#include <cstdio>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

#include "astro/constants.h"
#include "cli/command.h"
#include "cli/context.h"
#include "cli/json.h"
#include "cli/page_output.h"
#include "core/screen_size.h"
#include "pages/horizon_scene.h"
#include "text/utf8.h"

namespace orbant::cli {

namespace {

constexpr ScreenSize default_size{240, 320};

// Text extents without the window's fonts: an average Arial advance of
// 0.55 em per character. Only the placing of texts on the page depends on
// it, which this command does not print.
class AverageWidthMeasure final : public TextMeasure {
public:
    TextExtent measure(std::string_view utf8, SceneFont font) const override {
        constexpr double average_advance_em = 0.55;
        const double width = average_advance_em * font.pixel_height * static_cast<double>(utf8_character_count(utf8));
        return {static_cast<int>(width), font.pixel_height};
    }
};

// --tap "X,Y": two pixel numbers of decimal digits only (no sign, no
// blanks) that fit an int.
ScenePoint tap_option(const std::string& text) {
    const auto refuse = [&] {
        return UsageError("option --tap: '" + text + "' is not X,Y (two pixel numbers, not negative)");
    };
    const auto pixel = [&](std::string_view digits) {
        int v = 0;
        if (digits.empty() || digits.find_first_not_of("0123456789") != std::string_view::npos) throw refuse();
        const auto [end, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), v);
        if (ec != std::errc() || end != digits.data() + digits.size()) throw refuse();
        return v;
    };
    const std::size_t comma = text.find(',');
    if (comma == std::string::npos) throw refuse();
    const std::string_view all(text);
    return {pixel(all.substr(0, comma)), pixel(all.substr(comma + 1))};
}

std::string point_json(ScenePoint p) {
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "[%d, %d]", p.x, p.y);
    return buffer;
}

template <class Points>
std::string points_json(const Points& points) {
    std::string s = "[";
    for (std::size_t i = 0; i < points.size(); ++i) {
        if (i) s += ", ";
        s += point_json(points[i]);
    }
    return s + "]";
}

void print_json(const SheetState& state, const HorizonFrame& frame, const HorizonView& view,
                const HorizonMemory& memory, Rgb sky, const std::vector<std::string>& labels, const TapLabel* tap,
                std::ostream& out) {
    const HorizonLayout& l = frame.layout;
    out << "{\"page\": " << json_string(horizon_page_caption) << ", \"size\": [" << frame.width << ", "
        << frame.height << "], \"landscape\": " << json_bool(l.landscape) << ", \"field\": [" << l.left
        << ", " << l.top << ", " << l.right << ", " << l.horizon << "], \"half_field_deg\": "
        << json_number(l.half_field_deg) << ", \"scale\": [" << json_number(l.scale_x) << ", "
        << json_number(l.scale_y) << "], \"offset\": [" << l.offset_x << ", " << l.offset_y << "], \"sky\": ["
        << int{sky.red} << ", " << int{sky.green} << ", " << int{sky.blue} << "], \"objects\": [";
    bool first = true;
    for (std::size_t e = 0; e < memory.current.size(); ++e) {
        const ScenePoint p = memory.current[e];
        if (p == no_position) continue;
        out << (first ? "" : ", ") << "{\"index\": " << e << ", \"name\": "
            << json_string(std::string(state.sky_objects[e].name())) << ", \"x\": " << p.x << ", \"y\": " << p.y
            << "}";
        first = false;
    }
    out << "], \"figures\": [";
    const auto figures = horizon_drawn_figures(state, memory);
    for (std::size_t i = 0; i < figures.size(); ++i) out << (i ? ", " : "") << points_json(figures[i]);
    out << "], \"ecliptic\": " << points_json(horizon_drawn_ecliptic(frame, memory)) << ", \"grid\": {\"circles\": [";
    if (view.grid) {
        for (std::size_t i = 0; i < frame.grid.circles.size(); ++i) {
            const AltitudeCircle& c = frame.grid.circles[i];
            const std::vector<ScenePoint> points(c.points.begin(), c.points.begin() + c.count);
            out << (i ? ", " : "") << "{\"altitude\": " << c.altitude_deg << ", \"sign\": " << c.sign
                << ", \"points\": " << points_json(points) << "}";
        }
    }
    out << "], \"verticals\": [";
    if (view.grid) {
        for (int i = 0; i < frame.grid.vertical_count; ++i) {
            const VerticalSegment& v = frame.grid.verticals[static_cast<std::size_t>(i)];
            out << (i ? ", " : "") << "[" << point_json(v.start) << ", " << point_json(v.end)
                << "]";
        }
    }
    out << "]}, \"labels\": [";
    for (std::size_t i = 0; i < labels.size(); ++i) out << (i ? ", " : "") << json_string(labels[i]);
    out << "]";
    if (tap) out << ", \"tap\": [" << json_string(tap->lines.first) << ", " << json_string(tap->lines.second) << "]";
    out << "}\n";
}

int run_horizon(const Args& args, std::ostream& out, std::ostream& err) {
    const ScreenSize size = size_option(args, default_size);
    HorizonView view;
    if (args.value("--view")) {
        view.azimuth_deg = parse_double_option(args, "--view");
        if (!std::isfinite(view.azimuth_deg) || view.azimuth_deg < 0.0 || view.azimuth_deg > full_turn_deg)
            throw UsageError("option --view: '" + *args.value("--view") + "' is not an azimuth of 0 to 360 degrees");
    }
    view.grid = zero_one_option(args, "--grid", true);
    view.figures = zero_one_option(args, "--figures", false);
    view.ecliptic = zero_one_option(args, "--ecliptic", false);
    std::optional<ScenePoint> tap;
    if (const std::string* t = args.value("--tap")) tap = tap_option(*t);

    SheetState state = sheet_state_from_args(args, &err);
    if (args.value("--night")) state.night_mode = zero_one_option(args, "--night", false) ? 1 : 0;

    // The page lays itself out for the screen it fills: the given size.
    const HorizonFrame frame = horizon_frame(size.width, size.height, !size.portrait());
    const HorizonSunTimes sun = horizon_sun_times(state);
    HorizonMemory memory;
    const AverageWidthMeasure measure;
    place_bodies_in_table(state);
    horizon_paint_scene(state, frame, view, sun, memory, measure);
    const Rgb sky = memory.previous_sky;
    const std::vector<std::string> labels = horizon_label_texts(frame, view);

    if (args.flags.count("--json")) {
        TapLabel label;
        if (tap) label = horizon_tap_label(state, frame, memory, sky, *tap, measure);
        print_json(state, frame, view, memory, sky, labels, tap ? &label : nullptr, out);
        return 0;
    }
    for (std::size_t e = 0; e < memory.current.size(); ++e) {
        const ScenePoint p = memory.current[e];
        if (p != no_position) out << e << ' ' << state.sky_objects[e].name() << ' ' << p.x << ' ' << p.y << '\n';
    }
    if (tap) {
        const TapLabel label = horizon_tap_label(state, frame, memory, sky, *tap, measure);
        out << "tap: " << label.lines.first << " | " << label.lines.second << '\n';
    }
    return 0;
}

}  // namespace

Command horizon_command() {
    return {
        "horizon",
        "The horizon view: the marks, figures, ecliptic and grid of its first full paint",
        "usage: orbant-cli horizon [--size WxH] [--view DEG] [--grid 0|1] [--figures 0|1]\n"
        "                          [--ecliptic 0|1] [--night 0|1] [--tap X,Y] [--json]\n"
        "                          [--lat DEG] [--lon DEG] [--zone HOURS] [--summer 0|1]\n"
        "                          [--at \"YYYY-MM-DD HH:MM\"] [--config-dir DIR]\n"
        "The scene of the horizon view \"Horizont\" on its first full paint.\n"
        "  --size WxH     the screen the page fills (default 240x320; landscape when W >= H)\n"
        "  --view DEG     the azimuth faced, from north through east, 0 to 360 (default 180)\n"
        "  --grid 0|1     the grid \"Netz\" (default 1)\n"
        "  --figures 0|1  the constellation figures \"Bilder\" (default 0)\n"
        "  --ecliptic 0|1 the ecliptic \"Ecl.\" (default 0)\n"
        "  --night 0|1    night mode (default: \"Setup.dat\")\n"
        "  --tap X,Y      the two lines of the tap label for a stylus tap at X,Y\n"
        "  --json         one object with the field, scales, sky colour, objects,\n"
        "                 figures, ecliptic, grid, labels and tap\n"
        "Without --json: one line \"index name x y\" per drawn object.\n",
        with_place_time_options(
            {"--size", "--view", "--grid", "--figures", "--ecliptic", "--night", "--tap", "--json"}),
        run_horizon,
    };
}

}  // namespace orbant::cli
