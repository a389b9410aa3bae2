#pragma once
// Reference copies of engine routines as they stood before their rewrite for
// speed: the benchmarks time them beside the current code, and a test
// compares the two bit for bit over many instants. Verbatim copies in their
// own namespace; they call the current engine only for routines that were
// not rewritten (time scales, frames, eclipse classes, the root finder).
#include <algorithm>
#include <array>
#include <cmath>

#include "astro/constants.h"
#include "astro/events/eclipse.h"
#include "astro/events/lunation_search.h"
#include "astro/matrix3.h"
#include "astro/moon.h"
#include "astro/planets.h"
#include "astro/precession_nutation.h"
#include "astro/services/positions.h"
#include "astro/services/rise_set.h"
#include "astro/sun.h"
#include "astro/tables/jupiter_terms.h"
#include "astro/tables/mars_terms.h"
#include "astro/tables/mercury_terms.h"
#include "astro/tables/moon_latitude_terms.h"
#include "astro/tables/moon_terms.h"
#include "astro/tables/neptune_terms.h"
#include "astro/tables/pluto_terms.h"
#include "astro/tables/saturn_terms.h"
#include "astro/tables/sun_terms.h"
#include "astro/tables/uranus_terms.h"
#include "astro/tables/venus_terms.h"
#include "astro/time_scales.h"
#include "astro/vector3.h"

namespace orbant::reference_copy {

// --- The perturbation series evaluator. ---
inline ComplexPair unit_of(double x) noexcept { return ComplexPair{std::cos(x), std::sin(x)}; }

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

inline void PerturbationSeries::fill(Table& table, double c0, double s0, ComplexPair unit, int lo, int hi) noexcept {
    const double c = unit.re, s = unit.im;
    const unsigned zero = max_multiple;
    table[zero] = Entry{c0, s0};
    // Entries above 0 are stepped up with (cos, sin), those below stepped
    // down with the conjugate; entries -1, 0, +1 always exist.
    const int top = std::min(std::max(hi, 1), max_multiple);
    const int bottom = std::max(std::min(lo, -1), -max_multiple);
    for (int k = 1; k <= top; ++k) {
        const Entry& p = table[zero + static_cast<unsigned>(k) - 1];
        const ComplexPair n = complex_product(p.re, p.im, c, s);
        table[zero + static_cast<unsigned>(k)] = Entry{n.re, n.im};
    }
    for (int k = -1; k >= bottom; --k) {
        const Entry& p = table[static_cast<unsigned>(max_multiple + k + 1)];
        const ComplexPair n = complex_product(p.re, p.im, c, -s);
        table[static_cast<unsigned>(max_multiple + k)] = Entry{n.re, n.im};
    }
}

inline void PerturbationSeries::init(double T_, ComplexPair M, int k_min, int k_max, ComplexPair M2, int j_min,
                              int j_max) noexcept {
    T = T_;
    fill(first_, 1.0, 0.0, M, k_min, k_max);
    fill(second_, 1.0, 0.0, M2, j_min, j_max);
    u = v = 0.0;
    dl = dr = db = 0.0;
}

inline void PerturbationSeries::init(double T_, double M, int k_min, int k_max, double M2, int j_min, int j_max) noexcept {
    init(T_, unit_of(M), k_min, k_max, unit_of(M2), j_min, j_max);
}

inline void PlanetaryPerturbationSeries::init(double T_, ComplexPair M, int k_min, int k_max, ComplexPair M2, int j_min,
                                       int j_max, double phase) noexcept {
    T = T_;
    if (phase == 0.0) {
        fill(first_, 1.0, 0.0, M, k_min, k_max);
    } else {
        fill(first_, std::cos(phase), std::sin(phase), M, k_min, k_max);
    }
    fill(second_, 1.0, 0.0, M2, j_min, j_max);
    u = v = 0.0;
    dl = dr = db = 0.0;
}

inline void PlanetaryPerturbationSeries::init(double T_, double M, int k_min, int k_max, double M2, int j_min, int j_max,
                                       double phase) noexcept {
    init(T_, unit_of(M), k_min, k_max, unit_of(M2), j_min, j_max, phase);
}


namespace detail {
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

}  // namespace detail

// --- The Sun. ---
namespace sun_constants {
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

}  // namespace sun_constants
using namespace sun_constants;

inline Vector3 sun_position(double T) noexcept {
    const double M2 = two_pi * frac(0.1387306 + 162.5485917 * T);  // Venus
    const double M3 = two_pi * frac(0.9931266 + 99.9973604 * T);   // Earth
    const double M4 = two_pi * frac(0.0543250 + 53.1666028 * T);   // Mars
    const double M5 = two_pi * frac(0.0551750 + 8.4293972 * T);    // Jupiter
    const double M6 = two_pi * frac(0.8816500 + 3.3938722 * T);    // Saturn
    const double D = two_pi * frac(0.8274 + 1236.8531 * T);        // Moon's mean elongation
    const double A = two_pi * frac(0.3749 + 1325.5524 * T);        // Moon's mean anomaly
    const double U = two_pi * frac(0.2591 + 1342.2278 * T);        // Moon's argument of latitude

    // One cos/sin pair of the Earth's anomaly serves all four sets.
    const ComplexPair e3 = unit_of(M3);
    PerturbationSeries venus, mars, jupiter, saturn;
    detail::evaluate_set(venus, T, e3, unit_of(M2), tables::sun_venus_range, tables::sun_venus_terms);
    detail::evaluate_set(mars, T, e3, unit_of(M4), tables::sun_mars_range, tables::sun_mars_terms);
    detail::evaluate_set(jupiter, T, e3, unit_of(M5), tables::sun_jupiter_range, tables::sun_jupiter_terms);
    detail::evaluate_set(saturn, T, e3, unit_of(M6), tables::sun_saturn_range, tables::sun_saturn_terms);

    // Motion of the Earth about the Earth-Moon barycentre. The sums and
    // differences of the angles are formed first and their sines and cosines
    // taken directly: stepping them from the pairs of D, A and M3 would round
    // differently and change the last digit of R at some instants.
    const double dl_moon = 6.45 * std::sin(D) - 0.42 * std::sin(D - A) + 0.18 * std::sin(D + A) +
                           0.17 * std::sin(D - M3) - 0.06 * std::sin(D + M3);
    const double dr_moon = 30.76 * std::cos(D) - 3.06 * std::cos(D - A) + 0.85 * std::cos(D + A) -
                           0.58 * std::cos(D + M3) + 0.57 * std::cos(D - M3);
    const double db_moon = 0.576 * std::sin(U);
    // Long-period perturbations.
    const double dl_long = 6.40 * std::sin(two_pi * (0.6983 + 0.0561 * T)) +
                           1.87 * std::sin(two_pi * (0.5764 + 0.4174 * T)) +
                           0.27 * std::sin(two_pi * (0.4189 + 0.3306 * T)) +
                           0.20 * std::sin(two_pi * (0.3581 + 2.4814 * T));

    const double dl = venus.dl + mars.dl + jupiter.dl + saturn.dl + dl_moon + dl_long;
    const double dr = venus.dr + mars.dr + jupiter.dr + saturn.dr + dr_moon;
    const double db = venus.db + mars.db + jupiter.db + saturn.db + db_moon;

    const double L = two_pi * frac(sun_longitude_of_perigee_rev + M3 / two_pi +
                                   ((sun_precession_rate + sun_precession_accel * T) * T + dl) /
                                       arcseconds_per_revolution);
    const double R = sun_mean_distance_au - sun_distance_rate_au * T + dr * sun_distance_unit_au;
    const double B = db / arcseconds_per_radian;
    return Vector3(Polar(L, B, R));
}


// --- The Moon. ---
namespace moon_constants {
constexpr double Arcs = arcseconds_per_radian;
// Initial value of the sine-of-parallax sum, arcsec.
constexpr double sin_parallax_base = 3422.7;
// Latitude factor base of the F argument (dimensionless) and its response to DGAM.
constexpr double latitude_factor_base = 1.000002708;
constexpr double latitude_factor_dgam = 139.978;
// Amplitude of the main latitude term sin S, arcsec.
constexpr double latitude_amplitude = 18519.7;
// Ratio of the parallax sine constant to the equatorial radius convention.
constexpr double parallax_scale = 0.999953253;
// Largest multiple the tables hold.
constexpr int max_multiple = 6;

// Angle of a revolution count: 2*pi*frac(x), radians.
inline double revolutions(double x) noexcept { return two_pi * frac(x); }

// cos/sin table of one argument: entry k = f^|k| (cos kx, sin kx).
struct ArgumentTable {
    std::array<ComplexPair, 2 * max_multiple + 1> e;
    void fill(double f, double x, int top) noexcept {
        e[max_multiple] = ComplexPair{1.0, 0.0};
        const ComplexPair one{f * std::cos(x), f * std::sin(x)};
        e[max_multiple + 1] = one;
        e[max_multiple - 1] = ComplexPair{one.re, -one.im};
        for (int k = 2; k <= top; ++k) {
            const ComplexPair& p = e[static_cast<unsigned>(max_multiple + k - 1)];
            const ComplexPair n = complex_product(p.re, p.im, one.re, one.im);
            e[static_cast<unsigned>(max_multiple + k)] = n;
            e[static_cast<unsigned>(max_multiple - k)] = ComplexPair{n.re, -n.im};
        }
    }
    const ComplexPair& operator[](int k) const noexcept { return e[static_cast<unsigned>(k + max_multiple)]; }
};

struct LunarTables {
    ArgumentTable l, ls, F, D;

    // (cos, sin) of p*l + q*ls + r*F + s*D times the factors: the products of
    // the entries of the non-zero multiples in the order l, ls, F, D.
    ComplexPair argument(int p, int q, int r, int s) const noexcept {
        ComplexPair w{1.0, 0.0};
        bool first = true;
        auto mul = [&](const ComplexPair& t) {
            if (first) {
                w = t;
                first = false;
            } else {
                w = complex_product(w.re, w.im, t.re, t.im);
            }
        };
        if (p != 0) mul(l[p]);
        if (q != 0) mul(ls[q]);
        if (r != 0) mul(F[r]);
        if (s != 0) mul(D[s]);
        return w;
    }
};

}  // namespace moon_constants
using namespace moon_constants;

inline Vector3 moon_position(double T) noexcept {
    const double T2 = T * T;

    // Long-period perturbations.
    const double S1 = std::sin(revolutions(0.19833 + 0.05611 * T));
    const double S2 = std::sin(revolutions(0.27869 + 0.04508 * T));
    const double S3 = std::sin(revolutions(0.16827 - 0.36903 * T));
    const double S4 = std::sin(revolutions(0.34734 - 5.37261 * T));
    const double S5 = std::sin(revolutions(0.10498 - 5.37899 * T));
    const double S6 = std::sin(revolutions(0.42681 - 0.41855 * T));
    const double S7 = std::sin(revolutions(0.14943 - 5.37511 * T));
    const double DL0 = 0.84 * S1 + 0.31 * S2 + 14.27 * S3 + 7.26 * S4 + 0.28 * S5 + 0.24 * S6;
    const double DL = 2.94 * S1 + 0.31 * S2 + 14.27 * S3 + 9.34 * S4 + 1.12 * S5 + 0.83 * S6;
    const double DLS = -6.40 * S1 - 1.89 * S6;
    const double DF = 0.21 * S1 + 0.31 * S2 + 14.27 * S3 - 88.70 * S4 - 15.30 * S5 + 0.24 * S6 - 1.86 * S7;
    const double DD = DL0 - DLS;
    const double DGAM = -3.332e-6 * std::sin(revolutions(0.59734 - 5.37261 * T)) -
                        5.39e-7 * std::sin(revolutions(0.35498 - 5.37899 * T)) -
                        6.4e-8 * std::sin(revolutions(0.39943 - 5.37511 * T));

    // Mean arguments with their long-period corrections, radians.
    const double L0 = revolutions(0.60643382 + 1336.85522467 * T - 0.00000313 * T2) + DL0 / Arcs;
    const double l = revolutions(0.37489701 + 1325.55240982 * T + 0.00002565 * T2) + DL / Arcs;
    const double ls = revolutions(0.99312619 + 99.99735956 * T - 0.00000044 * T2) + DLS / Arcs;
    const double F = revolutions(0.25909118 + 1342.2278298 * T - 0.00000892 * T2) + DF / Arcs;
    const double D = revolutions(0.82736186 + 1236.85308708 * T - 0.00000397 * T2) + DD / Arcs;

    const double latitude_factor = latitude_factor_base + latitude_factor_dgam * DGAM;
    LunarTables tab;
    tab.l.fill(1.000002208, l, 4);
    tab.ls.fill(0.997504612 - 0.002495388 * T, ls, 3);
    tab.F.fill(latitude_factor, F, 4);
    tab.D.fill(1.0, D, 6);

    // Main series.
    double dlam = 0.0, dS = 0.0, gam1C = 0.0, sinPi = sin_parallax_base;
    for (const MoonTerm& t : tables::moon_main_terms) {
        const ComplexPair w = tab.argument(t.p, t.q, t.r, t.s);
        dlam += t.c_lambda * w.im;
        dS += t.c_s * w.im;
        gam1C += t.c_gamma * w.re;
        sinPi += t.c_p * w.re;
    }
    // Latitude terms.
    double N = 0.0;
    for (const MoonLatitudeTerm& t : tables::moon_latitude_terms) {
        N += t.c * tab.argument(t.p, t.q, t.r, t.s).im;
    }
    // Planetary perturbations in longitude, arcsec.
    dlam += 0.82 * std::sin(revolutions(0.7736 - 62.5512 * T)) + 0.31 * std::sin(revolutions(0.0466 - 125.1025 * T)) +
            0.35 * std::sin(revolutions(0.5785 - 25.1042 * T)) + 0.66 * std::sin(revolutions(0.4591 + 1335.8075 * T)) +
            0.64 * std::sin(revolutions(0.3130 - 91.5680 * T)) + 1.14 * std::sin(revolutions(0.1480 + 1331.2898 * T)) +
            0.21 * std::sin(revolutions(0.5918 + 1056.5859 * T)) + 0.44 * std::sin(revolutions(0.5784 + 1322.8595 * T)) +
            0.24 * std::sin(revolutions(0.2275 - 5.7374 * T)) + 0.28 * std::sin(revolutions(0.2965 + 2.6929 * T)) +
            0.33 * std::sin(revolutions(0.3132 + 6.3368 * T));

    const double distance = Arcs * earth_equatorial_radius_km / (parallax_scale * sinPi);
    const double S = F + dS / Arcs;
    const double beta =
        (latitude_factor * (latitude_amplitude + gam1C) * std::sin(S) - 6.24 * std::sin(3.0 * S) + N) / Arcs;
    const double lambda = modulo(L0 + dlam / Arcs, two_pi);
    return Vector3(Polar(lambda, beta, distance));
}


// --- The planets. ---
using detail::ClosingConstants;
using detail::close_theory;
using detail::evaluate_set;
using detail::mean_anomaly;
namespace planet_constants {
// Units of the radius sums, AU.
constexpr double inner_unit_au = 1.0e-6;
constexpr double outer_unit_au = 1.0e-5;

constexpr ClosingConstants mercury_closing{0.2151379, 5601.7, 1.1, -2522.15, -30.18, 0.04,
                                           0.3952829, 0.0000016, 0.0, inner_unit_au};
constexpr ClosingConstants venus_closing{0.3654783, 5071.2, 1.1, -67.7, 0.04, 0.01,
                                         0.7233482, -0.0000002, 0.0, inner_unit_au};
constexpr ClosingConstants mars_closing{0.9334591, 6615.5, 1.1, 596.32, -2.92, -0.1,
                                        1.5303352, 0.0000131, 0.0, inner_unit_au};
constexpr ClosingConstants jupiter_closing{0.038891, 5025.2, 0.8, 227.3, -0.3, 0.0,
                                           5.208873, 0.000041, 0.0, outer_unit_au};
constexpr ClosingConstants saturn_closing{0.2561136, 5018.6, 1.9, 175.1, -10.2, 0.0,
                                          9.557584, -0.000186, 0.0, outer_unit_au};
constexpr ClosingConstants uranus_closing{0.4734843, 5082.3, 34.2, -130.61, -0.54, 0.04,
                                          19.211991, -0.000333, -0.000005, outer_unit_au};
constexpr ClosingConstants neptune_closing{0.1254046, 4982.8, -21.3, 54.77, 0.26, 0.06,
                                           30.072984, 0.001234, 0.000003, outer_unit_au};

// 2*pi*x without reduction, radians (x in revolutions).
inline double turns(double x) noexcept { return two_pi * x; }

}  // namespace planet_constants
using namespace planet_constants;

inline Vector3 mercury_position(double T) noexcept {
    const double M1 = mean_anomaly(0.4855407, 415.2014314, T);
    const ComplexPair u1 = unit_of(M1);
    const double M2 = mean_anomaly(0.1394222, 162.5490444, T);
    const ComplexPair u2 = unit_of(M2);
    const double M3 = mean_anomaly(0.9937861, 99.9978139, T);
    const ComplexPair u3 = unit_of(M3);
    const double M5 = mean_anomaly(0.0558417, 8.4298417, T);
    const ComplexPair u5 = unit_of(M5);
    const double M6 = mean_anomaly(0.8823333, 3.3943333, T);
    const ComplexPair u6 = unit_of(M6);
    PlanetaryPerturbationSeries venus, earth, jupiter, saturn;
    evaluate_set(venus, T, u1, u2, tables::mercury_1_venus_range, tables::mercury_1_venus_terms);
    evaluate_set(earth, T, u1, u3, tables::mercury_2_earth_range, tables::mercury_2_earth_terms);
    evaluate_set(jupiter, T, u1, u5, tables::mercury_3_jupiter_range, tables::mercury_3_jupiter_terms);
    evaluate_set(saturn, T, u1, u6, tables::mercury_4_saturn_range, tables::mercury_4_saturn_terms);
    double dl = venus.dl + earth.dl + jupiter.dl + saturn.dl;
    const double dr = venus.dr + earth.dr + jupiter.dr + saturn.dr;
    const double db = venus.db + earth.db + jupiter.db + saturn.db;
    dl += 2.8 + 3.2 * T;
    return close_theory(mercury_closing, T, M1, dl, dr, db);
}

inline Vector3 venus_position(double T) noexcept {
    const double M1 = mean_anomaly(0.4861431, 415.2018375, T);
    const ComplexPair u1 = unit_of(M1);
    const double M2 = mean_anomaly(0.1400197, 162.5494552, T);
    const ComplexPair u2 = unit_of(M2);
    const double M3 = mean_anomaly(0.9944153, 99.9982208, T);
    const ComplexPair u3 = unit_of(M3);
    const double M4 = mean_anomaly(0.0556297, 53.1674631, T);
    const ComplexPair u4 = unit_of(M4);
    const double M5 = mean_anomaly(0.0567028, 8.4305083, T);
    const ComplexPair u5 = unit_of(M5);
    const double M6 = mean_anomaly(0.8830539, 3.3947206, T);
    const ComplexPair u6 = unit_of(M6);
    PlanetaryPerturbationSeries mercury, earth, mars, jupiter, saturn;
    evaluate_set(mercury, T, u2, u1, tables::venus_1_mercury_range, tables::venus_1_mercury_terms);
    evaluate_set(earth, T, u2, u3, tables::venus_2_earth_range, tables::venus_2_earth_terms);
    evaluate_set(mars, T, u2, u4, tables::venus_3_mars_range, tables::venus_3_mars_terms);
    evaluate_set(jupiter, T, u2, u5, tables::venus_4_jupiter_range, tables::venus_4_jupiter_terms);
    evaluate_set(saturn, T, u2, u6, tables::venus_5_saturn_range, tables::venus_5_saturn_terms);
    double dl = mercury.dl + earth.dl + mars.dl + jupiter.dl + saturn.dl;
    const double dr = mercury.dr + earth.dr + mars.dr + jupiter.dr + saturn.dr;
    const double db = mercury.db + earth.db + mars.db + jupiter.db + saturn.db;
    dl += 2.74 * std::sin(turns(0.0764 + 0.4174 * T)) + 0.27 * std::sin(turns(0.9201 + 0.3307 * T)) + 1.9 + 1.8 * T;
    return close_theory(venus_closing, T, M2, dl, dr, db);
}

inline Vector3 mars_position(double T) noexcept {
    const double M2 = mean_anomaly(0.1382208, 162.5482542, T);
    const ComplexPair u2 = unit_of(M2);
    const double M3 = mean_anomaly(0.9926208, 99.9970236, T);
    const ComplexPair u3 = unit_of(M3);
    const double M4 = mean_anomaly(0.0538553, 53.1662736, T);
    const ComplexPair u4 = unit_of(M4);
    const double M5 = mean_anomaly(0.0548944, 8.4290611, T);
    const ComplexPair u5 = unit_of(M5);
    const double M6 = mean_anomaly(0.8811167, 3.393525, T);
    const ComplexPair u6 = unit_of(M6);
    PlanetaryPerturbationSeries venus, earth, jupiter, saturn;
    evaluate_set(venus, T, u4, u2, tables::mars_1_venus_range, tables::mars_1_venus_terms);
    evaluate_set(earth, T, u4, u3, tables::mars_2_earth_range, tables::mars_2_earth_terms);
    evaluate_set(jupiter, T, u4, u5, tables::mars_3_jupiter_range, tables::mars_3_jupiter_terms);
    evaluate_set(saturn, T, u4, u6, tables::mars_4_saturn_range, tables::mars_4_saturn_terms);
    double dl = venus.dl + earth.dl + jupiter.dl + saturn.dl;
    const double dr = venus.dr + earth.dr + jupiter.dr + saturn.dr;
    const double db = venus.db + earth.db + jupiter.db + saturn.db;
    dl += 52.49 * std::sin(turns(0.1868 + 0.0549 * T)) + 0.61 * std::sin(turns(0.9220 + 0.3307 * T)) +
          0.32 * std::sin(turns(0.4731 + 2.1485 * T)) + 0.28 * std::sin(turns(0.9467 + 0.1133 * T)) + 0.14 +
          0.87 * T - 0.11 * T * T;
    return close_theory(mars_closing, T, M4, dl, dr, db);
}

inline Vector3 jupiter_position(double T) noexcept {
    const double M5 = mean_anomaly(0.0565314, 8.4302963, T);
    const ComplexPair u5 = unit_of(M5);
    const double M6 = mean_anomaly(0.8829867, 3.3947688, T);
    const ComplexPair u6 = unit_of(M6);
    const double M7 = mean_anomaly(0.3969537, 1.1902586, T);
    const ComplexPair u7 = unit_of(M7);
    PlanetaryPerturbationSeries saturn, uranus;
    evaluate_set(saturn, T, u5, u6, tables::jupiter_1_saturn_range, tables::jupiter_1_saturn_terms);
    evaluate_set(uranus, T, u5, u7, tables::jupiter_2_uranus_range, tables::jupiter_2_uranus_terms);
    double dl = saturn.dl + uranus.dl;
    double dr = saturn.dr + uranus.dr;
    double db = saturn.db + uranus.db;
    const double phi = 2.0 * M5 - 6.0 * M6 + 3.0 * M7;
    const double psi = 3.0 * M5 - 6.0 * M6 + 3.0 * M7;
    const double sp = std::sin(phi), cp = std::cos(phi), ss = std::sin(psi), cs = std::cos(psi);
    dl += 8.5 * sp - 0.8 * cp + 0.4 * cs + 0.5 * ss;
    dr += -0.1 * cp + 0.5 * ss - 0.7 * cs;
    db += -0.1 * cs;
    return close_theory(jupiter_closing, T, M5, dl, dr, db);
}

inline Vector3 saturn_position(double T) noexcept {
    const double M5 = mean_anomaly(0.0565314, 8.4302963, T);
    const ComplexPair u5 = unit_of(M5);
    const double M6 = mean_anomaly(0.8829867, 3.3947688, T);
    const ComplexPair u6 = unit_of(M6);
    const double M7 = mean_anomaly(0.3969537, 1.1902586, T);
    const ComplexPair u7 = unit_of(M7);
    const double M8 = mean_anomaly(0.7208473, 0.6068623, T);
    const ComplexPair u8 = unit_of(M8);
    PlanetaryPerturbationSeries jupiter, uranus, neptune;
    evaluate_set(jupiter, T, u6, u5, tables::saturn_1_jupiter_range, tables::saturn_1_jupiter_terms);
    evaluate_set(uranus, T, u6, u7, tables::saturn_2_uranus_range, tables::saturn_2_uranus_terms);
    evaluate_set(neptune, T, u6, u8, tables::saturn_3_neptune_range, tables::saturn_3_neptune_terms);
    double dl = jupiter.dl + uranus.dl + neptune.dl;
    double dr = jupiter.dr + uranus.dr + neptune.dr;
    double db = jupiter.db + uranus.db + neptune.db;
    const double phi = 5.0 * M6 - 2.0 * M5 - 3.0 * M7;
    const double psi = 6.0 * M6 - 2.0 * M5 - 3.0 * M7;
    const double chi = 7.0 * M6 - 2.0 * M5 - 3.0 * M7;
    const double sp = std::sin(phi), cp = std::cos(phi);
    const double ss = std::sin(psi), cs = std::cos(psi);
    const double sc = std::sin(chi), cc = std::cos(chi);
    dl += -0.1 * sp - 0.8 * cp + (27.8 - 0.4 * T) * ss + (2.4 - 0.7 * T) * cs + 1.6 * sc + 0.1 * cc;
    dr += 1.8 * sp - 0.2 * cp + 2.1 * cs - 0.2 * ss + 0.3 * sc - 3.6 * cc;
    db += 0.5 * sp + 0.3 * cp + 0.6 * sc - 0.2 * cc;
    return close_theory(saturn_closing, T, M6, dl, dr, db);
}

inline Vector3 uranus_position(double T) noexcept {
    const double M5 = mean_anomaly(0.0564472, 8.4302889, T);
    const ComplexPair u5 = unit_of(M5);
    const double M6 = mean_anomaly(0.8829611, 3.3947583, T);
    const ComplexPair u6 = unit_of(M6);
    const double M7 = mean_anomaly(0.3967117, 1.1902849, T);
    const ComplexPair u7 = unit_of(M7);
    const double M8 = mean_anomaly(0.7216833, 0.6068528, T);
    const ComplexPair u8 = unit_of(M8);
    PlanetaryPerturbationSeries jupiter, saturn, neptune, saturn_phase;
    evaluate_set(jupiter, T, u7, u5, tables::uranus_1_jupiter_range, tables::uranus_1_jupiter_terms);
    evaluate_set(saturn, T, u7, u6, tables::uranus_2_saturn_range, tables::uranus_2_saturn_terms);
    evaluate_set(neptune, T, u7, u8, tables::uranus_3_neptune_range, tables::uranus_3_neptune_terms);
    // The fourth set's arguments all carry twice Jupiter's mean anomaly.
    evaluate_set(saturn_phase, T, u7, u6, tables::uranus_4_saturn_range, tables::uranus_4_saturn_terms, 2.0 * M5);
    const double dl = jupiter.dl + saturn.dl + neptune.dl + saturn_phase.dl;
    const double dr = jupiter.dr + saturn.dr + neptune.dr + saturn_phase.dr;
    const double db = jupiter.db + saturn.db + neptune.db + saturn_phase.db;
    return close_theory(uranus_closing, T, M7, dl, dr, db);
}

inline Vector3 neptune_position(double T) noexcept {
    const double M5 = mean_anomaly(0.0563867, 8.4298907, T);
    const ComplexPair u5 = unit_of(M5);
    const double M6 = mean_anomaly(0.8825086, 3.3957748, T);
    const ComplexPair u6 = unit_of(M6);
    const double M7 = mean_anomaly(0.3965358, 1.1902851, T);
    const ComplexPair u7 = unit_of(M7);
    const double M8 = mean_anomaly(0.7214906, 0.6068526, T);
    const ComplexPair u8 = unit_of(M8);
    PlanetaryPerturbationSeries jupiter, saturn, uranus;
    evaluate_set(jupiter, T, u8, u5, tables::neptune_1_jupiter_range, tables::neptune_1_jupiter_terms);
    evaluate_set(saturn, T, u8, u6, tables::neptune_2_saturn_range, tables::neptune_2_saturn_terms);
    evaluate_set(uranus, T, u8, u7, tables::neptune_3_uranus_range, tables::neptune_3_uranus_terms);
    const double dl = jupiter.dl + saturn.dl + uranus.dl;
    const double dr = jupiter.dr + saturn.dr + uranus.dr;
    const double db = jupiter.db + saturn.db + uranus.db;
    return close_theory(neptune_closing, T, M8, dl, dr, db);
}

namespace pluto_constants {
// Mean longitude minus mean anomaly at J2000.0, B1950.0 equinox, revolutions.
constexpr double pluto_cL = 0.6232469;
// Mean latitude, degrees (B1950.0 ecliptic).
constexpr double pluto_mean_latitude_deg = 3.909434;
// Mean radius vector, AU, and the unit of the dr sums, AU.
constexpr double pluto_mean_radius_au = 40.7247248;
constexpr double pluto_unit_au = 1.0e-5;
}  // namespace pluto_constants
using namespace pluto_constants;

inline Vector3 pluto_position(double T) noexcept {
    const double M5 = detail::mean_anomaly(0.0565314, 8.4302963, T);
    const ComplexPair u5 = unit_of(M5);
    const double M6 = detail::mean_anomaly(0.8829867, 3.3947688, T);
    const ComplexPair u6 = unit_of(M6);
    const double M9 = detail::mean_anomaly(0.0385795, 0.4026667, T);
    const ComplexPair u9 = unit_of(M9);
    PlanetaryPerturbationSeries jupiter, saturn;
    detail::evaluate_set(jupiter, T, u9, u5, tables::pluto_1_jupiter_range, tables::pluto_1_jupiter_terms);
    detail::evaluate_set(saturn, T, u9, u6, tables::pluto_2_saturn_range, tables::pluto_2_saturn_terms);
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


inline Vector3 planet_position(int body, double T) noexcept {
    switch (body) {
        case 1: return mercury_position(T);
        case 2: return venus_position(T);
        case earth_body: return -sun_position(T);
        case 4: return mars_position(T);
        case 5: return jupiter_position(T);
        case 6: return saturn_position(T);
        case 7: return uranus_position(T);
        case 8: return neptune_position(T);
        case 9: return pluto_position(T);
        default: return Vector3();
    }
}


// --- The phase search. ---
inline double phase_offset(int k, double T) noexcept {
    const double moon_longitude = moon_position(T).polar(0);
    const double sun_longitude = sun_position(T - light_time).polar(0);
    const double x = moon_longitude - sun_longitude - k * pi / 2.0;
    return modulo(x + pi, two_pi) - pi;
}

inline double lunation_search(double& T, Lunation& lunation) noexcept {
    double x2 = T + lunation_step;
    for (int k = 0; k < 4; ++k) {
        const auto offset = [k](double t) noexcept { return phase_offset(k, t); };
        double f1 = offset(T);
        double f2 = offset(x2);
        // Step on until the function rises through zero across one step: the
        // same sign, or the jump from +pi to -pi, means not yet.
        while (f2 * f1 > 0.0 || f2 < f1) {
            T = x2;
            x2 = x2 + lunation_step;
            f1 = f2;
            f2 = offset(x2);
        }
        const double Tr = find_root(offset, T, x2, lunation_tolerance).root;
        const DeltaT dt = delta_t(Tr);
        const double mjd = days_per_century * Tr + mjd_j2000 - dt.seconds * (1.0 / seconds_per_day);
        const double beta = moon_position(Tr).polar(1);
        switch (k) {
            case 0:
                lunation.new_moon = mjd;
                lunation.solar_class = solar_eclipse_class(beta);
                break;
            case 1:
                lunation.first_quarter = mjd;
                break;
            case 2:
                lunation.full_moon = mjd;
                lunation.lunar_class = lunar_eclipse_class(beta);
                break;
            default:
                lunation.last_quarter = mjd;
                break;
        }
        T = Tr;
        x2 = Tr + lunation_step;
    }
    return T + lunation_step;
}


// --- Rising and setting. ---
inline RaDec body_equatorial(int body, double T) noexcept {
    const Vector3 v = ecliptic_to_equatorial_matrix(T) * (planet_position(body, T) - planet_position(earth_body, T));
    return RaDec{v.polar(0), v.polar(1)};
}
// Threshold altitudes in the order of the event index, degrees.
inline constexpr std::array<double, 5> threshold_altitudes_deg{
    moon_threshold_deg, sun_threshold_deg, civil_threshold_deg, nautical_threshold_deg,
    astronomical_threshold_deg};
static_assert(threshold_altitudes_deg.size() == static_cast<std::size_t>(event_count));

// Sines of the five threshold altitudes, built once on first use.
inline const std::array<double, 5>& threshold_sines() noexcept {
    static const std::array<double, 5> sines = [] {
        std::array<double, 5> s{};
        for (std::size_t i = 0; i < s.size(); ++i) {
            s[i] = std::sin(threshold_altitudes_deg[i] * radians_per_degree);
        }
        return s;
    }();
    return sines;
}

inline constexpr double first_window_centre_hour = 1.0;
inline constexpr double scan_end_hour = 25.0;
inline constexpr double planet_start_hour = 12.0;
inline constexpr int planet_max_corrections = 10;

inline double sin_altitude(int index, double mjd0, double hour, double longitude, double cos_latitude,
                    double sin_latitude) noexcept {
    const double mjd = mjd0 + hour * days_per_hour;
    const double T = (mjd - mjd_j2000) / days_per_century;
    const RaDec p = index == event_moon ? moon_low_precision(T) : sun_low_precision(T);
    const double tau = gmst(mjd) + longitude - p.ra;
    return std::cos(tau) * std::cos(p.dec) * cos_latitude + std::sin(p.dec) * sin_latitude;
}

inline void quadratic_through_three(double y_minus, double y0, double y_plus, double& xe, double& ye, double& root1,
                             double& root2, int& count) noexcept {
    const double a = 0.5 * (y_plus + y_minus) - y0;
    const double b = 0.5 * (y_plus - y_minus);
    xe = -b / (2.0 * a);
    ye = (a * xe + b) * xe + y0;
    count = 0;
    const double discriminant = b * b - 4.0 * a * y0;
    if (discriminant < 0.0) {
        return;
    }
    const double dx = 0.5 * std::sqrt(discriminant) / std::fabs(a);
    root1 = xe - dx;
    root2 = xe + dx;
    if (std::fabs(root1) <= 1.0) {
        ++count;
    }
    if (std::fabs(root2) <= 1.0) {
        ++count;
    }
    if (root1 < -1.0) {
        root1 = root2;
    }
}

inline void rise_set_scan(int index, double mjd0, double longitude, double latitude, double& rise, double& set,
                   int& has_rise, int& has_set, int& above) noexcept {
    has_rise = 0;
    has_set = 0;
    if (index < 0 || index >= event_count) {
        // No threshold exists for the index: report nothing found rather than
        // reading outside the table.
        above = 0;
        return;
    }
    const double sin_h0 = threshold_sines()[static_cast<std::size_t>(index)];
    const double cos_latitude = std::cos(latitude);
    const double sin_latitude = std::sin(latitude);

    double y_minus = sin_altitude(index, mjd0, 0.0, longitude, cos_latitude, sin_latitude) - sin_h0;
    above = y_minus > 0.0 ? 1 : 0;

    double hour = first_window_centre_hour;
    double xe = 0.0;
    double ye = 0.0;
    double root1 = 0.0;
    double root2 = 0.0;
    int count = 0;
    do {
        const double y0 = sin_altitude(index, mjd0, hour, longitude, cos_latitude, sin_latitude) - sin_h0;
        const double y_plus = sin_altitude(index, mjd0, hour + 1.0, longitude, cos_latitude, sin_latitude) - sin_h0;
        quadratic_through_three(y_minus, y0, y_plus, xe, ye, root1, root2, count);
        if (count == 1) {
            if (y_minus < 0.0) {
                rise = hour + root1;
                has_rise = 1;
            } else {
                set = hour + root1;
                has_set = 1;
            }
        }
        if (count == 2) {
            if (ye < 0.0) {
                rise = hour + root2;
                set = hour + root1;
            } else {
                rise = hour + root1;
                set = hour + root2;
            }
            has_rise = 1;
            has_set = 1;
        }
        y_minus = y_plus;
        hour += 2.0;
    } while (hour != scan_end_hour && !(has_rise == 1 && has_set == 1));
}

inline void planet_rise_set(int body, int event, CivilDateTime instant, double longitude_deg, double latitude_deg,
                     double offset_hours, double& time, int& status) noexcept {
    const double lambda = longitude_deg * radians_per_degree;
    const double phi = latitude_deg * radians_per_degree;
    const double mjd0 = mjd_from_date(instant.year, instant.month, instant.day, 0, 0, 0.0) -
                        offset_hours * days_per_hour;
    const double theta0 = gmst(mjd0) + lambda;

    const double T0 = (mjd0 - mjd_j2000) / days_per_century;
    const RaDec start = body_equatorial(body, T0);
    const double T1 = T0 + centuries_per_day;
    const RaDec end = body_equatorial(body, T1);
    double alpha0 = start.ra;
    double alpha1 = end.ra;
    const double delta0 = start.dec;
    const double delta1 = end.dec;
    if (alpha0 - alpha1 > pi) {
        alpha1 = alpha1 + two_pi;
    }
    if (alpha0 - alpha1 < -pi) {
        alpha0 = alpha0 + two_pi;
    }

    const double sin_h0 = body == 0 ? planet_sun_sin_threshold : planet_sin_threshold;
    status = status_found;
    time = planet_start_hour;
    int i = 0;
    double dt = 0.0;
    do {
        const double f = time / 24.0;
        const double alpha = alpha0 + f * (alpha1 - alpha0);
        const double delta = delta0 + f * (delta1 - delta0);
        const double cos_h = (sin_h0 - std::sin(delta) * std::sin(phi)) / (std::cos(delta) * std::cos(phi));
        if (!(std::fabs(cos_h) < 1.0)) {
            status = delta * phi >= 0.0 ? status_never_sets : status_never_rises;
            return;
        }
        const double H = std::acos(cos_h);
        status = status_found;
        const double theta = theta0 + time * sidereal_radians_per_hour;
        double d = theta - alpha;
        if (event == planet_event_rise) {
            d = d + H;
        } else if (event == planet_event_set) {
            d = d - H;
        }
        d = modulo(d + pi, two_pi) - pi;
        dt = d * hours_per_hour_angle_radian;
        time = time - dt;
        i = i + 1;
    } while (!(std::fabs(dt) <= planet_rise_set_tolerance_hours || i > planet_max_corrections));
}

}  // namespace orbant::reference_copy
