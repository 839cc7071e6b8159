#!/usr/bin/env python3
"""Start-up of the game window under Wine against a bare Qt window under Wine, in the same runs.

Both probes (bench_form1.exe, bench_bare.exe) of a Windows build are started in turn on
Qt's windows platform, under Wine on an Xvfb display; each reports its first paint. Prints
the medians from exec to first paint and the game window's difference to the bare one.
The Windows build must have the benchmarks (scripts/windows/build.sh, then
cmake -DBRINDORA_BENCH=ON build-windows && cmake --build build-windows).
Usage: bench/wine_startup.py [build-windows] [--runs N]
"""
import argparse
import os
import statistics
import subprocess
import sys
import time


def start(runner, exe, env):
    t0 = time.time_ns()
    out = subprocess.run([runner, exe, "0"], env=env, capture_output=True, text=True, timeout=120).stdout
    values = dict(line.split() for line in out.splitlines() if len(line.split()) == 2)
    return (int(values["first_paint_ns"]) - t0) / 1e6, int(values["peak_rss_kb"]) / 1024


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("build", nargs="?", default="build-windows")
    parser.add_argument("--runs", type=int, default=7)
    args = parser.parse_args()
    runner = os.path.abspath(os.path.join(args.build, "wine-run.sh"))
    exes = {name: os.path.abspath(os.path.join(args.build, "bench", name + ".exe"))
            for name in ("bench_form1", "bench_bare")}
    display = ":93"
    xvfb = subprocess.Popen(["Xvfb", display, "-screen", "0", "1366x768x24", "-nolisten", "tcp"],
                            stderr=subprocess.DEVNULL)
    try:
        time.sleep(1)
        env = dict(os.environ, DISPLAY=display, QT_QPA_PLATFORM="windows",
                   PULSE_SERVER="unix:/nonexistent/none")
        subprocess.run([runner, "wineboot"], env=env, capture_output=True)  # a warm Wine first
        for exe in exes.values():
            start(runner, exe, env)
        results = {name: [] for name in exes}
        for _ in range(args.runs):
            for name, exe in exes.items():
                results[name].append(start(runner, exe, env))
    finally:
        xvfb.terminate()
    med = {name: statistics.median(r[0] for r in runs) for name, runs in results.items()}
    mem = {name: statistics.median(r[1] for r in runs) for name, runs in results.items()}
    for name in exes:
        print(f"{name}: start-up {med[name]:.0f} ms, peak working set {mem[name]:.1f} MB "
              f"(median of {args.runs})")
    print(f"game window - bare window: {med['bench_form1'] - med['bench_bare']:+.0f} ms")


if __name__ == "__main__":
    sys.exit(main())
