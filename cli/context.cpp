// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/context.h"

#include <cmath>

#include "core/message_text.h"
#include "core/screen_size.h"
#include "core/settings_file.h"
#include "core/summer_time.h"
#include "core/value_ranges.h"
#include "platform/clock.h"
#include "platform/config_dir.h"

namespace orbant::cli {

namespace {

double bounded_option(const Args& args, const std::string& name, double limit) {
    const double v = parse_double_option(args, name);
    if (std::fabs(v) > limit)
        throw UsageError("option " + name + ": '" + *args.value(name) + "' is outside -" +
                         std::to_string(static_cast<int>(limit)) + " to " + std::to_string(static_cast<int>(limit)));
    return v;
}

}  // namespace

ScreenSize size_option(const Args& args, ScreenSize fallback) {
    ScreenSize size = fallback;
    if (const std::string* s = args.value("--size"); s && !parse_screen_size(*s, size))
        throw UsageError("option --size: '" + *s + "' is not a size of the form WxH (" +
                         std::to_string(min_screen_side_px) + " to " + std::to_string(max_screen_side_px) +
                         " pixels a side)");
    return size;
}

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
    std::string why;
    const SettingsReadStatus status = read_settings_file(path, stored, &why);
    if (status == SettingsReadStatus::unreadable && warnings)
        *warnings << "orbant-cli: \"" << printable_text(path) << "\" is damaged; the built-in settings are used\n";
    if (status == SettingsReadStatus::not_regular && warnings)
        *warnings << "orbant-cli: \"" << printable_text(path) << "\" is not a regular file; the built-in settings are used\n";
    if (status == SettingsReadStatus::cannot_read && warnings)
        *warnings << "orbant-cli: \"" << printable_text(path) << "\" cannot be read (" << printable_text(why)
                  << "); the built-in settings are used\n";
    if (status != SettingsReadStatus::read) stored = default_settings();

    CivilDateTime now;
    SteppedInstant reached;
    if (const std::string* at = args.value("--at")) {
        std::int64_t seconds = 0;
        now = parse_at_option(*at);
        if (!seconds_from_local_time(now, seconds))
            throw UsageError("option --at: '" + *at +
                             "' cannot be converted by the local-time rules (they take the years from 1900 on)");
        // The displayed instant as the local-time rules give it back (a time
        // skipped by a spring-forward change moves on as the device's does).
        local_time_from_seconds(seconds, now);
        reached = SteppedInstant{now, seconds, true};
    } else {
        now = read_device_time(clock);
        reached = device_reading_instant(now, clock.daylight_time_now());
    }
    start_up_sheet_state(s, stored, now, reached);

    if (args.value("--lat")) s.observer_latitude = bounded_option(args, "--lat", latitude_limit);
    if (args.value("--lon")) s.observer_longitude = bounded_option(args, "--lon", longitude_limit);
    if (args.value("--zone")) s.time_zone = bounded_option(args, "--zone", time_zone_limit);
    if (args.value("--summer")) s.summer_time_active = zero_one_option(args, "--summer", false) ? 1 : 0;
    return s;
}

}  // namespace orbant::cli
