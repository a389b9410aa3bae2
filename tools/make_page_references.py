#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Prints the reference values of the page text tests (tests/pages/*_texts_test.cpp).

Uses PyEphem (Debian package python3-ephem, 4.1.4), an independent
implementation of the VSOP87 and ELP theories; it is needed only to make
these numbers, never to build or test. Conventions, as the tests state:
- sunrise and sunset: upper limb at -34' with no refraction model (the
  Sun's centre at -50'); nautical twilight: centre at -12 degrees;
- planets: centre at -34' (-0.5667 degree);
- Moon: upper limb at -34' seen from the place; phase = illuminated
  fraction; direction from the geocentric apparent place, distance
  geocentric;
- positions with pressure 0 (no refraction). Times are local civil time.
"""

import math

import ephem


def observer(lat, lon, date, horizon="-0:34"):
    o = ephem.Observer()
    o.lat, o.lon, o.date, o.pressure, o.horizon = str(lat), str(lon), date, 0, horizon
    return o


def local_midnight(y, m, d, zone):
    return ephem.Date("%d/%d/%d 00:00" % (y, m, d)) - zone / 24.0


def hms(hours):
    s = round(hours * 3600)
    return "%02d:%02d:%02d" % (s // 3600, s % 3600 // 60, s % 60)


def event(lat, lon, body, midnight, kind, horizon, centre):
    o = observer(lat, lon, midnight, horizon)
    try:
        t = getattr(o, kind)(body, use_center=centre)
    except ephem.AlwaysUpError:
        return "always up"
    except ephem.NeverUpError:
        return "never up"
    h = (t - midnight) * 24
    return hms(h) + ("" if h < 24 else " (next day)")


def sun_day(lat, lon, y, m, d, zone):
    mid = local_midnight(y, m, d, zone)
    rise = event(lat, lon, ephem.Sun(), mid, "next_rising", "-0:34", False)
    set_ = event(lat, lon, ephem.Sun(), mid, "next_setting", "-0:34", False)
    dawn = event(lat, lon, ephem.Sun(), mid, "next_rising", "-12", True)
    dusk = event(lat, lon, ephem.Sun(), mid, "next_setting", "-12", True)
    print("sun %g %g %04d-%02d-%02d zone %g: rise %s set %s twilight %s / %s" %
          (lat, lon, y, m, d, zone, rise, set_, dawn, dusk))


def sun_position(lat, lon, y, m, d, hh, mm, zone):
    t = ephem.Date("%d/%d/%d %d:%d" % (y, m, d, hh, mm)) - zone / 24.0
    s = ephem.Sun(observer(lat, lon, t))
    g = ephem.Sun(t)
    print("sun %g %g %04d-%02d-%02d %02d:%02d zone %g: alt %.3f az %.3f dist %.0f km" %
          (lat, lon, y, m, d, hh, mm, zone, math.degrees(s.alt), math.degrees(s.az),
           g.earth_distance * 149597870.7))


def moon(lat, lon, y, m, d, hh, mm, zone):
    t = ephem.Date("%d/%d/%d %d:%d" % (y, m, d, hh, mm)) - zone / 24.0
    o = observer(lat, lon, t)
    g = ephem.Moon(t)
    ha = o.sidereal_time() - g.g_ra
    la, de = float(o.lat), float(g.g_dec)
    alt = math.asin(math.sin(la) * math.sin(de) + math.cos(la) * math.cos(de) * math.cos(ha))
    az = math.atan2(-math.cos(de) * math.sin(ha),
                    math.sin(de) * math.cos(la) - math.cos(de) * math.sin(la) * math.cos(ha))
    later = ephem.Moon(ephem.Date(t + 1 / 1440.0))
    mid = local_midnight(y, m, d, zone)
    print("moon %g %g %04d-%02d-%02d %02d:%02d zone %g: %.2f %% %s alt %.3f az %.3f dist %.0f km"
          " rise %s set %s" %
          (lat, lon, y, m, d, hh, mm, zone, g.moon_phase * 100,
           "waxing" if later.moon_phase > g.moon_phase else "waning", math.degrees(alt),
           math.degrees(az) % 360, g.earth_distance * 149597870.7,
           event(lat, lon, ephem.Moon(), mid, "next_rising", "-0:34", False),
           event(lat, lon, ephem.Moon(), mid, "next_setting", "-0:34", False)))


def planets(lat, lon, y, m, d, hh, mm, zone):
    t = ephem.Date("%d/%d/%d %d:%d" % (y, m, d, hh, mm)) - zone / 24.0
    mid = local_midnight(y, m, d, zone)
    for body in (ephem.Mercury, ephem.Venus, ephem.Mars, ephem.Jupiter, ephem.Saturn,
                 ephem.Uranus, ephem.Neptune, ephem.Pluto):
        b = body(observer(lat, lon, t))
        print("%s %g %g: alt %.3f az %.3f phase %.2f rise %s set %s" %
              (body.__name__, lat, lon, math.degrees(b.alt), math.degrees(b.az), b.phase,
               event(lat, lon, body(), mid, "next_rising", "-0:34", True),
               event(lat, lon, body(), mid, "next_setting", "-0:34", True)))


def main():
    sun_position(53.55, 10.0, 2024, 6, 21, 14, 0, 2)
    sun_position(-33.87, 151.21, 2024, 3, 15, 10, 30, 11)
    for args in [(53.55, 10.0, 2024, 6, 21, 2), (53.55, 10.0, 2024, 12, 21, 1),
                 (53.55, 10.0, 2024, 3, 20, 1), (-33.87, 151.21, 2024, 3, 14, 11),
                 (-33.87, 151.21, 2024, 3, 15, 11), (-33.87, 151.21, 2024, 6, 21, 11),
                 (50.97, 10.0, 2024, 6, 21, 2), (50.98, 10.0, 2024, 6, 21, 2),
                 (59.91, 10.75, 2024, 6, 21, 2), (69.65, 18.96, 2024, 6, 21, 2),
                 (69.65, 18.96, 2024, 12, 21, 1), (85.0, 0.0, 2024, 12, 21, 0),
                 (68.0, 15.0, 2024, 3, 19, 1), (68.0, 15.0, 2024, 3, 20, 1),
                 (68.0, 15.0, 2024, 12, 21, 1), (66.0, 15.0, 2024, 3, 20, 1),
                 (66.0, 15.0, 2024, 12, 21, 1)]:
        sun_day(*args)
    moon(53.55, 10.0, 2024, 6, 21, 22, 0, 2)
    moon(53.55, 10.0, 2024, 3, 17, 12, 0, 1)
    moon(53.55, 10.0, 2024, 1, 17, 12, 0, 1)
    moon(53.55, 10.0, 2024, 1, 3, 12, 0, 1)
    planets(53.55, 10.0, 2024, 6, 21, 14, 0, 2)
    planets(80.0, 10.0, 2024, 6, 21, 14, 0, 2)


if __name__ == "__main__":
    main()
