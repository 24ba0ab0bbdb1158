#!/usr/bin/python3
"""quorvelin-trame's speed, printed, never checked:

1. Start to exit of `quorvelin-trame 46.714322 5.643542` against `printf` of the same sentence
   (goal: at most 1.5 times as long), in alternating runs; medians.
2. A batch of one million positions in the usual notations (`--batch`, output to /dev/null),
   on one core (goal: at least one million positions a second).
3. Peak memory (maximum resident set) of one position, of a 1 GB batch and of a 100 MB
   `--check`, fed through a pipe: the same whatever the input's size.

Usage: trame_speed.py BUILD_DIR
"""
import os
import random
import statistics
import subprocess
import sys
import tempfile
import time

RUNS = 301
POSITIONS = 1_000_000
SENTENCE = "$GPRMC,000000.000,A,4642.8593,N,00538.6125,E,0.00,000.00,000000,,,0*12\n"


def start_to_exit(arguments):
    started = time.perf_counter_ns()
    pid = os.posix_spawn(arguments[0], arguments, os.environ,
                         file_actions=[(os.POSIX_SPAWN_OPEN, 1, os.devnull, os.O_WRONLY, 0)])
    _, status = os.waitpid(pid, 0)
    assert status == 0, f"{arguments[0]} ended with {status}"
    return time.perf_counter_ns() - started


def peak_kib(arguments, chunk, times):
    """The program's own peak resident set (VmHWM, which starts anew at exec, unlike the
    rusage's maximum, which keeps the spawning Python's), in KiB, read once `chunk` has been
    written `times` to its input and before the input ends."""
    read, write = os.pipe()
    pid = os.posix_spawn(arguments[0], arguments, os.environ,
                         file_actions=[(os.POSIX_SPAWN_DUP2, read, 0),
                                       (os.POSIX_SPAWN_OPEN, 1, os.devnull, os.O_WRONLY, 0)])
    os.close(read)
    with os.fdopen(write, "wb") as pipe:
        for _ in range(times):
            pipe.write(chunk)
        pipe.flush()
        time.sleep(0.2)  # the last block read
        with open(f"/proc/{pid}/status", encoding="ascii") as status_file:
            peak = next(int(line.split()[1]) for line in status_file if line.startswith("VmHWM:"))
    _, status = os.waitpid(pid, 0)
    assert os.waitstatus_to_exitcode(status) == 0, f"{arguments[1:]} ended with {status}"
    return peak


def memory(program):
    named = "".join(f"{'balise ' * 28}{i};46.714322 5.643542\n" for i in range(10_000)).encode()
    sentences = (SENTENCE * 10_000).encode()
    one = peak_kib([program, "--batch", "-"], b"46.714322 5.643542\n", 1)
    batch = peak_kib([program, "--batch", "-"], named, -(-10**9 // len(named)))
    check = peak_kib([program, "--check"], sentences, -(-10**8 // len(sentences)))
    print("\nPeak memory (maximum resident set), input through a pipe:")
    print(f"  one position:        {one / 1024:.1f} MiB")
    print(f"  a 1 GB --batch:      {batch / 1024:.1f} MiB")
    print(f"  a 100 MB --check:    {check / 1024:.1f} MiB")


def positions():
    """Decimal degrees, degrees-minutes-seconds with letters, and the sentence's own form."""
    rng = random.Random(17)
    for i in range(POSITIONS):
        if i % 3 == 0:
            yield f"{rng.uniform(-90, 90):.6f} {rng.uniform(-180, 180):.6f}\n"
        elif i % 3 == 1:  # in hundredths of a second
            lat, lon = rng.randrange(90 * 360000), rng.randrange(180 * 360000)
            yield "".join(f"{t // 360000}°{t // 6000 % 60}'{t % 6000 // 100}.{t % 100:02d}\"{h} "
                          for t, h in ((lat, "NS"[i % 2]), (lon, "EW"[i % 2]))) + "\n"
        else:  # in ten-thousandths of a minute
            lat, lon = rng.randrange(90 * 600000), rng.randrange(180 * 600000)
            yield (f"balise {i};{lat // 600000:02d}{lat % 600000 // 10000:02d}.{lat % 10000:04d}N "
                   f"{lon // 600000:03d}{lon % 600000 // 10000:02d}.{lon % 10000:04d}W\n")


def main():
    program = os.path.join(sys.argv[1], "quorvelin-trame")
    printf = ["/usr/bin/printf", SENTENCE]
    ours = [program, "46.714322", "5.643542"]
    assert subprocess.run(ours, capture_output=True, text=True, check=True).stdout == SENTENCE
    samples = {"quorvelin-trame": [], "printf": []}
    for _ in range(RUNS):
        samples["quorvelin-trame"].append(start_to_exit(ours))
        samples["printf"].append(start_to_exit(printf))
    ours_ms, printf_ms = (statistics.median(samples[k]) / 1e6 for k in ("quorvelin-trame", "printf"))
    print(f"\nStart to exit, median of {RUNS} alternating runs:")
    print(f"  quorvelin-trame 46.714322 5.643542: {ours_ms:.3f} ms")
    print(f"  printf of the same sentence:        {printf_ms:.3f} ms")
    print(f"  ratio: {ours_ms / printf_ms:.2f}x (goal: at most 1.5x)")

    with tempfile.TemporaryDirectory() as work:
        batch = os.path.join(work, "positions.csv")
        with open(batch, "w", encoding="utf-8") as file:
            file.writelines(positions())
        best = None
        for _ in range(3):
            started = time.perf_counter()
            done = subprocess.run(["taskset", "-c", "0", program, "--batch", batch, "-o",
                                   os.devnull], check=False)
            elapsed = time.perf_counter() - started
            assert done.returncode == 0, f"the batch ended with {done.returncode}"
            best = elapsed if best is None else min(best, elapsed)
    print(f"\nA batch of {POSITIONS} positions on one core, best of 3:")
    print(f"  {best:.3f} s: {POSITIONS / best / 1e6:.2f} million positions a second "
          f"(goal: at least 1)")
    memory(program)


if __name__ == "__main__":
    main()
