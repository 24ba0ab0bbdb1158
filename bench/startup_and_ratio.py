#!/usr/bin/python3
"""The benchmark figures that Google Benchmark cannot give on its own.

1. The same sentences rendered by pynmea2 (an independent NMEA library), timed over the same
   number of compositions as our composer, as a ratio to compose_bench's figure.
2. Start-up: time from process start to the first window first exposed, and peak RSS, of
   Quorvelin, of an empty Qt window and of a window with one label (the least any window
   showing text costs: fontconfig, the font database, one face), and of its floor, the plain
   window (the main window's widgets at the same places, without the program's colours, fonts,
   icons, cursors or bindings), in alternating runs; medians and ratios.

Usage: startup_and_ratio.py BUILD_DIR COMPOSE_BENCH_JSON
"""
import json
import os
import statistics
import subprocess
import sys
import time

import pynmea2

RUNS = 41  # the VM is noisy: fewer runs leave the medians several ms apart
SETTLE_SECONDS = 0.15
COMPOSITIONS = 100_000
FIELDS = ("46", "42", "51.56", "N", "05", "38", "36.75", "E")


def pynmea2_sentence(lat_deg, lat_min, lat_sec, lat_pos, lon_deg, lon_min, lon_sec, lon_pos):
    lat = f"{lat_deg}{lat_min}.{int(float(lat_sec) / 60 * 10000):04d}"
    lon = f"0{lon_deg}{lon_min}.{int(float(lon_sec) / 60 * 10000):04d}"
    message = pynmea2.RMC("GP", "RMC", ("000000.000", "A", lat, lat_pos, lon, lon_pos, "0.00",
                                        "000.00", "000000", "", "", "0"))
    return str(message)


def pynmea2_ns_per_sentence():
    expected = "$GPRMC,000000.000,A,4642.8593,N,00538.6125,E,0.00,000.00,000000,,,0*12"
    assert pynmea2_sentence(*FIELDS) == expected, pynmea2_sentence(*FIELDS)
    start = time.perf_counter_ns()
    for _ in range(COMPOSITIONS):
        pynmea2_sentence(*FIELDS)
    return (time.perf_counter_ns() - start) / COMPOSITIONS


def start_once(program, environment):
    """Nanoseconds from the start of the process to its first exposed window, and peak KiB."""
    started = time.monotonic_ns()
    child = subprocess.Popen([program], stdout=subprocess.PIPE, stderr=subprocess.DEVNULL,
                             env=environment)
    exposed = int(child.stdout.read().split()[0])
    _, status, usage = os.wait4(child.pid, 0)
    assert status == 0, f"{program} exited with {status}"
    return exposed - started, usage.ru_maxrss


def startup(build, platform):
    environment = dict(os.environ, QT_QPA_PLATFORM=platform)
    environment.setdefault("XDG_RUNTIME_DIR", "/tmp")
    programs = {"Quorvelin": f"{build}/bench/Quorvelin_probed", "empty window": f"{build}/bench/bare_window",
                "one-label window": f"{build}/bench/label_window",
                "plain window": f"{build}/bench/plain_window"}
    samples = {name: [] for name in programs}
    for name, program in programs.items():  # warm the page cache first
        start_once(program, environment)
    for _ in range(RUNS):
        for name, program in programs.items():
            # Let the X server finish with the previous client first; otherwise whichever
            # program follows the heaviest one pays for its teardown.
            time.sleep(SETTLE_SECONDS)
            samples[name].append(start_once(program, environment))
    return {name: (statistics.median(t for t, _ in runs) / 1e6, statistics.median(m for _, m in runs))
            for name, runs in samples.items()}


def main():
    build, bench_json = sys.argv[1], sys.argv[2]
    with open(bench_json, encoding="utf-8") as file:
        ours = {b["name"]: b["real_time"] for b in json.load(file)["benchmarks"]}
    ours_ns = ours["composeBench/Typical"]
    theirs_ns = pynmea2_ns_per_sentence()
    print(f"\nComposing the sample position, {COMPOSITIONS} times:")
    print(f"  Quorvelin composer  {ours_ns:10.0f} ns/sentence")
    print(f"  pynmea2             {theirs_ns:10.0f} ns/sentence")
    print(f"  ratio               {theirs_ns / ours_ns:10.0f}x faster")

    platforms = ["offscreen"] + (["xcb"] if os.environ.get("DISPLAY") else [])
    for platform in platforms:
        figures = startup(build, platform)
        q_ms, q_kib = figures["Quorvelin"]
        print(f"\nStart-up to first exposed window, median of {RUNS} alternating runs ({platform}):")
        for name, (ms, kib) in figures.items():
            print(f"  {name:16s} {ms:6.1f} ms  {kib / 1024:6.1f} MiB peak RSS")
        for yardstick in ("empty window", "one-label window"):
            y_ms, y_kib = figures[yardstick]
            print(f"  ratio to the {yardstick:16s} {q_ms / y_ms:5.2f}x  {q_kib / y_kib:5.2f}x")
        # A line of its own, in one fixed form, so that runs can be compared by it.
        p_ms, p_kib = figures["plain window"]
        print(f"  ratio to the plain window  {q_ms / p_ms:.2f}x  {q_kib / p_kib:.2f}x")


if __name__ == "__main__":
    main()
