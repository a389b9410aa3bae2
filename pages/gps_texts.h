// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "pages/page_texts.h"
#include "platform/gps_position.h"

namespace orbant {

// Control ids of the GPS dialog's texts.
inline constexpr int gps_longitude_id = 1063;
inline constexpr int gps_latitude_id = 1064;
inline constexpr int gps_satellite_count_id = 1065;
inline constexpr int gps_first_satellite_id = 1066;  // satellites 0 to 11: 1066 to 1077
inline constexpr int gps_utc_time_id = 1078;
inline constexpr int gps_speed_altitude_id = 1079;

// The dialog's caption.
inline constexpr const char* gps_dialog_caption = "GPS";

// The message when no receiver is found.
inline constexpr const char* gps_not_found_message = "Kein GPS gefunden.";

// The signal bars, index = signal-to-noise ratio / 10 (index 8 has nine
// stars, 9 ten; there is none with eight).
inline constexpr std::array<std::string_view, 10> gps_signal_bars = {
    "..........", "*.........", "**........", "***.......", "****......",
    "*****.....", "******....", "*******...", "*********.", "**********",
};

// Knots to metres per second, as the dialog converts the speed (0.5144, not
// 0.514444).
inline constexpr double gps_metres_per_second_per_knot = 0.5144;

// The bar of a signal-to-noise ratio: bar snr / 10 (integer division);
// ratios of 100 and more show the full bar, negative ones the empty bar.
std::string_view gps_signal_bar(int snr) noexcept;

// What the GPS dialog shows and keeps: its texts in dialog order (1063,
// 1064, 1078, 1079, 1065, 1066 to 1077) and the values it hands over.
struct GpsDialogView {
    PageTexts texts;
    double handed_over_latitude = 0.0;   // degrees, north positive
    double handed_over_longitude = 0.0;  // degrees, east positive
    int handed_over_satellites = 0;      // satellites used at the last refresh; 0: nothing to hand over
};

// The view of a freshly opened dialog: "0.00" for the two coordinate lines,
// empty time and speed lines, "0" for the satellite lines, all hand-over
// values 0.
GpsDialogView gps_dialog_opening_view();

// One refresh from the position record:
// - the longitude is kept for hand-over;
// - with satellites used (not 0): "Geogr. Länge = %f° Ost" for a longitude
//   above 0, else "... West"; "Geogr. Breite = %f° Nord" for a latitude
//   above 0, else "... Süd" (values with their sign), the latitude kept for
//   hand-over; "UTC-Time = DD.MM.YYYY, hh:mm:ss" (zero-filled fields);
//   "Geschw. = %.2f m/s, Höhe = %.0f m" with knots x 0.5144 and the
//   altitude above sea level;
// - without: "Geogr. Länge = Suche Daten...", "Geogr. Breite = Suche
//   Daten...", the time and speed lines keep their text;
// - the satellite count is kept; "%d Satelliten erfasst  (%dD)" with the
//   dimension 2 or 3 for a 2D or 3D fix, else 0;
// - "Sat. i  bar" for all twelve entries.
// Numbers are printed as in the C locale.
GpsDialogView gps_dialog_refresh(const GpsDialogView& before, const GpsPosition& record);

// A geographic place handed over by the dialog.
struct GpsPlace {
    double latitude_deg = 0.0;   // degrees, north positive
    double longitude_deg = 0.0;  // degrees, east positive
};

// The place "Uebernehmen" takes: the handed-over latitude and longitude when
// the last refresh had satellites; nothing when it had none or when either
// value is not finite or off the globe (|latitude| > 90, |longitude| > 180).
std::optional<GpsPlace> gps_place_to_hand_over(const GpsDialogView& view);

}  // namespace orbant
