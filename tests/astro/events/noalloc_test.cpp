// The event search allocates nothing: global operator new is replaced in
// this test binary by a counting one, and the count must not move while the
// lunation search and the list loops (with sinks that do not allocate) run.
#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <new>
#include <vector>

#include "astro/events/lunation_search.h"

namespace {
std::atomic<long> allocations{0};

void* counted(std::size_t size) {
    allocations.fetch_add(1, std::memory_order_relaxed);
    if (void* p = std::malloc(size == 0 ? 1 : size)) return p;
    throw std::bad_alloc();
}
}  // namespace

void* operator new(std::size_t size) { return counted(size); }
void* operator new[](std::size_t size) { return counted(size); }
void operator delete(void* p) noexcept { std::free(p); }
void operator delete[](void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }
void operator delete[](void* p, std::size_t) noexcept { std::free(p); }

namespace orbant {
namespace {

template <class F>
long allocations_of(F&& f) {
    const long before = allocations.load();
    f();
    return allocations.load() - before;
}

TEST(EventSearchNoAllocation, TheCounterSeesAllocations) {
    volatile int sink = 0;
    EXPECT_GE(allocations_of([&] {
                  std::vector<int> v(100, 1);
                  sink = v[50];
              }),
              1);
    (void)sink;
}

TEST(EventSearchNoAllocation, LunationSearchAndListLoops) {
    double T = 0.24;
    Lunation l;
    int rows = 0;
    int last_position = -1;
    const auto row = [&rows](const EventHit& h) { rows += h.text.empty() ? 0 : 1; };
    const auto progress = [&last_position](int position, int) { last_position = position; };
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
