#pragma once
// Helpers shared by the Sun's and the planets' theories (internal to astro/).
#include <array>
#include <cmath>
#include <cstddef>

#include "astro/constants.h"
#include "astro/perturbation_series.h"

namespace orbant::detail {

// Mean anomaly 2*pi*frac(c0 + c1*T), radians; c0, c1 in revolutions and
// revolutions per Julian century.
inline double mean_anomaly(double c0, double c1, double T) noexcept { return two_pi * frac(c0 + c1 * T); }

// Adds the terms of a set in table order.
template <std::size_t N>
void add_terms(PerturbationSeries& series, const std::array<SeriesTerm, N>& terms) noexcept {
    for (std::size_t i = 0; i < N; ++i) series.term(terms[i]);
}

// Initialises a series set and adds its terms in table order. M and M2 are
// the (cos, sin) pairs of the own (for the Sun: the Earth's) and the
// perturber's anomaly.
template <std::size_t N>
void evaluate_set(PerturbationSeries& series, double T, ComplexPair M, ComplexPair M2, const SeriesRange& range,
                  const std::array<SeriesTerm, N>& terms) noexcept {
    series.init(T, M, range.k_min, range.k_max, M2, range.j_min, range.j_max);
    add_terms(series, terms);
}

// The same for a planetary set, whose first table may carry a phase.
template <std::size_t N>
void evaluate_set(PlanetaryPerturbationSeries& series, double T, ComplexPair M, ComplexPair M2,
                  const SeriesRange& range, const std::array<SeriesTerm, N>& terms, double phase = 0.0) noexcept {
    series.init(T, M, range.k_min, range.k_max, M2, range.j_min, range.j_max, phase);
    add_terms(series, terms);
}

// Closing constants of a theory: mean longitude, latitude and radius terms.
struct ClosingConstants {
    double cL;             // mean longitude minus mean anomaly at J2000.0, revolutions
    double a, a1;          // precession in longitude: arcsec/cy and arcsec/cy^2
    double b0, b1, b2;     // latitude polynomial, arcsec, arcsec/cy, arcsec/cy^2
    double r0, r1, r2;     // radius polynomial, AU, AU/cy, AU/cy^2
    double unit;           // unit of the dr sums, AU
};

// l, b, r of a theory from its own mean anomaly M and the sums dl, dr, db.
inline Vector3 close_theory(const ClosingConstants& c, double T, double M, double dl, double dr, double db) noexcept {
    const double l = two_pi * frac(c.cL + M / two_pi + ((c.a + c.a1 * T) * T + dl) / arcseconds_per_revolution);
    const double b = (db + c.b0 + (c.b1 + c.b2 * T) * T) / arcseconds_per_radian;
    const double r = c.r0 + (c.r1 + c.r2 * T) * T + dr * c.unit;
    return Vector3(Polar(l, b, r));
}

}  // namespace orbant::detail
