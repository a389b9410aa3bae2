#pragma once
#include <array>
#include <cmath>

#include "astro/matrix3.h"

namespace orbant {

// One term of a perturbation series in multiples of two mean anomalies.
//
// Notes: the argument is k*M + j*M' (plus the series' phase); p = 0 is a
//        periodic term, p = 1 or 2 multiplies the previous term's cosine and
//        sine once more by T. dl columns in arcseconds, dr in the theory's
//        radius unit (1e-6 or 1e-5 AU), db in arcseconds; the c columns
//        multiply the cosine, the s columns the sine.
struct SeriesTerm {
    int k = 0;
    int j = 0;
    int p = 0;
    double dlc = 0.0, dls = 0.0;
    double drc = 0.0, drs = 0.0;
    double dbc = 0.0, dbs = 0.0;
};

// (cos x, sin x) of an angle x in radians: the form in which the series take
// their mean anomalies.
inline ComplexPair unit_of(double x) noexcept { return ComplexPair{std::cos(x), std::sin(x)}; }

// The ranges of the multiples of one series set: k of the first (own) mean
// anomaly, j of the second (the perturber's).
struct SeriesRange {
    int k_min = 0, k_max = 0;
    int j_min = 0, j_max = 0;
};

// Evaluator of a trigonometric series in multiples of two mean anomalies, as
// used by the Sun's theory: a value object that lives on the caller's stack.
//
// Notes: init fills the cos/sin tables of k*M and j*M' from one cos/sin pair
//        per anomaly, stepping by complex multiplication (no trigonometric
//        call per term); entries 0, +1, -1 of both tables are always filled,
//        the others over the stated ranges. term() accumulates dl, dr, db.
//        Multiples outside the filled entries, or beyond +-max_multiple, must
//        not be passed (the tables are not checked).
// Reference: the classical truncated planetary series for small computers.
// Accuracy: the stepping agrees with direct cos/sin of k*M to about 1e-15
//        per step.
class PerturbationSeries {
public:
    // Largest multiple the tables hold.
    static constexpr int max_multiple = 16;

    // Given:    T: Julian centuries from J2000.0; M, M2: first and second
    //           mean anomaly, radians; k_min..k_max and j_min..j_max: the
    //           ranges of multiples, within +-max_multiple.
    // Returned: nothing; tables filled, dl = dr = db = 0.
    void init(double T, double M, int k_min, int k_max, double M2, int j_min, int j_max) noexcept;
    // The same with the anomalies given as (cos, sin) pairs, for theories
    // that share one anomaly between several sets.
    void init(double T, ComplexPair M, int k_min, int k_max, ComplexPair M2, int j_min, int j_max) noexcept;

    // Given:    k, j: multiples; p: 0 for a new argument, >0 for the previous
    //           (u, v) times T once more; the six coefficients.
    // Returned: nothing; dl += dlc*u + dls*v, dr += drc*u + drs*v,
    //           db += dbc*u + dbs*v.
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
    // The same for a table row.
    void term(const SeriesTerm& t) noexcept {
        term(t.k, t.j, t.p, t.dlc, t.dls, t.drc, t.drs, t.dbc, t.dbs);
    }

    // (cos, sin) of k*M (plus the phase) and of j*M2, as filled by init.
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
// Notes: entries k > 0 are stepped up from entry 0 = (cos phase, sin phase)
//        with (cos M, sin M), entries k < 0 down with (cos M, -sin M). Entry 0
//        of the first table and -1, 0, +1 of the second are filled whatever
//        the stated ranges (some sets use a multiple just outside them).
// Reference: as PerturbationSeries.
// Accuracy: as PerturbationSeries.
class PlanetaryPerturbationSeries : public PerturbationSeries {
public:
    // Given:    as PerturbationSeries::init, plus phase: radians added to every
    //           argument of the set (0 for all sets but one).
    void init(double T, double M, int k_min, int k_max, double M2, int j_min, int j_max,
              double phase = 0.0) noexcept;
    // The same with the anomalies given as (cos, sin) pairs.
    void init(double T, ComplexPair M, int k_min, int k_max, ComplexPair M2, int j_min, int j_max,
              double phase = 0.0) noexcept;
};

}  // namespace orbant
