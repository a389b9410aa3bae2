// SPDX-License-Identifier: GPL-3.0-or-later
#include "astro/events/lunation_search.h"

#include <array>
#include <bit>
#include <climits>
#include <cstdint>

#include "astro/constants.h"
#include "astro/events/eclipse.h"
#include "astro/matrix3.h"
#include "astro/moon.h"
#include "astro/sun.h"
#include "astro/time_scales.h"

namespace orbant {

namespace {

// Texts of the four phase rows, in phase order.
inline constexpr std::array<std::string_view, 4> phase_texts = {
    "Neumond", "Erstes Mondviertel", "Vollmond", "Letztes Mondviertel"};
static_assert(phase_texts.size() == 4);

inline constexpr std::array<EventKind, 4> phase_kinds = {
    EventKind::new_moon, EventKind::first_quarter, EventKind::full_moon, EventKind::last_quarter};
static_assert(phase_kinds.size() == 4);

// Mean synodic month, days: only for the size of the progress range.
inline constexpr double mean_synodic_month = 29.530588853;

// The Moon's ecliptic longitude at T minus the Sun's at T - light_time,
// radians, not reduced.
double elongation_in_longitude(double T) noexcept { return moon_longitude(T) - sun_longitude(T - light_time); }

// The elongation less k quarter turns, reduced to [-pi, pi).
double reduced_phase_offset(int k, double elongation) noexcept {
    const double x = elongation - k * pi / 2.0;
    return modulo(x + pi, two_pi) - pi;
}

// The elongations at the instants evaluated last. The search asks again for
// instants it has evaluated: the bracket ends the root finder starts from,
// and each root, where the next phase's bracket begins. The theories are
// pure functions, so a remembered value is the very double a new evaluation
// would give; an instant no longer held is simply evaluated again. Instants
// are matched by their bits, so that -0 and +0 stay apart.
class ElongationMemo {
public:
    double operator()(double T) noexcept {
        const std::uint64_t bits = std::bit_cast<std::uint64_t>(T);
        for (int i = 0; i < size; ++i) {
            const Entry& e = entries_[static_cast<unsigned>((newest_ - i + size) % size)];
            if (e.filled && e.T_bits == bits) return e.elongation;
        }
        newest_ = (newest_ + 1) % size;
        entries_[static_cast<unsigned>(newest_)] = Entry{bits, elongation_in_longitude(T), true};
        return entries_[static_cast<unsigned>(newest_)].elongation;
    }

private:
    static constexpr int size = 8;
    struct Entry {
        std::uint64_t T_bits = 0;
        double elongation = 0.0;
        bool filled = false;
    };
    std::array<Entry, size> entries_{};
    int newest_ = 0;
};

// lunation_search with the elongations remembered in memo, which may hold
// those of the previous lunation.
double search_lunation(double& T, Lunation& lunation, ElongationMemo& memo) noexcept {
    double x2 = T + lunation_step;
    for (int k = 0; k < 4; ++k) {
        const auto offset = [k, &memo](double t) noexcept { return reduced_phase_offset(k, memo(t)); };
        double f1 = offset(T);
        double f2 = offset(x2);
        // Step on until the function rises through zero across one step: the
        // same sign, or the jump from +pi to -pi, means not yet.
        while (f2 * f1 > 0.0 || f2 < f1) {
            T = x2;
            x2 = x2 + lunation_step;
            f1 = f2;
            f2 = offset(x2);
        }
        const double Tr = find_root(offset, T, x2, lunation_tolerance).root;
        const DeltaT dt = delta_t(Tr);
        const double mjd = days_per_century * Tr + mjd_j2000 - dt.seconds * (1.0 / seconds_per_day);
        switch (k) {
            case 0:
                lunation.new_moon = mjd;
                lunation.solar_class = solar_eclipse_class(moon_position(Tr).polar(1));
                break;
            case 1:
                lunation.first_quarter = mjd;
                break;
            case 2:
                lunation.full_moon = mjd;
                lunation.lunar_class = lunar_eclipse_class(moon_position(Tr).polar(1));
                break;
            default:
                lunation.last_quarter = mjd;
                break;
        }
        T = Tr;
        x2 = Tr + lunation_step;
    }
    return T + lunation_step;
}

// The walk through the lunations shared by both lists: calls row_maker for
// each lunation found, and drives the progress.
//
// At least n + 1 = (last - first)*12 + 14 lunations are searched, and more
// while the last quarter found still lies before the end of the last year:
// twelve lunations a year fall short of the 12.37 of the calendar, so a
// span of more than two years would otherwise lose its last weeks.
// row_maker answers whether to go on, as the sinks do.
template <class RowMaker>
bool walk_lunations(int first_year, int last_year, double zone_hours, ProgressSink progress,
                    RowMaker&& row_maker) noexcept {
    if (first_year < event_year_min || first_year > event_year_max || last_year < event_year_min ||
        last_year > event_year_max)
        return false;
    // At most 200000 * 12 + 13: fits an int.
    const int n = (last_year - first_year) * 12 + 13;
    const double start_mjd = mjd_from_date(first_year - 1, 12, 1, 0, 0, 0.0);
    // The end of the span, 1 January after the last year at 0h standard
    // time, in universal time.
    const double end_mjd = mjd_from_date(last_year + 1, 1, 1, 0, 0, 0.0) - zone_hours / 24.0;
    const int estimate = n < 0 ? n : static_cast<int>((end_mjd - start_mjd) / mean_synodic_month);
    const int maximum = n > estimate ? n : estimate;
    bool go_on = progress(0, maximum) == ListAnswer::go_on;
    double T = (start_mjd - mjd_j2000) / days_per_century;
    int position = 1;
    if (n >= 0) {
        Lunation lunation;
        ElongationMemo memo;
        for (int i = 0; go_on && (i <= n || lunation.last_quarter < end_mjd); ++i) {
            lunation = Lunation{};
            search_lunation(T, lunation, memo);
            go_on = row_maker(lunation) == ListAnswer::go_on && progress(position, maximum) == ListAnswer::go_on;
            ++position;
        }
    }
    (void)progress(0, maximum);
    return true;
}

}  // namespace

double phase_offset(int k, double T) noexcept { return reduced_phase_offset(k, elongation_in_longitude(T)); }

double lunation_search(double& T, Lunation& lunation) noexcept {
    ElongationMemo memo;
    return search_lunation(T, lunation, memo);
}

bool fill_phase_list(int first_year, int last_year, double zone_hours, EventSink rows,
                     ProgressSink progress) noexcept {
    const double zone_days = zone_hours / 24.0;
    return walk_lunations(first_year, last_year, zone_hours, progress, [&](const Lunation& l) {
        const std::array<double, 4> instants = {l.new_moon, l.first_quarter, l.full_moon, l.last_quarter};
        for (std::size_t p = 0; p < instants.size(); ++p) {
            const EventHit hit{instants[p] + zone_days, instants[p], phase_kinds[p], 0, phase_texts[p]};
            if (rows(hit) == ListAnswer::stop) return ListAnswer::stop;
        }
        return ListAnswer::go_on;
    });
}

bool fill_eclipse_list(int first_year, int last_year, double zone_hours, EventSink rows,
                       ProgressSink progress) noexcept {
    const double zone_days = zone_hours / 24.0;
    return walk_lunations(first_year, last_year, zone_hours, progress, [&](const Lunation& l) {
        if (l.solar_class > solar_class_none || l.solar_class < -solar_class_none) {
            const EventHit hit{l.new_moon + zone_days, l.new_moon, EventKind::solar_eclipse, l.solar_class,
                               solar_eclipse_text(l.solar_class)};
            if (rows(hit) == ListAnswer::stop) return ListAnswer::stop;
        }
        if (l.lunar_class > 0) {
            return rows(EventHit{l.full_moon + zone_days, l.full_moon, EventKind::lunar_eclipse, l.lunar_class,
                                 lunar_eclipse_text(l.lunar_class)});
        }
        return ListAnswer::go_on;
    });
}

}  // namespace orbant
