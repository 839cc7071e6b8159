#!/usr/bin/env python3
"""Benchmarks the game window against a bare Qt main window built in the same tree.

Prints, for the offscreen platform and for a real X server (Xvfb): start-up time from
exec to first paint, peak memory, and CPU while idle with Timer1 ticking; medians
over the runs, and the ratio or difference to the bare window. Then the sound figures
of bench_sound on a private PulseAudio server (--sound-only: those alone).
The build must have the benchmarks: cmake -DBRINDORA_BENCH=ON (they are off by default).
Usage: bench/run.py [build-dir] [--runs N] [--idle SECONDS] [--sound-only]
                    [--scale N] [--full-screen] [--before OTHER-BUILD-DIR] [--explore]
--idle 0 skips the idle measure. --scale shows both windows at that device pixel ratio;
--full-screen shows both in full screen on a 1920 x 1080 screen. --before also measures
the game window of another build (an earlier version) in the same runs, and compares.
--explore also starts the game window in explore mode in the same runs, and compares it
with the plain game.
"""
import argparse
import json
import os
import shutil
import statistics
import subprocess
import sys
import tempfile
import time

FULL_SCREEN = (1920, 1080)
mode = []  # extra arguments of the probes


def probe(exe, env, idle, extra=()):
    t0 = time.time_ns()
    out = subprocess.run([exe, str(idle)] + mode + list(extra), env=env, capture_output=True, text=True,
                         timeout=idle + 60).stdout
    values = dict(line.split() for line in out.splitlines() if len(line.split()) == 2)
    return {
        "startup_ms": (int(values["first_paint_ns"]) - t0) / 1e6,
        "peak_mb": int(values["peak_rss_kb"]) / 1024,
        "idle_cpu": float(values.get("idle_cpu_percent", "nan")),
    }


def measure(build, env, runs, idle, before=None, explore=False):
    exes = {name: os.path.join(build, "bench", name) for name in ("bench_form1", "bench_bare")}
    results = {name: [] for name in exes}
    if before:
        results["before"] = []
    if explore:
        results["explore"] = []
    jobs = [(name, exe, ()) for name, exe in exes.items()]
    if before:
        jobs.append(("before", os.path.join(before, "bench", "bench_form1"), ()))
    if explore:
        jobs.append(("explore", exes["bench_form1"], ("explore",)))
    for i in range(runs):
        # Alternate, so that all see the same machine load, each run in a turned order, so
        # that none always comes right after the same other one.
        for name, exe, extra in jobs[i % len(jobs):] + jobs[:i % len(jobs)]:
            results[name].append(probe(exe, env, 0, extra))
    idle_cpu = {name: [] for name in exes}
    for _ in range(runs if idle > 0 else 0):
        # Idle runs are long: the two programs idle side by side.
        procs = {name: subprocess.Popen([exe, str(idle)] + mode, env=env, stdout=subprocess.PIPE,
                                        stderr=subprocess.DEVNULL,
                                        text=True) for name, exe in exes.items()}
        for name, p in procs.items():
            out = p.communicate(timeout=idle + 60)[0]
            values = dict(l.split() for l in out.splitlines() if len(l.split()) == 2)
            idle_cpu[name].append(float(values["idle_cpu_percent"]))
    med = lambda xs: statistics.median(xs)
    row = {}
    for key in ("startup_ms", "peak_mb"):
        row[key] = (med([r[key] for r in results["bench_form1"]]),
                    med([r[key] for r in results["bench_bare"]]))
    if idle > 0:
        row["idle_cpu"] = (med(idle_cpu["bench_form1"]), med(idle_cpu["bench_bare"]))
    if before:
        for key in ("startup_ms", "peak_mb"):
            row["before_" + key] = (row[key][0], med([r[key] for r in results["before"]]))
    if explore:
        for key in ("startup_ms", "peak_mb"):
            row["explore_" + key] = (med([r[key] for r in results["explore"]]), row[key][0])
    return row


def sound(build, runs):
    exe = os.path.join(build, "bench", "bench_sound")
    if not os.path.exists(exe) or not shutil.which("pulseaudio"):
        print("\n(no sound figures: bench_sound or pulseaudio missing)")
        return
    out = subprocess.run([exe, str(runs)], capture_output=True, text=True, timeout=600).stdout
    values = dict(line.split() for line in out.splitlines() if len(line.split()) == 2)
    print(f"\nSound on a PulseAudio null sink, {runs} runs: median (min to max), ms\n")
    print("| measure | figure |")
    print("|---|---|")
    for key, label in (("suona_returns_ms", "suona returns"),
                       ("suona_returns_without_server_ms", "suona returns, no server"),
                       ("call_to_sound_ms", "call to first sound heard"),
                       ("cut_of_first_after_second_call_ms", "first sound last heard after the second call"),
                       ("call_to_sound_after_server_restart_ms", "call to sound, first call after a server restart")):
        print(f"| {label} | {values.get(key + '_median', 'nan')} "
              f"({values.get(key + '_min', 'nan')} to {values.get(key + '_max', 'nan')}) |")
    print("(the recorder places sound in time to about 5 ms; the cut to 10 ms)")


def main():
    ap = argparse.ArgumentParser()
    ap.add_argument("build", nargs="?", default="build")
    ap.add_argument("--runs", type=int, default=10)
    ap.add_argument("--idle", type=int, default=20)
    ap.add_argument("--sound-only", action="store_true")
    ap.add_argument("--scale", type=float, default=1.0)
    ap.add_argument("--full-screen", action="store_true")
    ap.add_argument("--before")
    ap.add_argument("--explore", action="store_true")
    args = ap.parse_args()
    if not os.path.exists(os.path.join(args.build, "bench", "bench_bare")):
        sys.exit(f"no benchmarks in {args.build}: configure it with -DBRINDORA_BENCH=ON and build")
    if args.sound_only:
        sound(args.build, args.runs)
        return

    base = dict(os.environ, QT_SCALE_FACTOR=f"{args.scale:g}")
    offscreen = "offscreen"
    screen = (round(1024 * args.scale), round(768 * args.scale))
    if args.full_screen:
        mode.append("full-screen")
        screen = FULL_SCREEN
        config = tempfile.NamedTemporaryFile("w", suffix=".json", delete=False)
        json.dump({"screens": [{"name": "bench", "x": 0, "y": 0, "width": screen[0],
                                "height": screen[1], "logicalDpi": 96, "dpr": 1}]}, config)
        config.close()
        offscreen += ":configfile=" + config.name
    platforms = [("offscreen", dict(base, QT_QPA_PLATFORM=offscreen))]
    xvfb = None
    if shutil.which("Xvfb"):
        # Xvfb picks a display number no other server holds, and writes it once it is ready.
        ready, told = os.pipe()
        xvfb = subprocess.Popen(["Xvfb", "-displayfd", str(told), "-screen", "0",
                                 f"{screen[0]}x{screen[1]}x24", "-nolisten", "tcp"],
                                pass_fds=(told,), stderr=subprocess.DEVNULL)
        os.close(told)
        with os.fdopen(ready) as number:
            display = ":" + number.readline().strip()
        env = dict(base, DISPLAY=display, QT_QPA_PLATFORM="xcb")
        platforms.append(("xcb (Xvfb)", env))
    try:
        shown = "full screen 1920 x 1080" if args.full_screen else "normal window"
        print(f"{args.runs} runs each, medians; idle over {args.idle} s; "
              f"device pixel ratio {args.scale:g}, {shown}\n")
        print(f"| platform | measure | Form1 | bare window | Form1 vs bare | target |")
        print(f"|---|---|---|---|---|---|")
        for name, env in platforms:
            r = measure(args.build, env, args.runs, args.idle, args.before, args.explore)
            f, b = r["startup_ms"]
            print(f"| {name} | start-up to first paint | {f:.1f} ms | {b:.1f} ms | x{f / b:.2f} | <= x1.30 |")
            f, b = r["peak_mb"]
            print(f"| {name} | peak memory | {f:.1f} MB | {b:.1f} MB | +{f - b:.1f} MB | <= +12 MB |")
            if args.before:
                f, b = r["before_startup_ms"]
                print(f"| {name} | start-up, this build vs before | {f:.1f} ms | {b:.1f} ms | "
                      f"{100 * (f / b - 1):+.1f} % | <= +5 % |")
                f, b = r["before_peak_mb"]
                print(f"| {name} | peak memory, this build vs before | {f:.1f} MB | {b:.1f} MB | "
                      f"{100 * (f / b - 1):+.1f} % | <= +5 % |")
            if args.explore:
                f, b = r["explore_startup_ms"]
                print(f"| {name} | start-up, --explore vs the plain game | {f:.1f} ms | {b:.1f} ms | "
                      f"{100 * (f / b - 1):+.1f} % | <= +5 % |")
                f, b = r["explore_peak_mb"]
                print(f"| {name} | peak memory, --explore vs the plain game | {f:.1f} MB | {b:.1f} MB | "
                      f"{100 * (f / b - 1):+.1f} % | <= +5 % |")
            if "idle_cpu" in r:
                f, b = r["idle_cpu"]
                print(f"| {name} | idle CPU | {f:.2f} % | {b:.2f} % | +{f - b:.2f} % | < 1 % |")
            sys.stdout.flush()
    finally:
        if xvfb:
            xvfb.terminate()
    sound(args.build, args.runs)


if __name__ == "__main__":
    main()
