// SPDX-License-Identifier: GPL-3.0-or-later
// orbant-cli ephemeris: a table of positions of one body from the engine's
// theories, as CSV.
#include <cmath>
#include <cstdio>
#include <ostream>
#include <string>

#include "astro/constants.h"
#include "astro/matrix3.h"
#include "astro/moon.h"
#include "astro/planets.h"
#include "astro/sun.h"
#include "astro/services/positions.h"
#include "cli/command.h"

namespace orbant::cli {

namespace {

// Largest number of rows one call may print.
constexpr double max_rows = 1000000.0;

// The accepted span of MJD: 1 January -4000 0h to 1 January 8001 0h
// (years -4000 to 8000; Julian calendar before 1582-10-15), the span over
// which the theories are used at all. Outside it their series give
// meaningless values.
constexpr double first_mjd = -2139943.0;
constexpr double end_mjd = 2243365.0;

double mjd_option(const Args& args, const std::string& name) {
    const double mjd = parse_double_option(args, name);
    if (!(mjd >= first_mjd && mjd < end_mjd))
        throw UsageError("option " + name + ": MJD " + *args.value(name) +
                         " is outside the years -4000 to 8000 (MJD -2139943 up to 2243365)");
    return mjd;
}

// Body names and their engine numbers.
struct BodyName {
    const char* name;
    int number;
};
constexpr BodyName body_names[] = {
    {"sun", sun_body},           {"moon", moon_body},       {"mercury", mercury_body}, {"venus", venus_body},
    {"earth", earth_body},       {"mars", mars_body},       {"jupiter", jupiter_body}, {"saturn", saturn_body},
    {"uranus", uranus_body},     {"neptune", neptune_body}, {"pluto", pluto_body}};

int body_number(const std::string& name) {
    for (const BodyName& b : body_names)
        if (name == b.name) return b.number;
    throw UsageError("unknown body '" + name +
                     "' (sun, moon, mercury, venus, earth, mars, jupiter, saturn, uranus, neptune, pluto)");
}

// The theory's own output: Sun and Moon geocentric, planets heliocentric,
// mean ecliptic and equinox of date.
Vector3 ecliptic_position(int body, double T) {
    if (body == sun_body) return sun_position(T);
    if (body == moon_body) return moon_position(T);
    return planet_position(body, T);
}

// Right ascension, declination and geocentric distance: the Sun and the Moon
// of date with nutation; the planets geocentric (planet minus Earth) turned
// to the mean equator of date, as the display services compute them.
Vector3 equatorial_position(int body, double T) {
    if (body == sun_body) return sun_equatorial_of_date(T);
    if (body == moon_body) return moon_equatorial_of_date(T);
    return planet_geocentric_equatorial(body, T);
}

std::string number_text(double x) {
    char buffer[40];
    std::snprintf(buffer, sizeof buffer, "%.12g", x);
    return buffer;
}

int run_ephemeris(const Args& args, std::ostream& out, std::ostream&) {
    const std::string* body_text = args.value("--body");
    if (!body_text) throw UsageError("option --body is missing");
    const int body = body_number(*body_text);
    bool equatorial = false;
    if (const std::string* frame = args.value("--frame")) {
        if (*frame == "equatorial") {
            equatorial = true;
        } else if (*frame != "ecliptic") {
            throw UsageError("unknown frame '" + *frame + "' (ecliptic, equatorial)");
        }
    }
    if (equatorial && body == earth_body) throw UsageError("the earth has no geocentric position (use --frame ecliptic)");
    const double start = mjd_option(args, "--start");
    const double end = mjd_option(args, "--end");
    const double step = parse_double_option(args, "--step");
    if (end < start) throw UsageError("--end lies before --start");
    if (!(step > 0.0)) throw UsageError("--step must be positive");
    // A tiny allowance so that an end point reached by the step is included
    // despite rounding of (end - start)/step.
    const double intervals = std::floor((end - start) / step * (1.0 + 1e-12) + 1e-9);
    if (!(intervals + 1.0 <= max_rows)) throw UsageError("more than 1,000,000 rows");
    const long rows = static_cast<long>(intervals) + 1;

    out << "mjd,lon_deg,lat_deg,radius\n";
    for (long i = 0; i < rows; ++i) {
        const double mjd = start + static_cast<double>(i) * step;
        const double T = (mjd - mjd_j2000) / days_per_century;
        const Vector3 v = equatorial ? equatorial_position(body, T) : ecliptic_position(body, T);
        out << number_text(mjd) << ',' << number_text(v.polar(0) * degrees_per_radian) << ','
            << number_text(v.polar(1) * degrees_per_radian) << ',' << number_text(v.polar(2)) << '\n';
    }
    return 0;
}

}  // namespace

Command ephemeris_command() {
    return {
        "ephemeris",
        "a CSV table of a body's positions from the engine's theories",
        "usage: orbant-cli ephemeris --body NAME [--frame ecliptic|equatorial]\n"
        "       --start MJD --end MJD --step DAYS\n"
        "Prints \"mjd,lon_deg,lat_deg,radius\" and one row per instant from --start to\n"
        "--end, 12 significant digits. The MJD is the theories' own time argument,\n"
        "T = (MJD - 51544.5)/36525. Ecliptic (default): the theory's output, Sun and\n"
        "Moon geocentric, planets heliocentric, mean ecliptic and equinox of date.\n"
        "Equatorial: right ascension and declination with the geocentric distance;\n"
        "Sun and Moon of date with nutation, planets as the display computes them.\n"
        "Radius in AU, the Moon's in km. Bodies: sun, moon, mercury, venus, earth,\n"
        "mars, jupiter, saturn, uranus, neptune, pluto. At most 1,000,000 rows.\n"
        "The MJD must lie in the years -4000 to 8000: -2139943 <= MJD < 2243365.\n",
        {"--body", "--frame", "--start", "--end", "--step", "--config-dir"},
        run_ephemeris,
    };
}

}  // namespace orbant::cli
