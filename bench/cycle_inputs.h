// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Times f over a fixed set of inputs, one after the other and round again,
// so that no result can be reused between calls.
#include <benchmark/benchmark.h>

#include <cstddef>

template <typename Inputs, typename F>
void run_over_inputs(benchmark::State& state, const Inputs& inputs, F f) {
    std::size_t i = 0;
    for (auto _ : state) {
        auto result = f(inputs[i]);
        benchmark::DoNotOptimize(result);
        i = (i + 1) % inputs.size();
    }
}
