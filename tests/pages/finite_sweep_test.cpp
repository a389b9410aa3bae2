// SPDX-License-Identifier: GPL-3.0-or-later
// A sweep over random instants and places (fixed seed): the services and
// the page texts give finite numbers and no "nan" or "inf" anywhere in the
// years -4000 to 8000, at the poles and in every zone of -12 to +14 hours
// in half hours.
#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <string>

#include "astro/services/phase.h"
#include "astro/services/positions.h"
#include "astro/services/rise_set.h"
#include "pages/moon_texts.h"
#include "pages/planets_texts.h"
#include "pages/sun_texts.h"
#include "pages/time_texts.h"
#include "tests/pages/page_test_support.h"

namespace orbant {
namespace {

struct Sample {
    CivilDateTime instant;
    double latitude, longitude, zone;
    int summer;
};

Sample random_sample(std::mt19937_64& random, int index) {
    std::uniform_int_distribution<int> year(-4000, 8000), month(1, 12), day(1, 28), hour(0, 23), minute(0, 59);
    std::uniform_int_distribution<int> half_hours(-24, 28), coin(0, 1);
    std::uniform_real_distribution<double> latitude(-90.0, 90.0), longitude(-360.0, 360.0);
    Sample s;
    s.instant = CivilDateTime{year(random), month(random), day(random), hour(random), minute(random), 0};
    // Every fifth sample stands exactly on a pole.
    s.latitude = index % 10 == 0 ? 90.0 : index % 10 == 5 ? -90.0 : latitude(random);
    s.longitude = longitude(random);
    s.zone = half_hours(random) / 2.0;
    s.summer = coin(random);
    return s;
}

bool has_bad_text(const PageTexts& page, std::string& which) {
    for (const auto& t : page.texts) {
        if (t.text.find("nan") != std::string::npos || t.text.find("inf") != std::string::npos ||
            t.text.find("-2147483648") != std::string::npos) {
            which = t.label + " " + t.text;
            return true;
        }
    }
    return false;
}

TEST(FiniteSweep, ServicesAndPageTextsStayFinite) {
    std::mt19937_64 random(20261208);
    constexpr int samples = 4000;
    int failures = 0;
    for (int i = 0; i < samples && failures < 10; ++i) {
        const Sample s = random_sample(random, i);
        const double offset = s.zone + s.summer;
        const auto where = [&] {
            return std::to_string(s.instant.year) + "-" + std::to_string(s.instant.month) + "-" +
                   std::to_string(s.instant.day) + " " + std::to_string(s.instant.hour) + ":" +
                   std::to_string(s.instant.minute) + " lat " + std::to_string(s.latitude) + " lon " +
                   std::to_string(s.longitude) + " zone " + std::to_string(offset);
        };
        double alt = 0, az = 0, dist = 0, ra = 0, dec = 0;
        sun_horizontal(s.instant, s.longitude, s.latitude, offset, alt, az, dist);
        bool finite = std::isfinite(alt) && std::isfinite(az) && std::isfinite(dist);
        moon_horizontal(s.instant, s.longitude, s.latitude, offset, alt, az, dist);
        finite = finite && std::isfinite(alt) && std::isfinite(az) && std::isfinite(dist);
        sun_equatorial(s.instant, offset, ra, dec);
        finite = finite && std::isfinite(ra) && std::isfinite(dec);
        moon_equatorial(s.instant, offset, ra, dec);
        finite = finite && std::isfinite(ra) && std::isfinite(dec);
        finite = finite && std::isfinite(moon_illumination(s.instant, offset));
        const int planet = 1 + i % 9;
        if (planet != 3) {
            planet_horizontal(planet, s.instant, s.longitude, s.latitude, offset, alt, az);
            finite = finite && std::isfinite(alt) && std::isfinite(az);
            finite = finite && std::isfinite(planet_illumination(planet, s.instant, offset));
        }
        double time = 0;
        int status = 0;
        planet_rise_set(i % 2 == 0 || planet == 3 ? 0 : planet, i % 3, s.instant, s.longitude, s.latitude, offset, time, status);
        finite = finite && std::isfinite(time);
        if (!finite) {
            ADD_FAILURE() << "a service gave a value that is not finite at " << where();
            ++failures;
            continue;
        }

        const SheetState state = test::state_at(s.latitude, s.longitude, s.zone, s.summer, s.instant);
        std::string which;
        for (const PageTexts& page : {time_page_texts(state), sun_page_texts(state), moon_page_texts(state),
                                      planets_page_texts(state)}) {
            if (has_bad_text(page, which)) {
                ADD_FAILURE() << page.caption << ": \"" << which << "\" at " << where();
                ++failures;
            }
        }
    }
}

}  // namespace
}  // namespace orbant
