#!/usr/bin/env bash
# Builds the benchmarks in Release and prints every figure: Google Benchmark for the composer,
# the ratio to pynmea2, start-up time and memory against an empty Qt window (offscreen, and
# on the X display too when one is there: try `xvfb-run -a bench/run.sh`), and
# quorvelin-trame's start-up against printf and its batch speed.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh test
cmake --preset benchmarks --log-level=WARNING
cmake --build --preset benchmarks
build-bench/bench/compose_bench --benchmark_out=build-bench/compose_bench.json --benchmark_out_format=json
/usr/bin/python3 bench/startup_and_ratio.py build-bench build-bench/compose_bench.json
/usr/bin/python3 bench/trame_speed.py build-bench
