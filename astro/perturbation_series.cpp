// SPDX-License-Identifier: GPL-3.0-or-later
#include "astro/perturbation_series.h"

#include <algorithm>
#include <cmath>

namespace orbant {

void PerturbationSeries::fill(Table& table, double c0, double s0, ComplexPair unit, int lo, int hi) noexcept {
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

void PerturbationSeries::init(double T_, ComplexPair M, int k_min, int k_max, ComplexPair M2, int j_min,
                              int j_max) noexcept {
    T = T_;
    fill(first_, 1.0, 0.0, M, k_min, k_max);
    fill(second_, 1.0, 0.0, M2, j_min, j_max);
    u = v = 0.0;
    dl = dr = db = 0.0;
}

void PerturbationSeries::init(double T_, double M, int k_min, int k_max, double M2, int j_min, int j_max) noexcept {
    init(T_, unit_of(M), k_min, k_max, unit_of(M2), j_min, j_max);
}

void PlanetaryPerturbationSeries::init(double T_, ComplexPair M, int k_min, int k_max, ComplexPair M2, int j_min,
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

void PlanetaryPerturbationSeries::init(double T_, double M, int k_min, int k_max, double M2, int j_min, int j_max,
                                       double phase) noexcept {
    init(T_, unit_of(M), k_min, k_max, unit_of(M2), j_min, j_max, phase);
}

}  // namespace orbant
