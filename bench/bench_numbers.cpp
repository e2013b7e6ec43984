// SPDX-License-Identifier: GPL-3.0-or-later
// Number texts written per second: a field's 4 decimals and a result's 2, for values
// below a 64-bit count of ten-thousandths, beyond it, and far beyond.
#include <benchmark/benchmark.h>

#include <cmath>
#include <vector>

#include "calc/numbers.h"

namespace {

using namespace mertano;

// 1024 values spread over a decade that starts at 10^range.
std::vector<long double> Values(int decade) {
    std::vector<long double> values;
    for (int k = 0; k < 1024; ++k) {
        values.push_back(std::pow(10.0L, decade) * (1.0L + 9.0L * k / 1024.0L) + k * 0.00013L);
    }
    return values;
}

void BM_FieldText(benchmark::State& state) {
    const std::vector<long double> values = Values(static_cast<int>(state.range(0)));
    std::size_t i = 0;
    for (auto _ : state) benchmark::DoNotOptimize(FormatFixed(values[i++ & 1023], 4));
    state.counters["texts/s"] = benchmark::Counter(static_cast<double>(state.iterations()),
                                                   benchmark::Counter::kIsRate);
}
BENCHMARK(BM_FieldText)->Arg(-3)->Arg(2)->Arg(14)->Arg(30);

void BM_ResultText(benchmark::State& state) {
    const std::vector<long double> values = Values(static_cast<int>(state.range(0)));
    std::size_t i = 0;
    for (auto _ : state) benchmark::DoNotOptimize(ResultText(values[i++ & 1023]));
    state.counters["texts/s"] = benchmark::Counter(static_cast<double>(state.iterations()),
                                                   benchmark::Counter::kIsRate);
}
BENCHMARK(BM_ResultText)->Arg(-3)->Arg(2)->Arg(14)->Arg(30);

}  // namespace
