// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The smallest of the repetitions, as an extra aggregate: on a shared,
// loaded machine it is the figure least disturbed by other processes, and
// the one to compare between runs.
#include <algorithm>
#include <vector>

inline double min_of_repetitions(const std::vector<double>& v) {
    return v.empty() ? 0.0 : *std::min_element(v.begin(), v.end());
}
