// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>

#include "pages/time_texts.h"

using namespace orbant;

namespace {
SheetState hamburg() {
    SheetState s;
    s.observer_latitude = 53.5;
    s.observer_longitude = 10.0;
    s.time_zone = 1.0;
    s.place_name = "Hamburg";
    s.current_time = {2026, 3, 7, 9, 5, 42};
    s.auto_summer_time = 1;
    s.summer_time_active = 0;
    return s;
}
}  // namespace

TEST(TimePageTexts, FirstStartShowsTheDefaults) {
    const PageTexts p = time_page_texts(hamburg());
    EXPECT_EQ(p.caption, "Zeit/Ort");
    EXPECT_EQ(*p.find(id_day), "07");
    EXPECT_EQ(*p.find(id_month), "03");
    EXPECT_EQ(*p.find(id_year), "2026");
    EXPECT_EQ(*p.find(id_hour), "09");
    EXPECT_EQ(*p.find(id_minute), "05");
    EXPECT_EQ(*p.find(id_latitude), "53.50");
    EXPECT_EQ(*p.find(id_longitude), "10.00");
    EXPECT_EQ(*p.find(id_time_zone), "+1");
    EXPECT_EQ(*p.find(id_place_name), "Hamburg");
    EXPECT_EQ(*p.find(id_status), ">>Laufende Zeitmessung (Winterzeit)<<");
    // Page order: date and time, place, status.
    std::vector<int> ids;
    for (const auto& t : p.texts) ids.push_back(t.id);
    EXPECT_EQ(ids, (std::vector<int>{1000, 1001, 1002, 1003, 1004, 1007, 1008, 1009, 1082, 1016}));
}

TEST(TimePageTexts, StatusLineSuffixes) {
    SheetState s = hamburg();
    s.summer_time_active = 1;
    EXPECT_EQ(time_status_line(s), ">>Laufende Zeitmessung (Sommerzeit)<<");
    s.clock_stopped = 1;
    EXPECT_EQ(time_status_line(s), ">>Zeitmessung angehalten (Sommerzeit)<<");
    s.summer_time_active = 0;
    EXPECT_EQ(time_status_line(s), ">>Zeitmessung angehalten (Winterzeit)<<");
    s.auto_summer_time = 0;
    EXPECT_EQ(time_status_line(s), ">>Zeitmessung angehalten<<");
    s.clock_stopped = 0;
    s.summer_time_active = 1;  // without the automatic rule only "<<"
    EXPECT_EQ(time_status_line(s), ">>Laufende Zeitmessung<<");
}

TEST(TimePageTexts, TwoDigitFieldsPadWithZeros) {
    EXPECT_EQ(two_digit_text(0), "00");
    EXPECT_EQ(two_digit_text(9), "09");
    EXPECT_EQ(two_digit_text(10), "10");
    EXPECT_EQ(two_digit_text(123), "123");
    EXPECT_EQ(two_digit_text(-1), "-1");  // a failed conversion's marker
    EXPECT_EQ(two_digit_text(-10), "-10");
}

TEST(TimePageTexts, CoordinatesWithTwoDecimals) {
    EXPECT_EQ(coordinate_text(53.5), "53.50");
    EXPECT_EQ(coordinate_text(-33.925), "-33.92");  // binary value lies below .925
    EXPECT_EQ(coordinate_text(10.005), "10.01");
    EXPECT_EQ(coordinate_text(-0.001), "-0.00");
    EXPECT_EQ(coordinate_text(179.999), "180.00");
    // Any number the page's fields take is shown in full, as "%.2f" does,
    // also one with hundreds of digits.
    for (const double v : {1e300, -1.7976931348623157e308, 1e22}) {
        char expected[400];
        std::snprintf(expected, sizeof expected, "%.2f", v);
        EXPECT_EQ(coordinate_text(v), expected) << v;
    }
}

TEST(TimePageTexts, ZoneEntries) {
    EXPECT_EQ(time_zone_entry_index(12.0), 0);
    EXPECT_EQ(time_zone_entry_index(1.0), 11);
    EXPECT_EQ(time_zone_entry_index(0.0), 12);
    EXPECT_EQ(time_zone_entry_index(-11.0), 23);
    EXPECT_EQ(std::string(time_zone_entries[time_zone_entry_index(5.5)]), "+5");
    EXPECT_EQ(std::string(time_zone_entries[time_zone_entry_index(-3.5)]), "-3");
    EXPECT_EQ(std::string(time_zone_entries[time_zone_entry_index(-0.5)]), "0");
    EXPECT_EQ(time_zone_entry_index(-12.0), -1);
    EXPECT_EQ(time_zone_entry_index(13.0), -1);
    EXPECT_EQ(time_zone_entry_index(12.9), 0);
    EXPECT_EQ(time_zone_entry_index(std::nan("")), -1);
    for (int i = 0; i < 24; ++i) EXPECT_EQ(time_zone_entry_index(time_zone_of_entry(i)), i);

    SheetState s = hamburg();
    s.time_zone = 13.0;
    EXPECT_EQ(*time_page_texts(s).find(id_time_zone), "");
}

TEST(TimePageTexts, PlaceNameAsStored) {
    SheetState s = hamburg();
    s.place_name = "München";
    EXPECT_EQ(*time_page_texts(s).find(id_place_name), "München");
}
