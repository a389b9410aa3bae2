// SPDX-License-Identifier: GPL-3.0-or-later
// The GPS dialog's texts and hand-over from a position record, and the
// gpsd address option.
#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <limits>
#include <string>

#include "pages/gps_texts.h"
#include "platform/gps.h"

namespace orbant {
namespace {

constexpr double nan = std::numeric_limits<double>::quiet_NaN();
constexpr double inf = std::numeric_limits<double>::infinity();

GpsPosition with_satellites(int used) {
    GpsPosition r;
    r.satellites_used = used;
    r.fix_type = gps_fix_3d;
    return r;
}

std::string text(const GpsDialogView& view, int id) {
    const std::string* t = view.texts.find(id);
    return t ? *t : "<none>";
}

struct CoordinateCase {
    const char* name;
    double latitude, longitude;
    const char* latitude_line;
    const char* longitude_line;
};

TEST(GpsDialogTexts, CoordinateLinesNameTheHemisphereOnlyForPositiveValues) {
    const CoordinateCase cases[] = {
        {"zero is south and west", 0.0, 0.0, "Geogr. Breite = 0.000000° Süd", "Geogr. Länge = 0.000000° West"},
        {"north east", 48.137, 11.575, "Geogr. Breite = 48.137000° Nord", "Geogr. Länge = 11.575000° Ost"},
        {"south west keep the sign", -33.9, -70.65, "Geogr. Breite = -33.900000° Süd",
         "Geogr. Länge = -70.650000° West"},
        {"tiny positive prints as zero but is north and east", 1e-9, 1e-9, "Geogr. Breite = 0.000000° Nord",
         "Geogr. Länge = 0.000000° Ost"},
        {"date line", -90.0, 180.0, "Geogr. Breite = -90.000000° Süd", "Geogr. Länge = 180.000000° Ost"},
    };
    for (const auto& c : cases) {
        GpsPosition r = with_satellites(4);
        r.latitude_deg = c.latitude;
        r.longitude_deg = c.longitude;
        const GpsDialogView v = gps_dialog_refresh(gps_dialog_opening_view(), r);
        EXPECT_EQ(text(v, gps_latitude_id), c.latitude_line) << c.name;
        EXPECT_EQ(text(v, gps_longitude_id), c.longitude_line) << c.name;
    }
}

TEST(GpsDialogTexts, SignalBarIsTheRatioByTenHeldToTheTable) {
    const struct {
        int snr;
        const char* bar;
    } cases[] = {
        {0, ".........."}, {9, ".........."}, {10, "*........."}, {45, "****......"},
        {79, "*******..."}, {80, "*********."}, {85, "*********."}, {99, "**********"},
        {100, "**********"}, {254, "**********"}, {INT_MAX, "**********"}, {-1, ".........."},
        {-15, ".........."}, {INT_MIN, ".........."},
    };
    for (const auto& c : cases) EXPECT_EQ(gps_signal_bar(c.snr), c.bar) << "snr " << c.snr;

    // Every row is written, whatever the number in view, numbered from 0.
    GpsPosition r = with_satellites(1);
    r.satellite_snr[0] = 45;
    r.satellite_snr[11] = 85;
    const GpsDialogView v = gps_dialog_refresh(gps_dialog_opening_view(), r);
    EXPECT_EQ(text(v, gps_first_satellite_id), "Sat. 0  ****......");
    EXPECT_EQ(text(v, gps_first_satellite_id + 5), "Sat. 5  ..........");
    EXPECT_EQ(text(v, gps_first_satellite_id + 11), "Sat. 11  *********.");
}

TEST(GpsDialogTexts, TimeSpeedAltitudeAndSatelliteLines) {
    GpsPosition r = with_satellites(8);
    r.utc_time = {2026, 3, 7, 9, 5, 3};
    r.speed_knots = 2.5f;
    r.altitude_msl_m = 519.4f;
    GpsDialogView v = gps_dialog_refresh(gps_dialog_opening_view(), r);
    EXPECT_EQ(text(v, gps_utc_time_id), "UTC-Time = 07.03.2026, 09:05:03");
    EXPECT_EQ(text(v, gps_speed_altitude_id), "Geschw. = 1.29 m/s, Höhe = 519 m");
    EXPECT_EQ(text(v, gps_satellite_count_id), "8 Satelliten erfasst  (3D)");

    r.utc_time = {2026, 12, 31, 23, 59, 59};
    r.speed_knots = 1000.0f;  // 514.40 m/s with the factor 0.5144; 0.514444 would give 514.44
    r.altitude_msl_m = -12.5f;  // printf rounds the tie to even
    v = gps_dialog_refresh(v, r);
    EXPECT_EQ(text(v, gps_utc_time_id), "UTC-Time = 31.12.2026, 23:59:59");
    EXPECT_EQ(text(v, gps_speed_altitude_id), "Geschw. = 514.40 m/s, Höhe = -12 m");

    const struct {
        int used, fix;
        const char* line;
    } fixes[] = {
        {5, gps_fix_2d, "5 Satelliten erfasst  (2D)"}, {3, gps_fix_none, "3 Satelliten erfasst  (0D)"},
        {4, gps_fix_unknown, "4 Satelliten erfasst  (0D)"}, {6, 7, "6 Satelliten erfasst  (0D)"},
        {0, gps_fix_3d, "0 Satelliten erfasst  (3D)"},
    };
    for (const auto& f : fixes) {
        r.satellites_used = f.used;
        r.fix_type = f.fix;
        EXPECT_EQ(text(gps_dialog_refresh(v, r), gps_satellite_count_id), f.line);
    }
}

TEST(GpsDialogTexts, WithoutSatellitesSearchesAndKeepsTimeAndSpeedLines) {
    GpsPosition r = with_satellites(6);
    r.latitude_deg = 53.5;
    r.longitude_deg = 10.0;
    r.utc_time = {2026, 3, 7, 9, 5, 3};
    const GpsDialogView seen = gps_dialog_refresh(gps_dialog_opening_view(), r);

    r.satellites_used = 0;
    r.longitude_deg = 12.0;
    r.utc_time = {2026, 3, 7, 9, 6, 0};
    const GpsDialogView lost = gps_dialog_refresh(seen, r);
    EXPECT_EQ(text(lost, gps_longitude_id), "Geogr. Länge = Suche Daten...");
    EXPECT_EQ(text(lost, gps_latitude_id), "Geogr. Breite = Suche Daten...");
    EXPECT_EQ(text(lost, gps_utc_time_id), text(seen, gps_utc_time_id));
    EXPECT_EQ(text(lost, gps_speed_altitude_id), text(seen, gps_speed_altitude_id));
    EXPECT_EQ(lost.handed_over_satellites, 0);
    EXPECT_EQ(lost.handed_over_longitude, 12.0);  // the longitude is kept on every refresh
    EXPECT_EQ(lost.handed_over_latitude, 53.5);   // the latitude only with satellites
    EXPECT_FALSE(gps_place_to_hand_over(lost));

    const auto place = gps_place_to_hand_over(seen);
    ASSERT_TRUE(place);
    EXPECT_EQ(place->latitude_deg, 53.5);
    EXPECT_EQ(place->longitude_deg, 10.0);
}

TEST(GpsDialogTexts, OnlyAPlaceOnTheGlobeIsHandedOver) {
    const struct {
        double latitude, longitude;
        bool handed_over;
    } cases[] = {
        {90.0, -180.0, true}, {-90.0, 180.0, true}, {90.5, 0.0, false}, {0.0, -180.5, false},
        {nan, 10.0, false},   {10.0, nan, false},   {inf, 0.0, false},  {0.0, -inf, false},
    };
    for (const auto& c : cases) {
        GpsPosition r = with_satellites(3);
        r.latitude_deg = c.latitude;
        r.longitude_deg = c.longitude;
        const auto place = gps_place_to_hand_over(gps_dialog_refresh(gps_dialog_opening_view(), r));
        EXPECT_EQ(place.has_value(), c.handed_over) << c.latitude << ", " << c.longitude;
    }
}

TEST(GpsdEndpoint, ParsesHostAndPortAndRefusesTheRest) {
    const struct {
        const char* text;
        bool ok;
        const char* host;
        int port;
    } cases[] = {
        {"localhost:2947", true, "localhost", 2947}, {"gps.example.org:3000", true, "gps.example.org", 3000},
        {"10.0.0.7", true, "10.0.0.7", 2947},       {"[::1]:2948", true, "::1", 2948},
        {"[fe80::1]", true, "fe80::1", 2947},       {"h:65535", true, "h", 65535},
        {"", false, "", 0},                         {":2947", false, "", 0},
        {"host:", false, "", 0},                    {"host:0", false, "", 0},
        {"host:65536", false, "", 0},               {"host:12x", false, "", 0},
        {"host:-1", false, "", 0},                  {"::1:2947", false, "", 0},
        {"[::1", false, "", 0},                     {"[::1]2947", false, "", 0},
        {"[]:2947", false, "", 0},
    };
    for (const auto& c : cases) {
        GpsdEndpoint e{"unchanged", 1};
        std::string error;
        EXPECT_EQ(parse_gpsd_endpoint(c.text, e, error), c.ok) << c.text;
        if (c.ok) {
            EXPECT_EQ(e.host, c.host) << c.text;
            EXPECT_EQ(e.port, c.port) << c.text;
        } else {
            EXPECT_EQ(e.host, "unchanged") << c.text;
            EXPECT_NE(error.find(c.text), std::string::npos) << error;
        }
    }
}

}  // namespace
}  // namespace orbant
