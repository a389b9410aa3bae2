// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <string_view>

namespace orbant {

// Limits on the Moon's geocentric ecliptic latitude at new Moon, radians.
// Solar eclipse classes (negated for the southern hemisphere, when the Moon
// is south of the ecliptic).
inline constexpr int solar_class_none = 10;              // no eclipse
inline constexpr int solar_class_central_certain = 11;
inline constexpr int solar_class_central_possible = 12;
inline constexpr int solar_class_partial_certain = 13;
inline constexpr int solar_class_partial_possible = 14;

inline constexpr double solar_limit_none = 0.027586;              // 1.5806 deg: above, no eclipse
inline constexpr double solar_limit_central_certain = 0.015223;   // 0.8722 deg
inline constexpr double solar_limit_central_possible = 0.018209;  // 1.0433 deg
inline constexpr double solar_limit_partial_certain = 0.024594;   // 1.4091 deg

// Limits on the Moon's geocentric ecliptic latitude at full Moon, radians.
inline constexpr double lunar_limit_none = 0.028134;                 // 1.6120 deg: above, no eclipse
inline constexpr double lunar_limit_total_certain = 0.006351;        // 0.3639 deg
inline constexpr double lunar_limit_total_possible = 0.009376;       // 0.5372 deg
inline constexpr double lunar_limit_partial_certain = 0.015533;      // 0.8900 deg
inline constexpr double lunar_limit_partial_possible = 0.018568;     // 1.0639 deg
inline constexpr double lunar_limit_penumbral_certain = 0.025089;    // 1.4375 deg

// Solar eclipse class of a new Moon.
//
// Given:    beta: the Moon's geocentric ecliptic latitude at the instant of
//           new Moon, radians (mean ecliptic of date).
// Returned: 10 when |beta| > 0.027586 (no eclipse); otherwise 11 (central
//           eclipse certain), 12 (central possible), 13 (partial certain) or
//           14 (partial possible), negated when beta < 0 (Moon south of the
//           ecliptic; the southern hemisphere sees it).
// Notes:    the limits are tested in the order none, 11, 12, 13 with strict
//           comparisons; beta = 0 counts as positive. The code 10 is never
//           negated. Not a shadow computation: a syzygy near a node is
//           sorted by latitude alone.
// Reference: ecliptic limits of solar eclipses.
// Accuracy: a classification; near the limits the class may be one step
//           off the true circumstances.
int solar_eclipse_class(double beta) noexcept;

// Lunar eclipse class of a full Moon.
//
// Given:    beta: the Moon's geocentric ecliptic latitude at the instant of
//           full Moon, radians.
// Returned: 0 when |beta| > 0.028134 (no eclipse); otherwise 1 (total
//           certain), 2 (total possible), 3 (partial certain), 4 (partial
//           possible), 5 (penumbral certain), 6 (penumbral possible).
// Notes:    strict comparisons in that order, so |beta| = 0.028134 exactly
//           is still 6. The sign of beta is not used.
// Reference: ecliptic limits of lunar eclipses.
// Accuracy: a classification, as for solar_eclipse_class.
int lunar_eclipse_class(double beta) noexcept;

// The list text of a solar eclipse class.
//
// Given:    code: a result of solar_eclipse_class.
// Returned: the German text with the hemisphere suffix, for example
//           "Zentrale Sonnenfinsternis sicher (Südhalbkugel)" for -11
//           (UTF-8); an empty view for 10 and any other code.
// Notes:    the views refer to constant storage.
// Reference: -
// Accuracy: exact.
std::string_view solar_eclipse_text(int code) noexcept;

// The list text of a lunar eclipse class.
//
// Given:    code: a result of lunar_eclipse_class.
// Returned: the German text, for example "Totale Mondfinsternis sicher" for
//           1 (UTF-8); an empty view for 0 and any other code.
// Notes:    the views refer to constant storage.
// Reference: -
// Accuracy: exact.
std::string_view lunar_eclipse_text(int code) noexcept;

}  // namespace orbant
