// SPDX-License-Identifier: GPL-3.0-or-later
#include "astro/planets.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstddef>
#include <initializer_list>

#include "astro/sun.h"
#include "astro/tables/jupiter_terms.h"
#include "astro/tables/mars_terms.h"
#include "astro/tables/mercury_terms.h"
#include "astro/tables/neptune_terms.h"
#include "astro/tables/saturn_terms.h"
#include "astro/tables/uranus_terms.h"
#include "astro/tables/venus_terms.h"
#include "astro/theory_support.h"

namespace orbant {

using detail::ClosingConstants;
using detail::close_theory;
using detail::MultipleTable;
using detail::SeriesSums;
using detail::mean_anomaly;

namespace {

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

// The own anomaly's table over the union of the sets' ranges of k.
MultipleTable own_table(ComplexPair own, std::initializer_list<SeriesRange> ranges) noexcept {
    const SeriesRange r = detail::own_range_union(ranges);
    MultipleTable t;
    t.fill(own, r.k_min, r.k_max);
    return t;
}

// The sums of one set: the perturber's table over the set's range of j.
template <const auto& terms>
SeriesSums set_sums(const MultipleTable& own, ComplexPair perturber, double T, const SeriesRange& range) noexcept {
    detail::PerturberTable second;
    second.fill(perturber, range.j_min, range.j_max);
    return detail::sum_terms<terms>(own, second, T);
}

// The same for a set whose arguments all carry a phase, radians: its own
// table of phase + k*M.
template <const auto& terms>
SeriesSums phase_set_sums(ComplexPair own, ComplexPair perturber, double T, const SeriesRange& range,
                          double phase) noexcept {
    MultipleTable first;
    first.fill(own, range.k_min, range.k_max, std::cos(phase), std::sin(phase));
    return set_sums<terms>(first, perturber, T, range);
}

}  // namespace

Vector3 mercury_position(double T) noexcept {
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
    const MultipleTable own = own_table(u1, {tables::mercury_1_venus_range, tables::mercury_2_earth_range,
                                             tables::mercury_3_jupiter_range, tables::mercury_4_saturn_range});
    const SeriesSums venus = set_sums<tables::mercury_1_venus_terms>(own, u2, T, tables::mercury_1_venus_range);
    const SeriesSums earth = set_sums<tables::mercury_2_earth_terms>(own, u3, T, tables::mercury_2_earth_range);
    const SeriesSums jupiter = set_sums<tables::mercury_3_jupiter_terms>(own, u5, T, tables::mercury_3_jupiter_range);
    const SeriesSums saturn = set_sums<tables::mercury_4_saturn_terms>(own, u6, T, tables::mercury_4_saturn_range);
    double dl = venus.dl + earth.dl + jupiter.dl + saturn.dl;
    const double dr = venus.dr + earth.dr + jupiter.dr + saturn.dr;
    const double db = venus.db + earth.db + jupiter.db + saturn.db;
    dl += 2.8 + 3.2 * T;
    return close_theory(mercury_closing, T, M1, dl, dr, db);
}

Vector3 venus_position(double T) noexcept {
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
    const MultipleTable own =
        own_table(u2, {tables::venus_1_mercury_range, tables::venus_2_earth_range, tables::venus_3_mars_range,
                       tables::venus_4_jupiter_range, tables::venus_5_saturn_range});
    const SeriesSums mercury = set_sums<tables::venus_1_mercury_terms>(own, u1, T, tables::venus_1_mercury_range);
    const SeriesSums earth = set_sums<tables::venus_2_earth_terms>(own, u3, T, tables::venus_2_earth_range);
    const SeriesSums mars = set_sums<tables::venus_3_mars_terms>(own, u4, T, tables::venus_3_mars_range);
    const SeriesSums jupiter = set_sums<tables::venus_4_jupiter_terms>(own, u5, T, tables::venus_4_jupiter_range);
    const SeriesSums saturn = set_sums<tables::venus_5_saturn_terms>(own, u6, T, tables::venus_5_saturn_range);
    double dl = mercury.dl + earth.dl + mars.dl + jupiter.dl + saturn.dl;
    const double dr = mercury.dr + earth.dr + mars.dr + jupiter.dr + saturn.dr;
    const double db = mercury.db + earth.db + mars.db + jupiter.db + saturn.db;
    dl += 2.74 * std::sin(turns(0.0764 + 0.4174 * T)) + 0.27 * std::sin(turns(0.9201 + 0.3307 * T)) + 1.9 + 1.8 * T;
    return close_theory(venus_closing, T, M2, dl, dr, db);
}

Vector3 mars_position(double T) noexcept {
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
    const MultipleTable own = own_table(u4, {tables::mars_1_venus_range, tables::mars_2_earth_range,
                                             tables::mars_3_jupiter_range, tables::mars_4_saturn_range});
    const SeriesSums venus = set_sums<tables::mars_1_venus_terms>(own, u2, T, tables::mars_1_venus_range);
    const SeriesSums earth = set_sums<tables::mars_2_earth_terms>(own, u3, T, tables::mars_2_earth_range);
    const SeriesSums jupiter = set_sums<tables::mars_3_jupiter_terms>(own, u5, T, tables::mars_3_jupiter_range);
    const SeriesSums saturn = set_sums<tables::mars_4_saturn_terms>(own, u6, T, tables::mars_4_saturn_range);
    double dl = venus.dl + earth.dl + jupiter.dl + saturn.dl;
    const double dr = venus.dr + earth.dr + jupiter.dr + saturn.dr;
    const double db = venus.db + earth.db + jupiter.db + saturn.db;
    dl += 52.49 * std::sin(turns(0.1868 + 0.0549 * T)) + 0.61 * std::sin(turns(0.9220 + 0.3307 * T)) +
          0.32 * std::sin(turns(0.4731 + 2.1485 * T)) + 0.28 * std::sin(turns(0.9467 + 0.1133 * T)) + 0.14 + 0.87 * T -
          0.11 * T * T;
    return close_theory(mars_closing, T, M4, dl, dr, db);
}

Vector3 jupiter_position(double T) noexcept {
    const double M5 = mean_anomaly(0.0565314, 8.4302963, T);
    const ComplexPair u5 = unit_of(M5);
    const double M6 = mean_anomaly(0.8829867, 3.3947688, T);
    const ComplexPair u6 = unit_of(M6);
    const double M7 = mean_anomaly(0.3969537, 1.1902586, T);
    const ComplexPair u7 = unit_of(M7);
    const MultipleTable own = own_table(u5, {tables::jupiter_1_saturn_range, tables::jupiter_2_uranus_range});
    const SeriesSums saturn = set_sums<tables::jupiter_1_saturn_terms>(own, u6, T, tables::jupiter_1_saturn_range);
    const SeriesSums uranus = set_sums<tables::jupiter_2_uranus_terms>(own, u7, T, tables::jupiter_2_uranus_range);
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

Vector3 saturn_position(double T) noexcept {
    const double M5 = mean_anomaly(0.0565314, 8.4302963, T);
    const ComplexPair u5 = unit_of(M5);
    const double M6 = mean_anomaly(0.8829867, 3.3947688, T);
    const ComplexPair u6 = unit_of(M6);
    const double M7 = mean_anomaly(0.3969537, 1.1902586, T);
    const ComplexPair u7 = unit_of(M7);
    const double M8 = mean_anomaly(0.7208473, 0.6068623, T);
    const ComplexPair u8 = unit_of(M8);
    const MultipleTable own =
        own_table(u6, {tables::saturn_1_jupiter_range, tables::saturn_2_uranus_range, tables::saturn_3_neptune_range});
    const SeriesSums jupiter = set_sums<tables::saturn_1_jupiter_terms>(own, u5, T, tables::saturn_1_jupiter_range);
    const SeriesSums uranus = set_sums<tables::saturn_2_uranus_terms>(own, u7, T, tables::saturn_2_uranus_range);
    const SeriesSums neptune = set_sums<tables::saturn_3_neptune_terms>(own, u8, T, tables::saturn_3_neptune_range);
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

Vector3 uranus_position(double T) noexcept {
    const double M5 = mean_anomaly(0.0564472, 8.4302889, T);
    const ComplexPair u5 = unit_of(M5);
    const double M6 = mean_anomaly(0.8829611, 3.3947583, T);
    const ComplexPair u6 = unit_of(M6);
    const double M7 = mean_anomaly(0.3967117, 1.1902849, T);
    const ComplexPair u7 = unit_of(M7);
    const double M8 = mean_anomaly(0.7216833, 0.6068528, T);
    const ComplexPair u8 = unit_of(M8);
    const MultipleTable own =
        own_table(u7, {tables::uranus_1_jupiter_range, tables::uranus_2_saturn_range, tables::uranus_3_neptune_range});
    const SeriesSums jupiter = set_sums<tables::uranus_1_jupiter_terms>(own, u5, T, tables::uranus_1_jupiter_range);
    const SeriesSums saturn = set_sums<tables::uranus_2_saturn_terms>(own, u6, T, tables::uranus_2_saturn_range);
    const SeriesSums neptune = set_sums<tables::uranus_3_neptune_terms>(own, u8, T, tables::uranus_3_neptune_range);
    // The fourth set's arguments all carry twice Jupiter's mean anomaly.
    const SeriesSums saturn_phase =
        phase_set_sums<tables::uranus_4_saturn_terms>(u7, u6, T, tables::uranus_4_saturn_range, 2.0 * M5);
    const double dl = jupiter.dl + saturn.dl + neptune.dl + saturn_phase.dl;
    const double dr = jupiter.dr + saturn.dr + neptune.dr + saturn_phase.dr;
    const double db = jupiter.db + saturn.db + neptune.db + saturn_phase.db;
    return close_theory(uranus_closing, T, M7, dl, dr, db);
}

Vector3 neptune_position(double T) noexcept {
    const double M5 = mean_anomaly(0.0563867, 8.4298907, T);
    const ComplexPair u5 = unit_of(M5);
    const double M6 = mean_anomaly(0.8825086, 3.3957748, T);
    const ComplexPair u6 = unit_of(M6);
    const double M7 = mean_anomaly(0.3965358, 1.1902851, T);
    const ComplexPair u7 = unit_of(M7);
    const double M8 = mean_anomaly(0.7214906, 0.6068526, T);
    const ComplexPair u8 = unit_of(M8);
    const MultipleTable own = own_table(
        u8, {tables::neptune_1_jupiter_range, tables::neptune_2_saturn_range, tables::neptune_3_uranus_range});
    const SeriesSums jupiter = set_sums<tables::neptune_1_jupiter_terms>(own, u5, T, tables::neptune_1_jupiter_range);
    const SeriesSums saturn = set_sums<tables::neptune_2_saturn_terms>(own, u6, T, tables::neptune_2_saturn_range);
    const SeriesSums uranus = set_sums<tables::neptune_3_uranus_terms>(own, u7, T, tables::neptune_3_uranus_range);
    const double dl = jupiter.dl + saturn.dl + uranus.dl;
    const double dr = jupiter.dr + saturn.dr + uranus.dr;
    const double db = jupiter.db + saturn.db + uranus.db;
    return close_theory(neptune_closing, T, M8, dl, dr, db);
}

Vector3 planet_position(int body, double T) noexcept {
    switch (body) {
        case mercury_body: return mercury_position(T);
        case venus_body: return venus_position(T);
        case earth_body: return -sun_position(T);
        case mars_body: return mars_position(T);
        case jupiter_body: return jupiter_position(T);
        case saturn_body: return saturn_position(T);
        case uranus_body: return uranus_position(T);
        case neptune_body: return neptune_position(T);
        case pluto_body: return pluto_position(T);
        default: return Vector3();
    }
}

ElongationPhase elongation_phase(const Vector3& r, const Vector3& R) noexcept {
    const double delta = norm(r - R);
    const double rho = norm(r);
    const double E = norm(R);
    // Rounding can put either cosine a hair outside [-1, 1] when the three
    // bodies are collinear; clamping keeps acos finite.
    const double cos_elongation = std::clamp((E * E + delta * delta - rho * rho) / (2.0 * delta * E), -1.0, 1.0);
    const double cos_phase = std::clamp((rho * rho + delta * delta - E * E) / (2.0 * delta * rho), -1.0, 1.0);
    ElongationPhase out;
    out.elongation = std::acos(cos_elongation);
    out.phase_angle = std::acos(cos_phase);
    out.illuminated_fraction = (1.0 + cos_phase) / 2.0;
    return out;
}

}  // namespace orbant
