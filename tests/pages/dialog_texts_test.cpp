// SPDX-License-Identifier: GPL-3.0-or-later
#include "pages/dialog_texts.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace orbant {
namespace {

TEST(SetupZone, TruncatesTowardZeroAndHoldsAtTheInt32Ends) {
    EXPECT_EQ(zone_whole_hours(5.5), 5);
    EXPECT_EQ(zone_whole_hours(-3.5), -3);
    EXPECT_EQ(zone_whole_hours(-0.75), 0);
    EXPECT_EQ(zone_whole_hours(12.0), 12);
    EXPECT_EQ(zone_whole_hours(-11.999), -11);
    EXPECT_EQ(zone_whole_hours(1e12), std::numeric_limits<std::int32_t>::max());
    EXPECT_EQ(zone_whole_hours(-1e12), std::numeric_limits<std::int32_t>::min());
    EXPECT_EQ(zone_whole_hours(std::numeric_limits<double>::quiet_NaN()), 0);
}

// The Munich values below, in the dialog's fields or in the stored record:
// the zone cut to whole hours.
template <class Values>
void expect_munich_values(const Values& v) {
    EXPECT_EQ(v.latitude, 48.137154);
    EXPECT_EQ(v.longitude, 11.576124);
    EXPECT_EQ(v.time_zone, -3);
    EXPECT_EQ(v.timer_period, 7);
    EXPECT_EQ(v.auto_summer_time, 0);
    EXPECT_EQ(v.night_mode, 1);
}

TEST(SetupFieldsFlow, WorkingValuesToFieldsToStoredRecord) {
    SheetState s;
    s.observer_latitude = 48.137154;
    s.observer_longitude = 11.576124;
    s.time_zone = -3.5;
    s.timer_period = 7;
    s.auto_summer_time = 0;
    s.night_mode = 1;
    s.place_name = "M\xC3\xBCnchen";
    const SetupFields f = setup_fields_from_working(s);
    expect_munich_values(f);
    EXPECT_EQ(f.place_name, "M\xC3\xBCnchen");

    SettingsRecord stored = default_settings();
    stored.reserved.fill(0x5A);
    store_setup_fields(f, stored);
    expect_munich_values(stored);
    EXPECT_EQ(stored.place_name[1], 0xFC) << "u-umlaut as one Windows-1252 byte";
    EXPECT_EQ(stored.place_name[7], 0) << "the terminating NUL is stored";
    EXPECT_EQ(stored_place_name(stored), "M\xC3\xBCnchen");
    EXPECT_EQ(stored.reserved[0], 0x5A) << "reserved bytes are not the dialog's business";
}

TEST(SetupFieldsFlow, LocationFileFillsNameCoordinatesAndWholeZone) {
    SetupFields f;
    f.timer_period = 10;
    f.night_mode = 0;
    LocationRecord r;
    r.latitude = 19.0760;
    r.longitude = 72.8777;
    r.time_zone = 5.5;
    apply_location_to_setup_fields(r, "/home/u/Mumbai.Indien.ort", f);
    EXPECT_EQ(f.place_name, "Mumbai");
    EXPECT_EQ(f.latitude, 19.0760);
    EXPECT_EQ(f.longitude, 72.8777);
    EXPECT_EQ(f.time_zone, 5);
    EXPECT_EQ(f.timer_period, 10) << "fields a location file does not hold stay";
    EXPECT_EQ(f.night_mode, 0);
}

struct CalendarCase {
    const char* name;
    int year, month, day;
    CivilDateTime current;
    CivilDateTime expected;
};

class CalendarChoice : public ::testing::TestWithParam<CalendarCase> {};

TEST_P(CalendarChoice, KeepsHourAndMinuteAndZeroesSeconds) {
    const auto& c = GetParam();
    EXPECT_EQ(calendar_choice_instant(c.year, c.month, c.day, c.current), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Dates, CalendarChoice,
    ::testing::Values(
        CalendarCase{"Ordinary", 2024, 3, 15, {2021, 7, 1, 13, 47, 59}, {2024, 3, 15, 13, 47, 0}},
        CalendarCase{"Midnight", 2000, 2, 29, {1999, 1, 1, 0, 0, 30}, {2000, 2, 29, 0, 0, 0}},
        CalendarCase{"Before1970", 1850, 12, 31, {2020, 1, 1, 23, 59, 1}, {1850, 12, 31, 23, 59, 0}},
        CalendarCase{"After2038", 2100, 6, 1, {2020, 1, 1, 6, 5, 0}, {2100, 6, 1, 6, 5, 0}},
        // Unchecked times typed with "Stop/Enter" carry into the date.
        CalendarCase{"HourPastMidnight", 2023, 12, 31, {2020, 1, 1, 25, 70, 0}, {2024, 1, 1, 2, 10, 0}},
        CalendarCase{"FailedHour", 2024, 3, 1, {2020, 1, 1, -1, 30, -1}, {2024, 2, 29, 23, 30, 0}}),
    [](const auto& case_info) { return std::string(case_info.param.name); });

}  // namespace
}  // namespace orbant

TEST(PlaceNameStorage, NamesTheFirstCharacterWindows1252CannotHold) {
    const struct {
        const char* name;
        const char* message;
    } cases[] = {
        {"Hamburg", ""},
        {"Köln", ""},
        {"€-Stadt", ""},  // the euro sign is 0x80 in Windows-1252
        {"Łódź", "Das Zeichen „Ł“ (U+0141) im Ortsnamen kann nicht gespeichert werden."},
        {"Győr", "Das Zeichen „ő“ (U+0151) im Ortsnamen kann nicht gespeichert werden."},
        {"Mond🌙", "Das Zeichen „🌙“ (U+1F319) im Ortsnamen kann nicht gespeichert werden."},
    };
    for (const auto& c : cases) EXPECT_EQ(orbant::place_name_storage_message(c.name), c.message) << c.name;
}
