// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <cmath>
#include <string_view>

#include "astro/events/eclipse.h"
#include "astro/events/function_ref.h"

namespace orbant {

// One week in Julian centuries (7/36525): the bracketing step of the search.
inline constexpr double lunation_step = 0.0001916495550992471;
// Thirty seconds in Julian centuries: the root finder's tolerance.
inline constexpr double lunation_tolerance = 9.506426344208685e-09;
// 8.32 minutes in Julian centuries: the light time from the Sun, by which
// the Sun's longitude is taken earlier.
inline constexpr double light_time = 1.5818693436763253e-07;
// Largest number of regula falsi iterations.
inline constexpr int root_iteration_limit = 30;

// A root of the regula falsi with its convergence flag.
//
// Given:    -
// Returned: root: the abscissa found, in the units of the search interval;
//           converged: whether the tolerance was met.
// Notes:    filled by find_root; a root with converged false may still be
//           used (see find_root).
// Reference: as find_root.
// Accuracy: as find_root.
struct RootResult {
    double root = 0.0;       // the abscissa found (the result of the last iteration)
    bool converged = false;  // true when two successive estimates met the tolerance
};

// Root of f on a bracketing interval, by the Pegasus variant of the regula
// falsi.
//
// Given:    f: a callable double(double); x1, x2: the ends of the interval
//           (any order); tolerance: the convergence limit in the units of x.
// Returned: root and converged. Without a bracket (f(x1)*f(x2) not < 0) the
//           root is x1 and converged false. After root_iteration_limit
//           iterations without convergence the root is the last iteration's
//           result and converged false; callers may use it all the same.
// Notes:    per iteration x3 = x2 - f2/((f2 - f1)/(x2 - x1)). The end kept
//           from the previous step (when f3 has the sign of f2) has its
//           value scaled by f2/(f2 + f3) so that it does not stay fixed.
//           The result of an iteration is the end with the smaller |f|.
//           Converged when |x3 - far end| <= tolerance. No allocation.
// Reference: Dowell and Jarratt (1972), the Pegasus method.
// Accuracy: for the phase functions of this search the root lies within
//           the tolerance of the true zero.
template <class F>
RootResult find_root(F&& f, double x1, double x2, double tolerance) noexcept {
    double f1 = f(x1);
    double f2 = f(x2);
    RootResult result{x1, false};
    if (!(f1 * f2 < 0.0)) return result;
    for (int iteration = 0; iteration < root_iteration_limit; ++iteration) {
        const double x3 = x2 - f2 / ((f2 - f1) / (x2 - x1));
        const double f3 = f(x3);
        double xf;
        double ff;
        if (f3 * f2 > 0.0) {
            xf = x1;
            ff = f1 * f2 / (f2 + f3);
        } else {
            xf = x2;
            ff = f2;
        }
        result.root = std::fabs(ff) < std::fabs(f3) ? xf : x3;
        if (std::fabs(x3 - xf) <= tolerance) {
            result.converged = true;
            break;
        }
        x1 = xf;
        f1 = ff;
        x2 = x3;
        f2 = f3;
    }
    return result;
}

// Elongation of the Moon from the Sun relative to a principal phase.
//
// Given:    k: phase index, 0 new Moon, 1 first quarter, 2 full Moon, 3
//           last quarter; T: Julian centuries of dynamical time from J2000.0.
// Returned: radians in [-pi, pi): the Moon's geocentric ecliptic longitude
//           at T minus the Sun's at T - light_time, minus k*pi/2, reduced.
// Notes:    longitudes of the mean ecliptic and equinox of date from the
//           full Moon and Sun theories. Zero at the instant of phase k;
//           increases by about 12 deg a day and jumps from +pi to -pi once
//           per lunation.
// Reference: the definition of the principal phases by elongation in
//           longitude.
// Accuracy: that of the two theories, a few arcseconds, which is well under
//           a minute of time.
double phase_offset(int k, double T) noexcept;

// The four principal phase instants of one lunation with its eclipse
// classes.
//
// Given:    -
// Returned: new_moon, first_quarter, full_moon, last_quarter: MJD in
//           universal time (dynamical time outside 1825..2005, where
//           delta_t is not covered); solar_class, lunar_class: the eclipse
//           classes at the new and the full Moon.
// Notes:    filled by lunation_search; a default record holds the "no
//           eclipse" classes 10 and 0.
// Reference: as lunation_search.
// Accuracy: as lunation_search.
struct Lunation {
    double new_moon = 0.0;       // MJD, universal time (dynamical outside 1825..2005)
    double first_quarter = 0.0;  // MJD, likewise
    double full_moon = 0.0;      // MJD, likewise
    double last_quarter = 0.0;   // MJD, likewise
    int solar_class = solar_class_none;  // solar_eclipse_class at the new Moon
    int lunar_class = 0;         // lunar_eclipse_class at the full Moon
};

// The next complete lunation (new Moon to last quarter) after an instant.
//
// Given:    T: Julian centuries of dynamical time from J2000.0, the start of
//           the search (in/out).
// Returned: lunation: the four phase instants as MJD in universal time and
//           the eclipse classes from the Moon's ecliptic latitude at new and
//           full Moon; T: the dynamical time of the last quarter found, so
//           that repeated calls walk through consecutive lunations; the
//           function's value is that T plus lunation_step.
// Notes:    each phase is bracketed in steps of a week from the previous
//           one and refined with find_root to lunation_tolerance; a root
//           that does not converge is used as it is. The conversion to
//           universal time subtracts delta_t of the root's T, which is 0
//           outside 1825..2005, so instants outside that span stay in
//           dynamical time.
// Reference: the full Moon and Sun series; delta_t.
// Accuracy: about a minute of time over 1825..2005 against published phase
//           instants (the test uses 2 minutes).
double lunation_search(double& T, Lunation& lunation) noexcept;

// The kinds of event the lists hold.
//
// Given:    -
// Returned: the four principal phases and the two kinds of eclipse.
// Notes:    the phase kinds are in the order of the phase index k of
//           phase_offset.
// Reference: -
// Accuracy: -
enum class EventKind { new_moon, first_quarter, full_moon, last_quarter, solar_eclipse, lunar_eclipse };

// One row of an event list, as the loops hand it to their sink.
//
// Given:    -
// Returned: local_mjd: ut_mjd plus the zone's standard-time offset, days;
//           ut_mjd: the instant found (universal time, dynamical outside
//           1825..2005); kind; eclipse_class: the class for eclipse rows, 0
//           for phases; text: the German row text.
// Notes:    text is a view of constant storage ("Neumond", "Vollmond",
//           the eclipse texts of eclipse.h, ...), valid for the life of the
//           program; the sink may keep it without copying.
// Reference: lunation_search.
// Accuracy: as lunation_search.
struct EventHit {
    double local_mjd = 0.0;  // MJD in the zone's standard time (no summer time)
    double ut_mjd = 0.0;     // MJD of the event as found (universal time)
    EventKind kind = EventKind::new_moon;
    int eclipse_class = 0;   // the class for eclipse rows, 0 for phases
    std::string_view text;   // the German event text, UTF-8, constant storage
};

// A sink's answer to the list loop: search on, or end the list here.
//
// Given:    -
// Returned: go_on or stop.
// Notes:    the loops ask after every row and every progress step, so a
//           caller ends a search (a cancel, a failed write) by answering
//           stop, not by throwing through the loop.
// Reference: -
// Accuracy: -
enum class ListAnswer { go_on, stop };

// The two callbacks of the list loops.
//
// Given:    EventSink: receives one row (valid only during the call; its
//           text stays valid). ProgressSink: receives position and maximum
//           as a progress bar range 0..maximum (see fill_phase_list).
// Returned: whether the loop is to go on.
// Notes:    non-owning references (FunctionRef): the callables must
//           outlive the loop they are passed to. The loops are noexcept: a
//           sink must not throw (an exception would end the program); it
//           answers stop instead.
// Reference: -
// Accuracy: -
using EventSink = FunctionRef<ListAnswer(const EventHit&)>;
using ProgressSink = FunctionRef<ListAnswer(int position, int maximum)>;

// The supported years of the list loops: beyond them the date arithmetic
// would overflow.
inline constexpr int event_year_min = -100000;
inline constexpr int event_year_max = 100000;

// The Moon phase list of a span of years.
//
// Given:    first_year, last_year: the span; zone_hours: the standard time
//           offset of the zone, hours east of Greenwich (summer time is not
//           added); rows, progress: the sinks.
// Returned: false (nothing listed, progress untouched) when a year lies
//           outside event_year_min..event_year_max; true otherwise, also
//           when a sink stopped the list.
// Notes:    n = (last - first)*12 + 13. The walk starts at 1 December of
//           first_year - 1 and searches n + 1 lunations, and further ones
//           while the last quarter found lies before 1 January after
//           last_year (0h standard time): so the list always reaches the
//           end of the span, which twelve lunations a year alone would not
//           for spans of three years and more. Each lunation gives four
//           rows (new Moon, first quarter, full Moon, last quarter). The
//           progress gets (0, m) first, (i, m) after lunation i (i from 1;
//           the last one or two may exceed m, a bar shows them full), and
//           (0, m) at the end, where m is n or, when larger, the whole days
//           of the span divided by the mean synodic month. n < 0 (last year two or more before
//           the first) lists nothing. One year gives 14 lunations (56
//           rows) from the first new Moon after 1 December of the year
//           before into January of the year after; the list is not cut to
//           the requested years. A stop from either sink ends the walk at
//           once: no further row, and the progress gets only its closing
//           (0, m), whose answer is not asked for. The loop allocates
//           nothing itself (the sinks may).
// Reference: lunation_search.
// Accuracy: as lunation_search.
bool fill_phase_list(int first_year, int last_year, double zone_hours, EventSink rows,
                     ProgressSink progress) noexcept;

// The eclipse list of a span of years.
//
// Given:    as fill_phase_list.
// Returned: as fill_phase_list.
// Notes:    the same lunations and progress as fill_phase_list; a row at a
//           new Moon whose solar class is not 10 (with the hemisphere
//           suffix), then a row at the full Moon whose lunar class is not 0.
//           The time is that of the syzygy, not of greatest eclipse. Like
//           fill_phase_list, allocates nothing itself.
// Reference: lunation_search, solar_eclipse_class, lunar_eclipse_class.
// Accuracy: as lunation_search; the classes as the eclipse limits.
bool fill_eclipse_list(int first_year, int last_year, double zone_hours, EventSink rows,
                       ProgressSink progress) noexcept;

}  // namespace orbant
