// SPDX-License-Identifier: GPL-3.0-or-later
#include "astro/pluto.h"

#include <cmath>

#include "astro/matrix3.h"
#include "astro/precession_nutation.h"
#include "astro/tables/pluto_terms.h"
#include "astro/theory_support.h"

namespace orbant {

namespace {
// Mean longitude minus mean anomaly at J2000.0, B1950.0 equinox, revolutions.
constexpr double pluto_cL = 0.6232469;
// Mean latitude, degrees (B1950.0 ecliptic).
constexpr double pluto_mean_latitude_deg = 3.909434;
// Mean radius vector, AU, and the unit of the dr sums, AU.
constexpr double pluto_mean_radius_au = 40.7247248;
constexpr double pluto_unit_au = 1.0e-5;
}  // namespace

Vector3 pluto_position(double T) noexcept {
    const double M5 = detail::mean_anomaly(0.0565314, 8.4302963, T);
    const ComplexPair u5 = unit_of(M5);
    const double M6 = detail::mean_anomaly(0.8829867, 3.3947688, T);
    const ComplexPair u6 = unit_of(M6);
    const double M9 = detail::mean_anomaly(0.0385795, 0.4026667, T);
    const ComplexPair u9 = unit_of(M9);
    const SeriesRange own =
        detail::own_range_union({tables::pluto_1_jupiter_range, tables::pluto_2_saturn_range});
    detail::MultipleTable pluto;
    detail::PerturberTable jupiter_table, saturn_table;
    pluto.fill(u9, own.k_min, own.k_max);
    jupiter_table.fill(u5, tables::pluto_1_jupiter_range.j_min, tables::pluto_1_jupiter_range.j_max);
    saturn_table.fill(u6, tables::pluto_2_saturn_range.j_min, tables::pluto_2_saturn_range.j_max);
    const detail::SeriesSums jupiter = detail::sum_terms<tables::pluto_1_jupiter_terms>(pluto, jupiter_table, T);
    const detail::SeriesSums saturn = detail::sum_terms<tables::pluto_2_saturn_terms>(pluto, saturn_table, T);
    const double phi = M5 - M6;
    const double psi = phi + M9;
    const double sp = std::sin(phi), cp = std::cos(phi), ss = std::sin(psi), cs = std::cos(psi);
    const double dl = jupiter.dl + saturn.dl + 0.12 * sp - 9.11 * cp + 5.92 * cs + 0.25 * ss;
    const double dr = jupiter.dr + saturn.dr - 3.3 * sp - 3.4 * cp + 2.3 * cs - 3.8 * ss;
    const double db = jupiter.db + saturn.db + 0.81 * cp + 0.78 * sp - 0.67 * cs - 0.51 * ss;
    const double l = two_pi * frac(pluto_cL + M9 / two_pi + dl / arcseconds_per_revolution);
    const double b = db / arcseconds_per_radian - pluto_mean_latitude_deg * pi / 180.0;
    const double r = pluto_mean_radius_au + dr * pluto_unit_au;
    return ecliptic_precession_matrix(b1950_centuries, T) * Vector3(Polar(l, b, r));
}

}  // namespace orbant
