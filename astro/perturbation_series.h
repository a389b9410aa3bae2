// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <array>
#include <cmath>

#include "astro/matrix3.h"

namespace orbant {

// One term of a perturbation series in multiples of two mean anomalies.
//
// Given:    k, j: the multiples of the own and of the perturber's mean
//           anomaly; p: 0 for a periodic term, 1 or 2 for a mixed term;
//           dlc, dls: longitude, arcseconds; drc, drs: radius, in the
//           theory's unit (1e-6 or 1e-5 AU); dbc, dbs: latitude,
//           arcseconds.
// Returned: -
// Notes:    the argument is k*M + j*M' (plus the series' phase); a term
//           with p = 1 or 2 multiplies the previous term's cosine and sine
//           once more by T. The c columns multiply the cosine, the s
//           columns the sine.
// Reference: the classical truncated planetary series for small computers.
// Accuracy: the coefficients as published, to 0.01 of each column's unit.
struct SeriesTerm {
    int k = 0;
    int j = 0;
    int p = 0;
    double dlc = 0.0, dls = 0.0;
    double drc = 0.0, drs = 0.0;
    double dbc = 0.0, dbs = 0.0;
};

// Cosine and sine of an angle: the form in which the series take their mean
// anomalies.
//
// Given:    x: angle, radians.
// Returned: (cos x, sin x).
// Notes:    -
// Reference: -
// Accuracy: that of std::cos and std::sin.
inline ComplexPair unit_of(double x) noexcept { return ComplexPair{std::cos(x), std::sin(x)}; }

// The ranges of the multiples of one series set.
//
// Given:    k_min..k_max: multiples of the first (own) mean anomaly;
//           j_min..j_max: multiples of the second (the perturber's); each
//           within +-PerturbationSeries::max_multiple.
// Returned: -
// Notes:    passed to PerturbationSeries::init, which cuts the ranges to
//           +-max_multiple.
// Reference: the ranges of the published series sets.
// Accuracy: exact (storage only).
struct SeriesRange {
    int k_min = 0, k_max = 0;
    int j_min = 0, j_max = 0;
};

// Evaluator of a trigonometric series in multiples of two mean anomalies, as
// used by the Sun's theory: a value object that lives on the caller's stack.
//
// Given:    through init: T, the two mean anomalies and the ranges of their
//           multiples; through term: one term after another.
// Returned: dl, dr, db: the sums of the terms so far (arcseconds, the
//           theory's radius unit, arcseconds); first(k), second(j): the
//           cos/sin table entries.
// Notes:    init fills the cos/sin tables of k*M and j*M' from one cos/sin
//           pair per anomaly, stepping by complex multiplication (no
//           trigonometric call per term); entries 0, +1, -1 of both tables
//           are always filled, the others over the stated ranges. term()
//           accumulates dl, dr, db. Multiples outside the filled entries, or
//           beyond +-max_multiple, must not be passed (the tables are not
//           checked). Allocates nothing.
// Reference: the classical truncated planetary series for small computers.
// Accuracy: the stepped entries agree with direct cos and sin of k*M to
//           within 1e-14 for |k| <= 16 and |M| <= 7 (worst 8.3e-15; the
//           tests allow 1e-13).
class PerturbationSeries {
public:
    // Largest multiple the tables hold.
    static constexpr int max_multiple = 16;

    // Starts a series set.
    //
    // Given:    T: Julian centuries from J2000.0; M, M2: first and second
    //           mean anomaly, radians, or their (cos, sin) pairs (for
    //           theories that share one anomaly between several sets);
    //           k_min..k_max and j_min..j_max: the ranges of multiples,
    //           within +-max_multiple.
    // Returned: nothing; tables filled, u = v = 0, dl = dr = db = 0.
    // Notes:    entries -1, 0 and +1 are filled whatever the ranges; ranges
    //           beyond +-max_multiple are cut to it.
    // Reference: stepping of multiple angles by complex multiplication.
    // Accuracy: as the class.
    void init(double T, double M, int k_min, int k_max, double M2, int j_min, int j_max) noexcept;
    void init(double T, ComplexPair M, int k_min, int k_max, ComplexPair M2, int j_min, int j_max) noexcept;

    // Adds one term.
    //
    // Given:    k, j: multiples, within the filled entries; p: 0 for a new
    //           argument, >0 for the previous (u, v) times T once more; the
    //           six coefficients as in SeriesTerm, or a table row.
    // Returned: nothing; (u, v) = the argument's (cos, sin) for p = 0, else
    //           (u*T, v*T); dl += dlc*u + dls*v, dr += drc*u + drs*v,
    //           db += dbc*u + dbs*v, summed in that order.
    // Notes:    k and j are not checked. A first term with p > 0 multiplies
    //           the zero (u, v) left by init.
    // Reference: as the class.
    // Accuracy: double rounding of the products and sums.
    void term(int k, int j, int p, double dlc, double dls, double drc, double drs, double dbc,
              double dbs) noexcept {
        if (p == 0) {
            const Entry& a = first_[static_cast<unsigned>(k + max_multiple)];
            const Entry& b = second_[static_cast<unsigned>(j + max_multiple)];
            const ComplexPair w = complex_product(a.re, a.im, b.re, b.im);
            u = w.re;
            v = w.im;
        } else {
            u *= T;
            v *= T;
        }
        dl += dlc * u + dls * v;
        dr += drc * u + drs * v;
        db += dbc * u + dbs * v;
    }
    void term(const SeriesTerm& t) noexcept {
        term(t.k, t.j, t.p, t.dlc, t.dls, t.drc, t.drs, t.dbc, t.dbs);
    }

    // Table entries.
    //
    // Given:    k, j: multiples, within the filled entries.
    // Returned: first(k): (cos, sin) of k*M (plus the phase of the
    //           planetary variant); second(j): (cos, sin) of j*M2.
    // Notes:    not checked; an entry init did not fill holds whatever an
    //           earlier init left there, or is indeterminate.
    // Reference: as the class.
    // Accuracy: as the class.
    ComplexPair first(int k) const noexcept {
        const Entry& e = first_[static_cast<unsigned>(k + max_multiple)];
        return ComplexPair{e.re, e.im};
    }
    ComplexPair second(int j) const noexcept {
        const Entry& e = second_[static_cast<unsigned>(j + max_multiple)];
        return ComplexPair{e.re, e.im};
    }

    double T = 0.0;   // Julian centuries from J2000.0
    double u = 0.0;   // cosine of the current argument (times powers of T)
    double v = 0.0;   // sine of the current argument (times powers of T)
    double dl = 0.0;  // longitude sum, arcseconds
    double dr = 0.0;  // radius sum, theory's unit
    double db = 0.0;  // latitude sum, arcseconds

protected:
    // A table entry. Deliberately without initialisers: init fills every
    // entry a term may use, and the tables are not zeroed on each call.
    struct Entry {
        double re;
        double im;
    };
    using Table = std::array<Entry, 2 * max_multiple + 1>;

    // Fills table entries lo..hi with cos/sin of phase0 + k*angle, entry 0
    // being (c0, s0) and stepping by (cos angle, +-sin angle).
    static void fill(Table& table, double c0, double s0, ComplexPair unit, int lo, int hi) noexcept;

    Table first_;
    Table second_;
};

// The planetary variant: the first table holds cos/sin of phase + k*M.
//
// Given:    as PerturbationSeries, plus the phase of init.
// Returned: as PerturbationSeries.
// Notes:    entries k > 0 are stepped up from entry 0 = (cos phase,
//           sin phase) with (cos M, sin M), entries k < 0 down with
//           (cos M, -sin M). Entries -1, 0, +1 of both tables are filled
//           whatever the stated ranges (some sets use a multiple just
//           outside them).
// Reference: as PerturbationSeries.
// Accuracy: as PerturbationSeries.
class PlanetaryPerturbationSeries : public PerturbationSeries {
public:
    // Starts a series set whose arguments carry a phase.
    //
    // Given:    as PerturbationSeries::init, plus phase: radians added to
    //           every argument of the set (0 for all sets but one).
    // Returned: as PerturbationSeries::init.
    // Notes:    with phase 0 entry 0 is exactly (1, 0); otherwise
    //           (cos phase, sin phase).
    // Reference: as PerturbationSeries.
    // Accuracy: as PerturbationSeries.
    void init(double T, double M, int k_min, int k_max, double M2, int j_min, int j_max,
              double phase = 0.0) noexcept;
    void init(double T, ComplexPair M, int k_min, int k_max, ComplexPair M2, int j_min, int j_max,
              double phase = 0.0) noexcept;
};

// Whether a set's terms fit its range, so that the tables init fills for
// that range hold every entry the terms read.
//
// Given:    terms: a set's table; r: its range.
// Returned: true when every k lies in k_min..k_max or in -1..+1, every j
//           in j_min..j_max or in -1..+1, all within +-max_multiple, and
//           no p is negative.
// Notes:    for the static_assert under each generated table.
// Reference: -
// Accuracy: exact.
template <class Terms>
constexpr bool terms_within_range(const Terms& terms, const SeriesRange& r) noexcept {
    constexpr int m = PerturbationSeries::max_multiple;
    const auto filled = [](int x, int lo, int hi) {
        return x >= -m && x <= m && ((x >= lo && x <= hi) || (x >= -1 && x <= 1));
    };
    for (const SeriesTerm& t : terms) {
        if (!filled(t.k, r.k_min, r.k_max) || !filled(t.j, r.j_min, r.j_max) || t.p < 0) return false;
    }
    return true;
}

}  // namespace orbant
