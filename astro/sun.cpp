// SPDX-License-Identifier: GPL-3.0-or-later
#include "astro/sun.h"

#include <array>
#include <cmath>
#include <cstddef>

#include "astro/constants.h"
#include "astro/perturbation_series.h"
#include "astro/precession_nutation.h"
#include "astro/tables/sun_terms.h"
#include "astro/theory_support.h"

namespace orbant {

namespace {

// Mean longitude of the Sun minus its mean anomaly at J2000.0, revolutions.
constexpr double sun_longitude_of_perigee_rev = 0.7859453;
// Precession in longitude: arcsec per century and per century squared.
constexpr double sun_precession_rate = 6191.2;
constexpr double sun_precession_accel = 1.1;
// Mean distance term of the radius vector, AU, and its secular change, AU per century.
constexpr double sun_mean_distance_au = 1.0001398;
constexpr double sun_distance_rate_au = 0.0000007;
// Unit of the distance series, AU.
constexpr double sun_distance_unit_au = 1.0e-6;

// The fixed obliquity of the short formulas, radians.
constexpr double fixed_obliquity = obliquity_j2000_deg * pi / 180.0;

// The sums of one set of the Sun's theory: the Earth's table and the
// perturber's over the set's range of j.
template <const auto& terms, detail::SeriesPart part>
detail::SeriesSums set_sums(const detail::MultipleTable& earth, ComplexPair perturber, double T,
                            const SeriesRange& range) noexcept {
    detail::PerturberTable second;
    second.fill(perturber, range.j_min, range.j_max);
    return detail::sum_terms<terms, part>(earth, second, T);
}

// The Sun's theory at T: the longitude L, and with SeriesPart::all the
// latitude B (radians) and the distance R (AU). The longitude is formed the
// same way in both parts.
template <detail::SeriesPart part>
void solar_theory(double T, double& L, double& B, double& R) noexcept {
    const double M2 = two_pi * frac(0.1387306 + 162.5485917 * T);  // Venus
    const double M3 = two_pi * frac(0.9931266 + 99.9973604 * T);   // Earth
    const double M4 = two_pi * frac(0.0543250 + 53.1666028 * T);   // Mars
    const double M5 = two_pi * frac(0.0551750 + 8.4293972 * T);    // Jupiter
    const double M6 = two_pi * frac(0.8816500 + 3.3938722 * T);    // Saturn
    const double D = two_pi * frac(0.8274 + 1236.8531 * T);        // Moon's mean elongation
    const double A = two_pi * frac(0.3749 + 1325.5524 * T);        // Moon's mean anomaly
    const double U = two_pi * frac(0.2591 + 1342.2278 * T);        // Moon's argument of latitude

    // One table of the Earth's anomaly serves all four sets.
    const SeriesRange own = detail::own_range_union(
        {tables::sun_venus_range, tables::sun_mars_range, tables::sun_jupiter_range, tables::sun_saturn_range});
    detail::MultipleTable earth;
    earth.fill(unit_of(M3), own.k_min, own.k_max);
    const detail::SeriesSums venus =
        set_sums<tables::sun_venus_terms, part>(earth, unit_of(M2), T, tables::sun_venus_range);
    const detail::SeriesSums mars =
        set_sums<tables::sun_mars_terms, part>(earth, unit_of(M4), T, tables::sun_mars_range);
    const detail::SeriesSums jupiter =
        set_sums<tables::sun_jupiter_terms, part>(earth, unit_of(M5), T, tables::sun_jupiter_range);
    const detail::SeriesSums saturn =
        set_sums<tables::sun_saturn_terms, part>(earth, unit_of(M6), T, tables::sun_saturn_range);

    // Motion of the Earth about the Earth-Moon barycentre. The sums and
    // differences of the angles are formed first and their sines and cosines
    // taken directly: stepping them from the pairs of D, A and M3 would round
    // differently and change the last digit of R at some instants.
    const double dl_moon = 6.45 * std::sin(D) - 0.42 * std::sin(D - A) + 0.18 * std::sin(D + A) +
                           0.17 * std::sin(D - M3) - 0.06 * std::sin(D + M3);
    // Long-period perturbations.
    const double dl_long = 6.40 * std::sin(two_pi * (0.6983 + 0.0561 * T)) +
                           1.87 * std::sin(two_pi * (0.5764 + 0.4174 * T)) +
                           0.27 * std::sin(two_pi * (0.4189 + 0.3306 * T)) +
                           0.20 * std::sin(two_pi * (0.3581 + 2.4814 * T));

    const double dl = venus.dl + mars.dl + jupiter.dl + saturn.dl + dl_moon + dl_long;
    L = two_pi * frac(sun_longitude_of_perigee_rev + M3 / two_pi +
                      ((sun_precession_rate + sun_precession_accel * T) * T + dl) / arcseconds_per_revolution);
    if constexpr (part == detail::SeriesPart::all) {
        const double dr_moon = 30.76 * std::cos(D) - 3.06 * std::cos(D - A) + 0.85 * std::cos(D + A) -
                               0.58 * std::cos(D + M3) + 0.57 * std::cos(D - M3);
        const double db_moon = 0.576 * std::sin(U);
        const double dr = venus.dr + mars.dr + jupiter.dr + saturn.dr + dr_moon;
        const double db = venus.db + mars.db + jupiter.db + saturn.db + db_moon;
        R = sun_mean_distance_au - sun_distance_rate_au * T + dr * sun_distance_unit_au;
        B = db / arcseconds_per_radian;
    } else {
        static_cast<void>(U);
        B = R = 0.0;
    }
}

}  // namespace

Vector3 sun_position(double T) noexcept {
    double L = 0.0, B = 0.0, R = 0.0;
    solar_theory<detail::SeriesPart::all>(T, L, B, R);
    return Vector3(Polar(L, B, R));
}

double sun_longitude(double T) noexcept {
    double L = 0.0, B = 0.0, R = 0.0;
    solar_theory<detail::SeriesPart::longitude>(T, L, B, R);
    return L;
}

Vector3 sun_equatorial_of_date(double T) noexcept {
    // The ecliptic vector is turned to the mean equator first, then nutation is applied.
    return nutation_matrix(T) * (ecliptic_to_equatorial_matrix(T) * sun_position(T));
}

RaDec sun_low_precision(double T) noexcept {
    const double M = two_pi * frac(0.993133 + 99.997361 * T);
    const double L = two_pi * frac(sun_longitude_of_perigee_rev + M / two_pi +
                                   (6893.0 * std::sin(M) + 72.0 * std::sin(2.0 * M) + sun_precession_rate * T) /
                                       arcseconds_per_revolution);
    const Vector3 e = rotation_x(-fixed_obliquity) * Vector3(Polar(L, 0.0, 1.0));
    return RaDec{e.polar(0), e.polar(1)};
}

}  // namespace orbant
