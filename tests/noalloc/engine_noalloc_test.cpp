// Confirms that the engine's evaluators allocate nothing: every form of
// global operator new is replaced by a counting one, and the counter must not
// move while the theories and matrix routines run.
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

}  // namespace
}  // namespace orbant
