#include "cli/context.h"

#include <cmath>

#include "app/settings_file.h"
#include "platform/clock.h"
#include "platform/config_dir.h"

namespace orbant::cli {

namespace {

constexpr double max_latitude = 90.0;     // degrees
constexpr double max_longitude = 180.0;   // degrees
constexpr double max_zone_hours = 14.0;   // farthest zone in use, hours

double bounded_option(const Args& args, const std::string& name, double limit) {
    const double v = parse_double_option(args, name);
    if (std::fabs(v) > limit)
        throw UsageError("option " + name + ": '" + *args.value(name) + "' is outside -" +
                         std::to_string(static_cast<int>(limit)) + " to " + std::to_string(static_cast<int>(limit)));
    return v;
}

}  // namespace

CivilDateTime parse_at_option(const std::string& text) {
    CivilDateTime t;
    if (text.size() != 16 || !parse_clock_text(text, t))
        throw UsageError("option --at: '" + text + "' is not a time of the form \"YYYY-MM-DD HH:MM\"");
    return t;
}

SheetState sheet_state_from_args(const Args& args, std::ostream* warnings) {
    HostClock clock;
    return sheet_state_from_args(args, clock, warnings);
}

SheetState sheet_state_from_args(const Args& args, DeviceClock& clock, std::ostream* warnings) {
    SheetState s;
    std::optional<std::string> explicit_dir;
    if (const std::string* d = args.value("--config-dir")) explicit_dir = *d;
    const std::string path = path_in_folder(settings_folder(explicit_dir), settings_file_name);

    // Read only: the front end never creates, renames or writes files there.
    SettingsRecord stored = default_settings();
    const SettingsReadStatus status = read_settings_file(path, stored);
    if (status == SettingsReadStatus::unreadable && warnings)
        *warnings << "orbant-cli: \"" << path << "\" is damaged; the built-in settings are used\n";
    if (status != SettingsReadStatus::read) stored = default_settings();
    s.stored_settings = stored;
    take_stored_into_working(s);
    fill_body_and_star_table(s);

    if (args.value("--lat")) s.observer_latitude = bounded_option(args, "--lat", max_latitude);
    if (args.value("--lon")) s.observer_longitude = bounded_option(args, "--lon", max_longitude);
    if (args.value("--zone")) s.time_zone = bounded_option(args, "--zone", max_zone_hours);

    std::int64_t seconds = 0;
    if (const std::string* at = args.value("--at")) {
        s.current_time = parse_at_option(*at);
        if (!seconds_from_local_time(s.current_time, seconds))
            throw UsageError("option --at: '" + *at + "' cannot be converted by the local-time rules");
        // The displayed instant as the local-time rules give it back (a time
        // skipped by a spring-forward change moves on as the device's does).
        local_time_from_seconds(seconds, s.current_time);
    } else {
        s.current_time = read_device_time(clock);
    }

    if (args.value("--summer")) {
        const long long v = parse_int_option(args, "--summer");
        if (v != 0 && v != 1) throw UsageError("option --summer: '" + *args.value("--summer") + "' is not 0 or 1");
        s.summer_time_active = static_cast<int>(v);
    } else if (s.auto_summer_time == 1) {
        s.summer_time_active = args.value("--at") ? (daylight_time_at(seconds) ? 1 : 0)
                                                  : (clock.daylight_time_now() ? 1 : 0);
    } else {
        s.summer_time_active = 0;
    }
    s.clock_stopped = 0;
    s.active_page = 1;
    s.chart_stale = 1;
    return s;
}

}  // namespace orbant::cli
