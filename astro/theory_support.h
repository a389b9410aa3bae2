#pragma once
// Helpers shared by the Sun's and the planets' theories (internal to astro/).
#include <array>
#include <cmath>
#include <cstddef>

#include "astro/constants.h"
#include "astro/perturbation_series.h"

namespace orbant::detail {

// Mean anomaly of a linear expression in revolutions.
//
// Given:    c0: revolutions at J2000.0; c1: revolutions per Julian century;
//           T: Julian centuries from J2000.0.
// Returned: 2*pi*frac(c0 + c1*T), radians, in [0, 2*pi) (see frac for the
//           edge).
// Notes:    the reduction to one revolution comes before the conversion to
//           radians, as the published theories do it.
// Reference: the truncated planetary theories for small computers.
// Accuracy: double rounding of c1*T, the sum and frac.
inline double mean_anomaly(double c0, double c1, double T) noexcept { return two_pi * frac(c0 + c1 * T); }

// Adds the terms of a set in table order.
//
// Given:    series: initialised for the set; terms: the set's table.
// Returned: nothing; series.dl, dr, db hold the sums with every term added.
// Notes:    the order of the table is the order of summation.
// Reference: as PerturbationSeries.
// Accuracy: as PerturbationSeries::term.
template <std::size_t N>
void add_terms(PerturbationSeries& series, const std::array<SeriesTerm, N>& terms) noexcept {
    for (std::size_t i = 0; i < N; ++i) series.term(terms[i]);
}

// Initialises a series set and adds its terms in table order.
//
// Given:    series: the evaluator; T: Julian centuries from J2000.0; M, M2:
//           the (cos, sin) pairs of the own (for the Sun: the Earth's) and
//           the perturber's mean anomaly; range: the set's multiples;
//           terms: the set's table; phase (planetary form only): radians
//           added to every argument.
// Returned: nothing; series.dl, dr, db hold the sums of the set.
// Notes:    init discards whatever the series held before.
// Reference: as PerturbationSeries.
// Accuracy: as PerturbationSeries.
template <std::size_t N>
void evaluate_set(PerturbationSeries& series, double T, ComplexPair M, ComplexPair M2, const SeriesRange& range,
                  const std::array<SeriesTerm, N>& terms) noexcept {
    series.init(T, M, range.k_min, range.k_max, M2, range.j_min, range.j_max);
    add_terms(series, terms);
}
template <std::size_t N>
void evaluate_set(PlanetaryPerturbationSeries& series, double T, ComplexPair M, ComplexPair M2,
                  const SeriesRange& range, const std::array<SeriesTerm, N>& terms, double phase = 0.0) noexcept {
    series.init(T, M, range.k_min, range.k_max, M2, range.j_min, range.j_max, phase);
    add_terms(series, terms);
}

// Closing constants of a theory: mean longitude, latitude and radius terms.
//
// Given:    the fields below, from the theory's publication.
// Returned: -
// Notes:    read by close_theory.
// Reference: the truncated planetary theories for small computers.
// Accuracy: the constants as published.
struct ClosingConstants {
    double cL;             // mean longitude minus mean anomaly at J2000.0, revolutions
    double a, a1;          // precession in longitude: arcsec/cy and arcsec/cy^2
    double b0, b1, b2;     // latitude polynomial, arcsec, arcsec/cy, arcsec/cy^2
    double r0, r1, r2;     // radius polynomial, AU, AU/cy, AU/cy^2
    double unit;           // unit of the dr sums, AU
};

// Heliocentric position of a planetary theory from its mean anomaly and its
// perturbation sums.
//
// Given:    c: the theory's closing constants; T: Julian centuries from
//           J2000.0; M: the own mean anomaly, radians; dl, db: longitude and
//           latitude sums, arcseconds; dr: radius sum, in units of c.unit.
// Returned: Vector3(Polar(l, b, r)) with l = 2*pi*frac(cL + M/(2*pi) +
//           ((a + a1*T)*T + dl)/1296000), b = (db + b0 + (b1 + b2*T)*T)/
//           206264.806..., r = r0 + (r1 + r2*T)*T + dr*unit: longitude in
//           [0, 2*pi) and latitude, radians; radius in AU.
// Notes:    mean ecliptic and equinox of date; Mercury to Neptune use it
//           (the Sun and Pluto close their theories themselves).
// Reference: the truncated planetary theories for small computers.
// Accuracy: double rounding; the theories' accuracy is stated with their
//           positions.
inline Vector3 close_theory(const ClosingConstants& c, double T, double M, double dl, double dr, double db) noexcept {
    const double l = two_pi * frac(c.cL + M / two_pi + ((c.a + c.a1 * T) * T + dl) / arcseconds_per_revolution);
    const double b = (db + c.b0 + (c.b1 + c.b2 * T) * T) / arcseconds_per_radian;
    const double r = c.r0 + (c.r1 + c.r2 * T) * T + dr * c.unit;
    return Vector3(Polar(l, b, r));
}

}  // namespace orbant::detail
