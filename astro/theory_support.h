#pragma once
// Helpers shared by the Sun's and the planets' theories (internal to astro/).
#include <algorithm>
#include <array>
#include <cmath>
#include <cstddef>
#include <initializer_list>

#include "astro/constants.h"
#include "astro/perturbation_series.h"

namespace orbant::detail {

// Mean anomaly 2*pi*frac(c0 + c1*T), radians; c0, c1 in revolutions and
// revolutions per Julian century.
inline double mean_anomaly(double c0, double c1, double T) noexcept { return two_pi * frac(c0 + c1 * T); }

// cos/sin of phase + k*M for the multiples k of one mean anomaly M, shared
// by all series sets of a theory that take the same anomaly.
//
// Notes: filled exactly as PerturbationSeries fills its tables: entry 0 is
//        (cos phase, sin phase), entries k > 0 are stepped up with
//        (cos M, sin M), entries k < 0 down with (cos M, -sin M), and -1, 0,
//        +1 always exist. Every entry depends only on its k, not on the range
//        filled, so one table over the union of the sets' ranges holds the
//        same doubles as a table per set.
class MultipleTable {
public:
    static constexpr int max_multiple = PerturbationSeries::max_multiple;

    // Given:    unit: (cos M, sin M); lo..hi: the multiples, within
    //           +-max_multiple; c0, s0: cos and sin of the phase.
    void fill(ComplexPair unit, int lo, int hi, double c0 = 1.0, double s0 = 0.0) noexcept {
        const double c = unit.re, s = unit.im;
        e_[max_multiple] = Entry{c0, s0};
        const int top = std::min(std::max(hi, 1), max_multiple);
        const int bottom = std::max(std::min(lo, -1), -max_multiple);
        for (int k = 1; k <= top; ++k) {
            const Entry& p = e_[static_cast<unsigned>(max_multiple + k - 1)];
            const ComplexPair n = complex_product(p.re, p.im, c, s);
            e_[static_cast<unsigned>(max_multiple + k)] = Entry{n.re, n.im};
        }
        for (int k = -1; k >= bottom; --k) {
            const Entry& p = e_[static_cast<unsigned>(max_multiple + k + 1)];
            const ComplexPair n = complex_product(p.re, p.im, c, -s);
            e_[static_cast<unsigned>(max_multiple + k)] = Entry{n.re, n.im};
        }
    }

    // An entry: cos and sin of phase + k*M.
    struct Entry {
        double re;
        double im;
    };
    const Entry& operator[](int k) const noexcept { return e_[static_cast<unsigned>(k + max_multiple)]; }

private:
    // Deliberately without initialisers: the tables are built on every
    // evaluation, and fill writes every entry a set reads.
    std::array<Entry, 2 * max_multiple + 1> e_;
};

// The sums of one series set: longitude and latitude in arcseconds, radius
// in the theory's unit.
struct SeriesSums {
    double dl = 0.0;
    double dr = 0.0;
    double db = 0.0;
};

// Which sums a set evaluation forms.
enum class SeriesPart { all, longitude };

// The terms of one set added in table order, as PerturbationSeries::term
// adds them: the argument's (u, v) = first[k]*second[j] for p = 0, the
// previous (u, v) times T for p > 0; dl += dlc*u + dls*v and likewise dr and
// db. With SeriesPart::longitude only dl is formed; its value is the same.
//
// Notes: the sums live in locals rather than in a series object, so the
//        compiler keeps them in registers; each sum keeps its order.
template <SeriesPart part = SeriesPart::all, std::size_t N>
SeriesSums sum_terms(const MultipleTable& first, const MultipleTable& second, double T,
                     const std::array<SeriesTerm, N>& terms) noexcept {
    double u = 0.0, v = 0.0;
    double dl = 0.0, dr = 0.0, db = 0.0;
    for (std::size_t i = 0; i < N; ++i) {
        const SeriesTerm& t = terms[i];
        if (t.p == 0) {
            const MultipleTable::Entry& a = first[t.k];
            const MultipleTable::Entry& b = second[t.j];
            const ComplexPair w = complex_product(a.re, a.im, b.re, b.im);
            u = w.re;
            v = w.im;
        } else {
            u *= T;
            v *= T;
        }
        dl += t.dlc * u + t.dls * v;
        if constexpr (part == SeriesPart::all) {
            dr += t.drc * u + t.drs * v;
            db += t.dbc * u + t.dbs * v;
        }
    }
    return SeriesSums{dl, dr, db};
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
