#include "composer/Composer.h"

#include <benchmark/benchmark.h>

namespace {

void composeBench(benchmark::State& state, composer::TrameFields typed) {
    composer::Composer composer;
    // The fields are corrected in place once; later compositions leave them as they are.
    for (auto _ : state) {
        benchmark::DoNotOptimize(composer.ComposeTrame(typed));
    }
}

BENCHMARK_CAPTURE(composeBench, Default, {"46", "00", "00.00", "N", "05", "00", "00.00", "E"});
BENCHMARK_CAPTURE(composeBench, Typical, {"46", "42", "51.56", "N", "05", "38", "36.75", "E"});

void SecondsFraction(benchmark::State& state) {
    for (auto _ : state) {
        benchmark::DoNotOptimize(composer::SecondsFraction("51.56"));
    }
}
BENCHMARK(SecondsFraction);

void Checksum(benchmark::State& state) {
    const std::string_view body = std::string_view(composer::TrameTemplate).substr(1);
    for (auto _ : state) {
        benchmark::DoNotOptimize(composer::NmeaChecksum(body));
    }
}
BENCHMARK(Checksum);

} // namespace

BENCHMARK_MAIN();
