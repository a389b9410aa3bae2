// SPDX-License-Identifier: GPL-3.0-or-later
// Confirms that the engine's evaluators, the display services, the event
// search and the filling of the star table allocate nothing: every form of
// global operator new is replaced by a counting one, and the counter must not
// move while they run. The display texts of astro/services/format.h return
// std::string and are not covered.
#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <new>

#include "astro/matrix3.h"
#include "astro/moon.h"
#include "astro/perturbation_series.h"
#include "astro/planets.h"
#include "astro/precession_nutation.h"
#include "astro/sun.h"
#include "astro/time_scales.h"
#include "astro/events/lunation_search.h"
#include "astro/services/phase.h"
#include "astro/services/positions.h"
#include "astro/services/rise_set.h"
#include "astro/services/star_position.h"
#include "stars/sky_table.h"

namespace {
std::atomic<long> allocations{0};

void* counted(std::size_t size) {
    allocations.fetch_add(1, std::memory_order_relaxed);
    if (void* p = std::malloc(size == 0 ? 1 : size)) return p;
    throw std::bad_alloc();
}
void* counted_aligned(std::size_t size, std::align_val_t align) {
    allocations.fetch_add(1, std::memory_order_relaxed);
    const std::size_t a = static_cast<std::size_t>(align);
    if (void* p = std::aligned_alloc(a, (size + a - 1) / a * a)) return p;
    throw std::bad_alloc();
}
}  // namespace

void* operator new(std::size_t size) { return counted(size); }
void* operator new[](std::size_t size) { return counted(size); }
void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
    try {
        return counted(size);
    } catch (...) {
        return nullptr;
    }
}
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept {
    try {
        return counted(size);
    } catch (...) {
        return nullptr;
    }
}
void* operator new(std::size_t size, std::align_val_t a) { return counted_aligned(size, a); }
void* operator new[](std::size_t size, std::align_val_t a) { return counted_aligned(size, a); }
void operator delete(void* p) noexcept { std::free(p); }
void operator delete[](void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }
void operator delete[](void* p, std::size_t) noexcept { std::free(p); }
void operator delete(void* p, std::align_val_t) noexcept { std::free(p); }
void operator delete[](void* p, std::align_val_t) noexcept { std::free(p); }
void operator delete(void* p, std::size_t, std::align_val_t) noexcept { std::free(p); }
void operator delete[](void* p, std::size_t, std::align_val_t) noexcept { std::free(p); }

namespace orbant {
namespace {

// Runs f and returns how many allocations it made.
template <typename F>
long allocations_of(F&& f) {
    const long before = allocations.load();
    f();
    return allocations.load() - before;
}

TEST(NoAllocation, TheCounterSeesAllocations) {
    // Guards the test itself: a replaced operator new that is not called
    // would make every other check pass trivially.
    const long n = allocations_of([] {
        int* volatile p = new int(3);
        delete p;
    });
    EXPECT_EQ(n, 1);
}

TEST(NoAllocation, SunMoonAndEveryPlanetTheory) {
    volatile double sink = 0.0;
    const long n = allocations_of([&] {
        for (double T = -1.0; T <= 1.0; T += 0.25) {
            sink = sink + sun_position(T).polar(0) + sun_equatorial_of_date(T).polar(1);
            sink = sink + moon_position(T).polar(0) + moon_equatorial_of_date(T).polar(2);
            sink = sink + sun_low_precision(T).ra + moon_low_precision(T).dec;
            for (int body = 0; body <= 10; ++body) sink = sink + planet_position(body, T).polar(0);
            sink = sink + mercury_position(T).x + venus_position(T).x + mars_position(T).x + jupiter_position(T).x +
                   saturn_position(T).x + uranus_position(T).x + neptune_position(T).x + pluto_position(T).x;
            const ElongationPhase e = elongation_phase(mars_position(T), planet_position(3, T));
            sink = sink + e.illuminated_fraction;
        }
    });
    EXPECT_EQ(n, 0);
}

TEST(NoAllocation, MatricesTimeScalesAndSeries) {
    volatile double sink = 0.0;
    const long n = allocations_of([&] {
        for (double T = -1.0; T <= 1.0; T += 0.5) {
            const Matrix3 m = nutation_matrix(T) * ecliptic_to_equatorial_matrix(T) *
                              ecliptic_precession_matrix(-0.5, T) * equatorial_to_ecliptic_matrix(T);
            const Vector3 v = transpose(m) * Vector3(Polar(1.0, 0.5, 2.0));
            sink = sink + v.polar(0) + rotation_x(T)(1, 2) + rotation_y(T)(0, 2) + rotation_z(T)(0, 1);
            sink = sink + equatorial_to_horizontal(0.2, T, 0.9).azimuth;
            sink = sink + gmst(51544.5 + 36525.0 * T) + delta_t(T).seconds;
            sink = sink + mjd_from_date(2000, 1, 1, 12, 0, 0) + date_from_mjd(51544.5 + T).hours;
            PlanetaryPerturbationSeries s;
            s.init(T, 1.0, -3, 5, 2.0, -4, 0, 0.3);
            s.term(1, -1, 0, 1.0, 2.0, 3.0, 4.0, 5.0, 6.0);
            sink = sink + s.dl;
        }
    });
    EXPECT_EQ(n, 0);
}

TEST(NoAllocation, DisplayServices) {
    // The services the pages call on every refresh: positions, rising and
    // setting (including the threshold table built on first use), phase.
    volatile double sink = 0.0;
    const long n = allocations_of([&] {
        for (int day = 1; day <= 28; day += 9) {
            const CivilDateTime at{2024, 3, day, 21, 30, 0};
            double alt = 0, az = 0, dist = 0, ra = 0, dec = 0;
            moon_horizontal(at, 10.0, 53.5, 1.0, alt, az, dist);
            sun_horizontal(at, 10.0, 53.5, 1.0, alt, az, dist);
            moon_equatorial(at, 1.0, ra, dec);
            sun_equatorial(at, 1.0, ra, dec);
            for (int planet = 1; planet <= 9; ++planet) {
                planet_horizontal(planet, at, 10.0, 53.5, 1.0, alt, az);
                planet_equatorial(planet, at, 1.0, ra, dec);
                double time = 0;
                int status = 0;
                planet_rise_set(planet, 0, at, 10.0, 53.5, 1.0, time, status);
                if (planet != 3) sink = sink + planet_illumination(planet, at, 1.0);
                sink = sink + time;
            }
            fixed_horizontal(at, 10.0, 53.5, 1.0, 1.0, 0.5, alt, az);
            ecliptic_point_horizontal(at, 10.0, 53.5, 1.0, 2.0, alt, az);
            const double mjd0 = mjd_from_date(2024, 3, day, 0, 0, 0) - 1.0 / 24.0;
            for (int index = 0; index <= 4; ++index) {
                double rise = 0, set = 0;
                int has_rise = 0, has_set = 0, above = 0;
                rise_set_scan(index, mjd0, 0.17, 0.93, rise, set, has_rise, has_set, above);
                sink = sink + rise + set;
            }
            sink = sink + alt + az + dist + ra + dec + moon_illumination(at, 1.0) + moon_is_waxing(at, 1.0);
        }
    });
    EXPECT_EQ(n, 0);
}

TEST(NoAllocation, StarTableAndStarPositions) {
    static SkyTable table;
    static FigureList figures;
    volatile double sink = 0.0;
    const long n = allocations_of([&] {
        fill_body_and_star_table(table, figures);
        const CivilDateTime at{2024, 3, 1, 21, 30, 0};
        for (std::size_t i = first_star_entry; i < table.size(); ++i) {
            double alt = 0, az = 0;
            star_horizontal(at, 10.0, 53.5, 1.0, table[i].right_ascension_deg, table[i].declination_deg, alt, az);
            sink = sink + alt + az;
        }
        table[moon_entry].set_name("Mond ( 57%)");
    });
    EXPECT_EQ(n, 0);
    EXPECT_EQ(table[1087].name(), "2 Cet (4.55) [9098]");
}

TEST(NoAllocation, LunationSearchAndListLoops) {
    // The event search with sinks that do not allocate themselves.
    double T = 0.24;
    Lunation l;
    int rows = 0;
    int last_position = -1;
    const auto row = [&rows](const EventHit& h) {
        rows += h.text.empty() ? 0 : 1;
        return ListAnswer::go_on;
    };
    const auto progress = [&last_position](int position, int) {
        last_position = position;
        return ListAnswer::go_on;
    };
    const long n = allocations_of([&] {
        for (int i = 0; i < 5; ++i) lunation_search(T, l);
        (void)find_root([](double x) { return x * x - 2.0; }, 0.0, 2.0, 1e-12);
        fill_phase_list(2024, 2026, 1.0, row, progress);
        fill_eclipse_list(2024, 2026, 1.0, row, progress);
    });
    EXPECT_EQ(n, 0);
    EXPECT_GT(rows, 3 * 50);
    EXPECT_EQ(last_position, 0);
}

}  // namespace
}  // namespace orbant
