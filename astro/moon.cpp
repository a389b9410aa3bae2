// SPDX-License-Identifier: GPL-3.0-or-later
#include "astro/moon.h"

#include <array>
#include <cmath>

#include "astro/constants.h"
#include "astro/precession_nutation.h"
#include "astro/tables/moon_latitude_terms.h"
#include "astro/tables/moon_terms.h"

namespace orbant {

namespace {

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
    // An entry, deliberately without initialisers: the tables are built on
    // every evaluation and fill writes every entry the series read (see the
    // checks of the multiples below).
    struct Entry {
        double re;
        double im;
    };
    std::array<Entry, 2 * max_multiple + 1> e;
    void fill(double f, double x, int top) noexcept {
        e[max_multiple] = Entry{1.0, 0.0};
        const ComplexPair one{f * std::cos(x), f * std::sin(x)};
        e[max_multiple + 1] = Entry{one.re, one.im};
        e[max_multiple - 1] = Entry{one.re, -one.im};
        for (int k = 2; k <= top; ++k) {
            const Entry& p = e[static_cast<unsigned>(max_multiple + k - 1)];
            const ComplexPair n = complex_product(p.re, p.im, one.re, one.im);
            e[static_cast<unsigned>(max_multiple + k)] = Entry{n.re, n.im};
            e[static_cast<unsigned>(max_multiple - k)] = Entry{n.re, -n.im};
        }
    }
    const Entry& operator[](int k) const noexcept { return e[static_cast<unsigned>(k + max_multiple)]; }
};

// Largest multiples filled in the tables of l, ls, F and D.
constexpr int l_top = 4, ls_top = 3, F_top = 4, D_top = 6;

// True when no term of a table uses a multiple beyond the filled entries.
template <class Terms>
constexpr bool multiples_filled(const Terms& terms) noexcept {
    auto within = [](int k, int top) { return k >= -top && k <= top; };
    for (const auto& t : terms) {
        if (!within(t.p, l_top) || !within(t.q, ls_top) || !within(t.r, F_top) || !within(t.s, D_top)) return false;
    }
    return true;
}
static_assert(multiples_filled(tables::moon_main_terms));
static_assert(multiples_filled(tables::moon_latitude_terms));

struct LunarTables {
    ArgumentTable l, ls, F, D;

    // (cos, sin) of p*l + q*ls + r*F + s*D times the factors: the products of
    // the entries of the non-zero multiples in the order l, ls, F, D.
    ComplexPair argument(int p, int q, int r, int s) const noexcept {
        ComplexPair w{1.0, 0.0};
        bool first = true;
        auto mul = [&](const ArgumentTable::Entry& t) {
            if (first) {
                w = ComplexPair{t.re, t.im};
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

// The lunar theory at T: the longitude lambda, and with full the latitude
// beta (radians) and the distance (km). The longitude is formed the same way
// in both cases; without full the sums of the latitude and the parallax are
// left out.
template <bool full>
void lunar_theory(double T, double& lambda, double& beta, double& distance) noexcept {
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
    tab.l.fill(1.000002208, l, l_top);
    tab.ls.fill(0.997504612 - 0.002495388 * T, ls, ls_top);
    tab.F.fill(latitude_factor, F, F_top);
    tab.D.fill(1.0, D, D_top);

    // Main series.
    double dlam = 0.0, dS = 0.0, gam1C = 0.0, sinPi = sin_parallax_base;
    for (const MoonTerm& t : tables::moon_main_terms) {
        const ComplexPair w = tab.argument(t.p, t.q, t.r, t.s);
        dlam += t.c_lambda * w.im;
        if constexpr (full) {
            dS += t.c_s * w.im;
            gam1C += t.c_gamma * w.re;
            sinPi += t.c_p * w.re;
        }
    }
    // Planetary perturbations in longitude, arcsec.
    dlam += 0.82 * std::sin(revolutions(0.7736 - 62.5512 * T)) + 0.31 * std::sin(revolutions(0.0466 - 125.1025 * T)) +
            0.35 * std::sin(revolutions(0.5785 - 25.1042 * T)) + 0.66 * std::sin(revolutions(0.4591 + 1335.8075 * T)) +
            0.64 * std::sin(revolutions(0.3130 - 91.5680 * T)) + 1.14 * std::sin(revolutions(0.1480 + 1331.2898 * T)) +
            0.21 * std::sin(revolutions(0.5918 + 1056.5859 * T)) + 0.44 * std::sin(revolutions(0.5784 + 1322.8595 * T)) +
            0.24 * std::sin(revolutions(0.2275 - 5.7374 * T)) + 0.28 * std::sin(revolutions(0.2965 + 2.6929 * T)) +
            0.33 * std::sin(revolutions(0.3132 + 6.3368 * T));

    lambda = modulo(L0 + dlam / Arcs, two_pi);
    if constexpr (full) {
        // Latitude terms.
        double N = 0.0;
        for (const MoonLatitudeTerm& t : tables::moon_latitude_terms) {
            N += t.c * tab.argument(t.p, t.q, t.r, t.s).im;
        }
        distance = Arcs * earth_equatorial_radius_km / (parallax_scale * sinPi);
        const double S = F + dS / Arcs;
        beta = (latitude_factor * (latitude_amplitude + gam1C) * std::sin(S) - 6.24 * std::sin(3.0 * S) + N) / Arcs;
    } else {
        beta = distance = 0.0;
    }
}

}  // namespace

Vector3 moon_position(double T) noexcept {
    double lambda = 0.0, beta = 0.0, distance = 0.0;
    lunar_theory<true>(T, lambda, beta, distance);
    return Vector3(Polar(lambda, beta, distance));
}

double moon_longitude(double T) noexcept {
    double lambda = 0.0, beta = 0.0, distance = 0.0;
    lunar_theory<false>(T, lambda, beta, distance);
    return lambda;
}

Vector3 moon_equatorial_of_date(double T) noexcept {
    // The ecliptic vector is turned to the mean equator first, then nutation is applied.
    return nutation_matrix(T) * (ecliptic_to_equatorial_matrix(T) * moon_position(T));
}

RaDec moon_low_precision(double T) noexcept {
    const double L0 = frac(0.606433 + 1336.855225 * T);  // revolutions
    const double l = revolutions(0.374897 + 1325.552410 * T);
    const double ls = revolutions(0.993133 + 99.997361 * T);
    const double D = revolutions(0.827361 + 1236.853086 * T);
    const double F = revolutions(0.259086 + 1342.227825 * T);
    const double dL = 22640 * std::sin(l) - 4586 * std::sin(l - 2 * D) + 769 * std::sin(2 * l) +
                      2370 * std::sin(2 * D) - 668 * std::sin(ls) - 412 * std::sin(2 * F) -
                      212 * std::sin(2 * l - 2 * D) - 206 * std::sin(l + ls - 2 * D) + 192 * std::sin(l + 2 * D) -
                      165 * std::sin(ls - 2 * D) - 125 * std::sin(D) - 110 * std::sin(l + ls) +
                      148 * std::sin(l - ls) - 55 * std::sin(2 * F - 2 * D);
    const double S = F + (dL + 412 * std::sin(2 * F) + 541 * std::sin(ls)) / Arcs;
    const double h = F - 2 * D;
    const double N = 44 * std::sin(l + h) - 526 * std::sin(h) - 31 * std::sin(h - l) - 23 * std::sin(ls + h) +
                     11 * std::sin(h - ls) - 25 * std::sin(F - 2 * l) + 21 * std::sin(F - l);
    const double lambda = two_pi * frac(L0 + dL / arcseconds_per_revolution);
    const double beta = (18520 * std::sin(S) + N) / Arcs;
    const double eps = obliquity_j2000_deg * pi / 180.0;
    const Vector3 e = rotation_x(-eps) * Vector3(Polar(lambda, beta, 1.0));
    return RaDec{e.polar(0), e.polar(1)};
}

}  // namespace orbant
