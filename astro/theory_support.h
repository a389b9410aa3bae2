// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Helpers shared by the Sun's and the planets' theories (internal to astro/).
#include <algorithm>
#include <array>
#include <cmath>
#include <cstddef>
#include <initializer_list>
#include <utility>

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

// Two doubles operated on lane by lane: each lane's sum, difference and
// product is the IEEE operation on that lane alone, so the doubles are those
// of the scalar arithmetic.
using Lanes = double __attribute__((vector_size(16)));

// cos/sin of phase + k*M for the multiples k of one mean anomaly M, shared
// by all series sets of a theory that take the same anomaly.
//
// Notes: filled exactly as PerturbationSeries fills its tables: entry 0 is
//        (cos phase, sin phase), entries k > 0 are stepped up with
//        (cos M, sin M), entries k < 0 down with (cos M, -sin M), and -1, 0,
//        +1 always exist. Every entry depends only on its k, not on the range
//        filled, so one table over the union of the sets' ranges holds the
//        same doubles as a table per set. Each entry (c, s) is kept in the
//        two forms the series multiply with: (c, s) and (s, c) in the table
//        of a set's own anomaly (perturber false), (c, c) and (-s, s) in the
//        perturber's (perturber true).
template <bool perturber>
class MultipleTableOf {
public:
    static constexpr int max_multiple = PerturbationSeries::max_multiple;

    // Given:    unit: (cos M, sin M); lo..hi: the multiples, within
    //           +-max_multiple; c0, s0: cos and sin of the phase.
    void fill(ComplexPair unit, int lo, int hi, double c0 = 1.0, double s0 = 0.0) noexcept {
        const double c = unit.re, s = unit.im;
        const int top = std::min(std::max(hi, 1), max_multiple);
        const int bottom = std::max(std::min(lo, -1), -max_multiple);
        ComplexPair p{c0, s0};
        store(0, p);
        for (int k = 1; k <= top; ++k) {
            p = complex_product(p.re, p.im, c, s);
            store(k, p);
        }
        p = ComplexPair{c0, s0};
        for (int k = -1; k >= bottom; --k) {
            p = complex_product(p.re, p.im, c, -s);
            store(k, p);
        }
    }

    // The two forms of entry k.
    const Lanes& a(int k) const noexcept { return a_[index(k)]; }
    const Lanes& b(int k) const noexcept { return b_[index(k)]; }

private:
    static unsigned index(int k) noexcept { return static_cast<unsigned>(k + max_multiple); }
    void store(int k, ComplexPair p) noexcept {
        if constexpr (perturber) {
            a_[index(k)] = Lanes{p.re, p.re};
            b_[index(k)] = Lanes{-p.im, p.im};
        } else {
            a_[index(k)] = Lanes{p.re, p.im};
            b_[index(k)] = Lanes{p.im, p.re};
        }
    }

    // Deliberately without initialisers: the tables are built on every
    // evaluation, and fill writes every entry a set reads.
    std::array<Lanes, 2 * max_multiple + 1> a_;
    std::array<Lanes, 2 * max_multiple + 1> b_;
};
using MultipleTable = MultipleTableOf<false>;
using PerturberTable = MultipleTableOf<true>;

// The argument (u, v) of own[k]*perturber[j] as complex_product forms it:
// (c1 c2 - s1 s2, s1 c2 + c1 s2), lane by lane.
inline Lanes argument(const MultipleTable& own, int k, const PerturberTable& perturber, int j) noexcept {
    return own.a(k) * perturber.a(j) + own.b(k) * perturber.b(j);
}

// The sums of one series set: longitude and latitude in arcseconds, radius
// in the theory's unit.
struct SeriesSums {
    double dl = 0.0;
    double dr = 0.0;
    double db = 0.0;
};

// Which sums a set evaluation forms.
enum class SeriesPart { all, longitude };

// A term laid out for the evaluation: the longitude and radius coefficients
// of the cosine side by side, then those of the sine, then the latitude's.
struct PackedTerm {
    Lanes cos_lr;  // (dlc, drc)
    Lanes sin_lr;  // (dls, drs)
    Lanes b;       // (dbc, dbs)
    int k, j, p;
};

// A set's terms in the evaluation's layout, in table order.
template <std::size_t N>
constexpr std::array<PackedTerm, N> packed(const std::array<SeriesTerm, N>& terms) noexcept {
    std::array<PackedTerm, N> out{};
    for (std::size_t i = 0; i < N; ++i) {
        const SeriesTerm& t = terms[i];
        out[i] = PackedTerm{Lanes{t.dlc, t.drc}, Lanes{t.dls, t.drs}, Lanes{t.dbc, t.dbs}, t.k, t.j, t.p};
    }
    return out;
}
template <const auto& terms>
inline constexpr auto packed_terms = packed(terms);

// True when every multiple of a set lies inside the tables' entries.
template <std::size_t N>
constexpr bool multiples_inside_tables(const std::array<SeriesTerm, N>& terms) noexcept {
    constexpr int m = PerturbationSeries::max_multiple;
    for (const SeriesTerm& t : terms) {
        if (t.k < -m || t.k > m || t.j < -m || t.j > m) return false;
    }
    return true;
}

// The sums of one set: its terms added in table order, as
// PerturbationSeries::term adds them: the argument's (u, v) =
// first[k]*second[j] for p = 0, the previous (u, v) times T for p > 0;
// dl += dlc*u + dls*v and likewise dr and db. With SeriesPart::longitude
// the same dl alone.
//
// Notes: dl and dr are formed in the two lanes of one pair, lane by lane,
//        so each keeps its own order of operations; db = dbc*u + dbs*v from
//        the products of one pair.
template <const auto& terms, SeriesPart part = SeriesPart::all>
SeriesSums sum_terms(const MultipleTable& first, const PerturberTable& second, double T) noexcept {
    static_assert(multiples_inside_tables(terms));
    const auto& table = packed_terms<terms>;
    Lanes w{0.0, 0.0};
    Lanes lr{0.0, 0.0};
    double db = 0.0;
    const Lanes TT{T, T};
    for (const PackedTerm& t : table) {
        w = t.p == 0 ? argument(first, t.k, second, t.j) : w * TT;
        const Lanes u{w[0], w[0]};
        const Lanes v{w[1], w[1]};
        lr += t.cos_lr * u + t.sin_lr * v;
        if constexpr (part == SeriesPart::all) {
            const Lanes products = t.b * w;
            db += products[0] + products[1];
        }
    }
    return SeriesSums{lr[0], lr[1], db};
}

// The union of the ranges of the own anomaly's multiples over several sets.
constexpr SeriesRange own_range_union(std::initializer_list<SeriesRange> ranges) noexcept {
    SeriesRange u{0, 0, 0, 0};
    for (const SeriesRange& r : ranges) {
        u.k_min = std::min(u.k_min, r.k_min);
        u.k_max = std::max(u.k_max, r.k_max);
    }
    return u;
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
