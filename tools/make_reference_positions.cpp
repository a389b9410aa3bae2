// SPDX-License-Identifier: GPL-3.0-or-later
// Writes tests/data/reference_positions.txt: geometric positions of the Sun,
// the Moon, the planets and Pluto from a numerical ephemeris, for comparison
// with the engine's analytical theories.
//
// Uses the Swiss Ephemeris library of Debian (libswe-dev) with its compressed
// planetary and lunar files (swe-basic-data, based on JPL DE431). It is run
// once by hand; the tests read only the committed text file.
//
//   g++ -std=c++20 -O2 tools/make_reference_positions.cpp -lswe -lm -o /tmp/refpos
//   /tmp/refpos /usr/share/libswe/ephe > tests/data/reference_positions.txt
//
// Frame of every row: mean ecliptic and mean equinox of date (no nutation),
// geometric (no light time, no aberration, no light deflection). The Sun and
// the Moon are geocentric, the planets heliocentric. Time argument: TT.
#include <cstdio>
#include <cstdlib>

#include <swephexp.h>

namespace {
struct Body {
    const char* name;
    int id;
    bool heliocentric;
};
constexpr Body bodies[] = {
    {"sun", SE_SUN, false},         {"moon", SE_MOON, false},     {"mercury", SE_MERCURY, true},
    {"venus", SE_VENUS, true},      {"mars", SE_MARS, true},      {"jupiter", SE_JUPITER, true},
    {"saturn", SE_SATURN, true},    {"uranus", SE_URANUS, true},  {"neptune", SE_NEPTUNE, true},
    {"pluto", SE_PLUTO, true},
};
constexpr double au_km = 149597870.700;  // IAU 2012, km
}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s EPHEMERIS_DIR\n", argv[0]);
        return 2;
    }
    swe_set_ephe_path(argv[1]);
    // 50 instants spread over 1900-01-01 .. 2100-01-01 TT, each at a different
    // time of day.
    constexpr int count = 50;
    constexpr double first_jd = 2415020.5;
    constexpr double span = 73048.0;
    std::printf("# body jd_tt lon_deg lat_deg radius (AU; the Moon in km)\n");
    for (int i = 0; i < count; ++i) {
        const double jd = first_jd + span * i / (count - 1) + 0.137 * (i % 7);
        for (const Body& b : bodies) {
            int flags = SEFLG_SWIEPH | SEFLG_TRUEPOS | SEFLG_NOABERR | SEFLG_NOGDEFL | SEFLG_NONUT;
            if (b.heliocentric) flags |= SEFLG_HELCTR;
            double xx[6];
            char err[AS_MAXCH];
            const int ret = swe_calc(jd, b.id, flags, xx, err);
            if (ret < 0 || (ret & SEFLG_SWIEPH) == 0) {
                std::fprintf(stderr, "%s at JD %.5f: %s\n", b.name, jd, err);
                return 1;
            }
            const double radius = b.id == SE_MOON ? xx[2] * au_km : xx[2];
            std::printf("%s %.6f %.9f %.9f %.10f\n", b.name, jd, xx[0], xx[1], radius);
        }
    }
    swe_close();
    return 0;
}
