#!/usr/bin/env bash
# Builds the benchmarks in Release and prints every figure: Google Benchmark for the composer,
# the ratio to pynmea2, and start-up time and memory against an empty Qt window (offscreen,
# and on the X display too when one is there: try `xvfb-run -a bench/run.sh`).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
[[ -f build-bench/build.ninja ]] ||
    cmake -S . -B build-bench -G Ninja -DCMAKE_BUILD_TYPE=Release -DQUORVELIN_TESTS=OFF -DQUORVELIN_BENCH=ON
cmake --build build-bench
build-bench/bench/compose_bench --benchmark_out=build-bench/compose_bench.json --benchmark_out_format=json
/usr/bin/python3 bench/startup_and_ratio.py build-bench build-bench/compose_bench.json
