// SPDX-License-Identifier: GPL-3.0-or-later
/* Writes the reference tables of tests/data/ for the display services:
 *   services_rise_set_reference.txt   crossings of threshold altitudes
 *   services_positions_reference.txt  geocentric positions and phases
 *   services_phase_reference.txt      full and new Moons, oppositions
 * from the Swiss Ephemeris library of the Debian package libswe-dev (with the
 * ephemeris files of swe-basic-data). The library is only needed to run this
 * generator once; the program and its tests never link it.
 *
 * Build and run (from the source tree):
 *   cc -O2 -o /tmp/services_reference tools/services_reference.c -lswe -lm
 *   /tmp/services_reference tests/data
 *
 * Conventions of the tables (the same as the services'):
 * - local civil date and time with a zone offset in hours east of Greenwich;
 *   universal time = local time - offset;
 * - altitudes geocentric (no parallax, no refraction), azimuth from the south
 *   point through west;
 * - rising and setting: the instants at which the geocentric altitude of the
 *   body's centre crosses the threshold altitude, found by sampling every
 *   five minutes and bisecting to a millisecond, from the apparent
 *   equatorial position and the apparent sidereal time at the proper
 *   dynamical time (Delta T of the library).
 */
#include <math.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include <swephexp.h>

#define EPHE_PATH "/usr/share/libswe/ephe"

static const double deg = 3.14159265358979323846 / 180.0;

struct Place {
    const char* name;
    double lat;
    double lon;
};

/* The places of the tables. */
static const struct Place hamburg = {"hamburg", 53.5, 10.0};
static const struct Place new_york = {"new_york", 40.7128, -74.006};
static const struct Place sydney = {"sydney", -33.8688, 151.2093};
static const struct Place quito = {"quito", -0.1807, -78.4678};
static const struct Place tromso = {"tromso", 69.6492, 18.9553};
static const struct Place copenhagen = {"copenhagen", 55.6761, 12.5683};
static const struct Place north80 = {"north80", 80.0, 15.0};
static const struct Place south80 = {"south80", -80.0, 15.0};

static void fail(const char* what, const char* serr) {
    fprintf(stderr, "%s: %s\n", what, serr);
    exit(1);
}

/* Universal-time Julian date of local civil hours on a date. */
static double jd_of_local(int y, int m, int d, double hours, double zone) {
    return swe_julday(y, m, d, hours - zone, SE_GREG_CAL);
}

/* Geocentric equatorial position (degrees, distance in AU) with the given
 * extra flags. */
static void radec(double jd_ut, int ipl, int extra, double* ra, double* dec, double* dist) {
    double x[6];
    char serr[AS_MAXCH];
    int32 flags = SEFLG_SWIEPH | SEFLG_EQUATORIAL | extra;
    int32 rc = swe_calc_ut(jd_ut, ipl, flags, x, serr);
    if (rc < 0) fail("swe_calc_ut", serr);
    if ((rc & SEFLG_SWIEPH) == 0) fail("swe_calc_ut", "ephemeris files not used");
    *ra = x[0];
    *dec = x[1];
    *dist = x[2];
}

/* Geocentric altitude of the body's centre, degrees, from the apparent
 * position and the apparent sidereal time. */
static double altitude(double jd_ut, int ipl, double lat, double lon) {
    double ra, dec, dist;
    radec(jd_ut, ipl, 0, &ra, &dec, &dist);
    double lst = swe_sidtime(jd_ut) * 15.0 + lon;
    double h = (lst - ra) * deg;
    double s = sin(lat * deg) * sin(dec * deg) + cos(lat * deg) * cos(dec * deg) * cos(h);
    return asin(s) / deg;
}

/* Hour angle of the body wrapped into [-180, 180), degrees. */
static double hour_angle(double jd_ut, int ipl, double lon) {
    double ra, dec, dist;
    radec(jd_ut, ipl, 0, &ra, &dec, &dist);
    double h = fmod(swe_sidtime(jd_ut) * 15.0 + lon - ra, 360.0);
    if (h < 0) h += 360.0;
    if (h >= 180.0) h -= 360.0;
    return h;
}

typedef double (*Func)(double jd, int ipl, double lat, double lon, double h0);

static double alt_minus(double jd, int ipl, double lat, double lon, double h0) {
    return altitude(jd, ipl, lat, lon) - h0;
}

static double ha_func(double jd, int ipl, double lat, double lon, double h0) {
    (void)lat;
    (void)h0;
    return hour_angle(jd, ipl, lon);
}

/* Bisects f between a and b (f(a) and f(b) of opposite sign) to 1e-8 day. */
static double bisect(Func f, double a, double b, int ipl, double lat, double lon, double h0) {
    double fa = f(a, ipl, lat, lon, h0);
    while (b - a > 1e-8) {
        double m = 0.5 * (a + b);
        double fm = f(m, ipl, lat, lon, h0);
        if ((fm < 0) == (fa < 0)) {
            a = m;
            fa = fm;
        } else {
            b = m;
        }
    }
    return 0.5 * (a + b);
}

static const char* body_name(int ipl) {
    switch (ipl) {
    case SE_SUN: return "sun";
    case SE_MOON: return "moon";
    case SE_MERCURY: return "mercury";
    case SE_VENUS: return "venus";
    case SE_MARS: return "mars";
    case SE_JUPITER: return "jupiter";
    case SE_SATURN: return "saturn";
    case SE_URANUS: return "uranus";
    case SE_NEPTUNE: return "neptune";
    case SE_PLUTO: return "pluto";
    default: return "?";
    }
}

/* Appends the local hours of the crossings of f on the local day to out. */
static void crossings(FILE* out, const char* label, Func f, int rising, double jd0, int ipl, double lat,
                      double lon, double h0) {
    const double step = 5.0 / 1440.0;
    int n = 0;
    fprintf(out, " %s=", label);
    double prev = f(jd0, ipl, lat, lon, h0);
    for (int i = 1; i <= 288; ++i) {
        double jd = jd0 + i * step;
        double cur = f(jd, ipl, lat, lon, h0);
        int up = prev < 0 && cur >= 0;
        int down = prev >= 0 && cur < 0;
        /* A jump of the wrapped hour angle from +180 to -180 is no transit. */
        if (f == ha_func && fabs(cur - prev) > 90.0) up = down = 0;
        if ((rising && up) || (!rising && down)) {
            double t = bisect(f, jd - step, jd, ipl, lat, lon, h0);
            fprintf(out, "%s%.6f", n ? "," : "", (t - jd0) * 24.0);
            ++n;
        }
        prev = cur;
    }
    if (n == 0) fprintf(out, "-");
}

static void rise_set_row(FILE* out, int ipl, const char* kind, double h0, struct Place p, double zone, int y,
                         int m, int d, int with_transit) {
    double jd0 = jd_of_local(y, m, d, 0.0, zone);
    int above = altitude(jd0, ipl, p.lat, p.lon) > h0;
    fprintf(out, "%s %s %s %.4f %.4f %.4f %04d-%02d-%02d %.10f above=%d", body_name(ipl), kind, p.name, p.lat, p.lon,
            zone, y, m, d, h0, above);
    crossings(out, "rise", alt_minus, 1, jd0, ipl, p.lat, p.lon, h0);
    crossings(out, "set", alt_minus, 0, jd0, ipl, p.lat, p.lon, h0);
    if (with_transit) crossings(out, "transit", ha_func, 1, jd0, ipl, p.lat, p.lon, h0);
    fprintf(out, "\n");
}

static void add_days(int* y, int* m, int* d, int n) {
    double jd = swe_julday(*y, *m, *d, 12.0, SE_GREG_CAL) + n;
    double hours;
    swe_revjul(jd, SE_GREG_CAL, y, m, d, &hours);
}

/* Opens dir/name for writing and writes its first lines: that it is generated,
 * and the columns (comment lines) of the table. */
static FILE* open_out(const char* dir, const char* name, const char* columns) {
    char path[1024];
    snprintf(path, sizeof path, "%s/%s", dir, name);
    FILE* f = fopen(path, "w");
    if (!f) {
        perror(path);
        exit(1);
    }
    fprintf(f, "# Generated by tools/services_reference.c from the Swiss Ephemeris %s; do not edit.\n",
            swe_version((char[AS_MAXCH]){0}));
    fputs(columns, f);
    return f;
}

static void write_rise_set(const char* dir) {
    FILE* out = open_out(dir, "services_rise_set_reference.txt",
            "# body kind place latitude_deg longitude_deg(east) zone_h date threshold_deg above=<1 when above the\n"
            "# threshold at local midnight> rise=<local hours,...|-> set=<...> [transit=<...>]\n"
            "# Geocentric altitude of the centre, apparent place, no refraction; every crossing on the local\n"
            "# civil day 00:00-24:00.\n");
    const double sun_h0 = -0.8333333333333334;
    const double moon_h0 = 0.13333333333333333;

    rise_set_row(out, SE_SUN, "sun", sun_h0, hamburg, 1, 2024, 3, 20, 0);
    rise_set_row(out, SE_SUN, "sun", sun_h0, hamburg, 2, 2024, 6, 21, 0);
    rise_set_row(out, SE_SUN, "sun", sun_h0, hamburg, 1, 2024, 12, 21, 0);
    rise_set_row(out, SE_SUN, "sun", sun_h0, hamburg, 1, 2000, 1, 1, 0);
    rise_set_row(out, SE_SUN, "sun", sun_h0, new_york, -5, 2024, 1, 15, 0);
    rise_set_row(out, SE_SUN, "sun", sun_h0, new_york, -4, 2024, 7, 4, 0);
    rise_set_row(out, SE_SUN, "sun", sun_h0, sydney, 10, 2024, 6, 21, 0);
    rise_set_row(out, SE_SUN, "sun", sun_h0, sydney, 11, 2024, 12, 21, 0);
    rise_set_row(out, SE_SUN, "sun", sun_h0, quito, -5, 2024, 9, 22, 0);
    rise_set_row(out, SE_SUN, "sun", sun_h0, tromso, 1, 2024, 3, 1, 0);
    /* Zones chosen so that both crossings fall into one two-hour window of
     * the scan: a short day around 11 h, a short night around 1 h. */
    rise_set_row(out, SE_SUN, "sun", sun_h0, tromso, 0.5, 2024, 11, 24, 0);
    rise_set_row(out, SE_SUN, "sun", sun_h0, tromso, 2.5, 2024, 5, 16, 0);
    rise_set_row(out, SE_SUN, "sun", sun_h0, north80, 1, 2024, 6, 21, 0);
    rise_set_row(out, SE_SUN, "sun", sun_h0, north80, 1, 2024, 12, 21, 0);
    rise_set_row(out, SE_SUN, "sun", sun_h0, south80, 1, 2024, 6, 21, 0);
    rise_set_row(out, SE_SUN, "sun", sun_h0, south80, 1, 2024, 12, 21, 0);
    rise_set_row(out, SE_SUN, "civil", -6.0, hamburg, 1, 2024, 3, 20, 0);
    rise_set_row(out, SE_SUN, "nautical", -12.0, hamburg, 1, 2024, 3, 20, 0);
    rise_set_row(out, SE_SUN, "nautical", -12.0, hamburg, 1, 2024, 12, 21, 0);
    rise_set_row(out, SE_SUN, "nautical", -12.0, copenhagen, 2, 2024, 6, 21, 0);
    rise_set_row(out, SE_SUN, "astronomical", -18.0, hamburg, 1, 2024, 3, 20, 0);
    rise_set_row(out, SE_SUN, "astronomical", -18.0, hamburg, 2, 2024, 6, 21, 0);

    /* The Moon through two months at a mid-latitude and one at a high one
     * (2024 is near a major lunar standstill: circumpolar days in Tromso). */
    for (int i = 0; i < 60; ++i) {
        int y = 2024, m = 1, d = 1;
        add_days(&y, &m, &d, i);
        rise_set_row(out, SE_MOON, "moon", moon_h0, hamburg, 1, y, m, d, 0);
    }
    for (int i = 0; i < 31; ++i) {
        int y = 2024, m = 3, d = 1;
        add_days(&y, &m, &d, i);
        rise_set_row(out, SE_MOON, "moon", moon_h0, tromso, 1, y, m, d, 0);
    }

    /* The Sun and the planets with the thresholds of the iterative search. */
    const int planets[] = {SE_SUN, SE_MERCURY, SE_VENUS, SE_MARS, SE_JUPITER, SE_SATURN, SE_URANUS, SE_NEPTUNE,
                           SE_PLUTO};
    const int dates[][3] = {{2024, 1, 15}, {2024, 7, 15}, {2025, 4, 2}};
    for (size_t k = 0; k < sizeof dates / sizeof dates[0]; ++k) {
        for (size_t j = 0; j < sizeof planets / sizeof planets[0]; ++j) {
            int ipl = planets[j];
            double h0 = asin(ipl == SE_SUN ? -0.0145439 : -0.009890038) / deg;
            rise_set_row(out, ipl, "planet", h0, hamburg, 1, dates[k][0], dates[k][1], dates[k][2], 1);
        }
    }
    /* The Sun's right ascension passes 0h during this day. */
    rise_set_row(out, SE_SUN, "planet", asin(-0.0145439) / deg, hamburg, 1, 2024, 3, 20, 1);
    for (size_t j = 0; j < sizeof planets / sizeof planets[0]; ++j) {
        int ipl = planets[j];
        double h0 = asin(ipl == SE_SUN ? -0.0145439 : -0.009890038) / deg;
        rise_set_row(out, ipl, "planet", h0, north80, 1, 2024, 6, 15, 1);
        rise_set_row(out, ipl, "planet", h0, north80, 1, 2024, 12, 15, 1);
    }
    fclose(out);
}

static void position_row(FILE* out, int ipl, struct Place p, double zone, int y, int m, int d, int hh, int mm,
                         int ss) {
    double jd = jd_of_local(y, m, d, hh + mm / 60.0 + ss / 3600.0, zone);
    /* Geometric position (no light time, aberration or deflection), as the
     * theories give it; the Sun and the Moon with nutation, the planets on
     * the mean equator of date. */
    int extra = SEFLG_TRUEPOS | SEFLG_NOABERR | SEFLG_NOGDEFL;
    if (ipl != SE_SUN && ipl != SE_MOON) extra |= SEFLG_NONUT;
    double ra, dec, dist;
    radec(jd, ipl, extra, &ra, &dec, &dist);
    double lst = swe_sidtime(jd) * 15.0 + p.lon;
    double h = (lst - ra) * deg;
    double phi = p.lat * deg;
    double dd = dec * deg;
    double alt = asin(sin(phi) * sin(dd) + cos(phi) * cos(dd) * cos(h)) / deg;
    double az = atan2(cos(dd) * sin(h), sin(phi) * cos(dd) * cos(h) - cos(phi) * sin(dd)) / deg;
    if (az < 0) az += 360.0;
    double attr[20];
    char serr[AS_MAXCH];
    if (swe_pheno_ut(jd, ipl, SEFLG_SWIEPH, attr, serr) < 0) fail("swe_pheno_ut", serr);
    double km = dist * 149597870.7;
    fprintf(out, "%s %s %.4f %.4f %.1f %04d-%02d-%02dT%02d:%02d:%02d %.7f %.7f %.7f %.7f %.1f %.9f %.7f\n",
            body_name(ipl), p.name, p.lat, p.lon, zone, y, m, d, hh, mm, ss, ra, dec, alt, az, km, dist,
            ipl == SE_SUN ? 1.0 : attr[1]);
}

static void write_positions(const char* dir) {
    FILE* out = open_out(dir, "services_positions_reference.txt",
            "# body place latitude_deg longitude_deg(east) zone_h local_time ra_deg dec_deg altitude_deg\n"
            "# azimuth_deg(from south through west) distance_km distance_au illuminated_fraction\n"
            "# Geocentric geometric positions at the proper dynamical time; the Sun and the Moon referred to the\n"
            "# true equator and equinox of date, the planets to the mean equator and equinox of date; apparent\n"
            "# sidereal time; illuminated fraction of the apparent disk (the Sun: 1).\n");
    const int bodies[] = {SE_SUN, SE_MOON, SE_MERCURY, SE_VENUS, SE_MARS, SE_JUPITER, SE_SATURN, SE_URANUS,
                          SE_NEPTUNE, SE_PLUTO};
    for (size_t j = 0; j < sizeof bodies / sizeof bodies[0]; ++j) {
        position_row(out, bodies[j], hamburg, 2, 2024, 6, 21, 14, 30, 0);
        position_row(out, bodies[j], new_york, -5, 1999, 12, 31, 23, 15, 30);
        position_row(out, bodies[j], sydney, 11, 2025, 2, 3, 4, 5, 6);
        position_row(out, bodies[j], hamburg, 1, 1975, 1, 1, 7, 0, 0);
    }
    fclose(out);
}

static double phase_angle(double jd, int ipl) {
    double attr[20];
    char serr[AS_MAXCH];
    if (swe_pheno_ut(jd, ipl, SEFLG_SWIEPH, attr, serr) < 0) fail("swe_pheno_ut", serr);
    return attr[0];
}

static double elongation(double jd, int ipl) {
    double attr[20];
    char serr[AS_MAXCH];
    if (swe_pheno_ut(jd, ipl, SEFLG_SWIEPH, attr, serr) < 0) fail("swe_pheno_ut", serr);
    return attr[2];
}

/* Golden-section search for the extremum of f on [a, b]; sign = +1 finds
 * the minimum, -1 the maximum. */
static double extremum(double (*f)(double, int), int ipl, double a, double b, double sign) {
    const double g = 0.6180339887498949;
    double c = b - g * (b - a), d = a + g * (b - a);
    while (b - a > 1e-7) {
        if (sign * f(c, ipl) < sign * f(d, ipl)) {
            b = d;
        } else {
            a = c;
        }
        c = b - g * (b - a);
        d = a + g * (b - a);
    }
    return 0.5 * (a + b);
}

static void phase_row(FILE* out, const char* kind, int ipl, double jd) {
    int y, m, d;
    double hours;
    swe_revjul(jd, SE_GREG_CAL, &y, &m, &d, &hours);
    double attr[20];
    char serr[AS_MAXCH];
    if (swe_pheno_ut(jd, ipl, SEFLG_SWIEPH, attr, serr) < 0) fail("swe_pheno_ut", serr);
    fprintf(out, "%s %s %04d-%02d-%02d %.6f %.8f\n", kind, body_name(ipl), y, m, d, hours, attr[1]);
}

static void write_phases(const char* dir) {
    FILE* out = open_out(dir, "services_phase_reference.txt",
            "# kind body date(UT) hours(UT) illuminated_fraction\n"
            "# full/new: the instant of greatest/least illuminated fraction of the Moon (least/greatest phase\n"
            "# angle); opposition: the instant of greatest elongation of an outer planet.\n");
    /* Sample the Moon's phase angle every hour through 2024 and refine each
     * local extremum. */
    double start = swe_julday(2024, 1, 1, 0.0, SE_GREG_CAL);
    double prev2 = phase_angle(start - 2.0 / 24, SE_MOON);
    double prev = phase_angle(start - 1.0 / 24, SE_MOON);
    for (int i = 0; i < 366 * 24; ++i) {
        double jd = start + i / 24.0;
        double cur = phase_angle(jd, SE_MOON);
        if (prev < prev2 && prev <= cur) {
            phase_row(out, "full", SE_MOON, extremum(phase_angle, SE_MOON, jd - 2.0 / 24, jd, 1.0));
        }
        if (prev > prev2 && prev >= cur) {
            phase_row(out, "new", SE_MOON, extremum(phase_angle, SE_MOON, jd - 2.0 / 24, jd, -1.0));
        }
        prev2 = prev;
        prev = cur;
    }
    struct {
        int ipl;
        int y, m, d;
    } opp[] = {{SE_MARS, 2025, 1, 16}, {SE_JUPITER, 2024, 12, 7}, {SE_SATURN, 2024, 9, 8},
               {SE_URANUS, 2024, 11, 17}, {SE_NEPTUNE, 2024, 9, 21}, {SE_MARS, 2003, 8, 28}};
    for (size_t k = 0; k < sizeof opp / sizeof opp[0]; ++k) {
        double jd = swe_julday(opp[k].y, opp[k].m, opp[k].d, 0.0, SE_GREG_CAL);
        phase_row(out, "opposition", opp[k].ipl, extremum(elongation, opp[k].ipl, jd - 10.0, jd + 10.0, -1.0));
    }
    fclose(out);
}

int main(int argc, char** argv) {
    if (argc != 2) {
        fprintf(stderr, "usage: %s <output folder>\n", argv[0]);
        return 2;
    }
    swe_set_ephe_path(EPHE_PATH);
    write_rise_set(argv[1]);
    write_positions(argv[1]);
    write_phases(argv[1]);
    swe_close();
    return 0;
}
