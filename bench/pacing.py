#!/usr/bin/env python3
"""Frames a second and processor use of the running game loop (bench_pacing:
a still screen, and stage 1 with the fire key held, 20 s each), with SDL's
dummy video driver (the full-screen build then draws at 1024x768) and on a
virtual X display of its own (Xvfb, --screen).

    bench/pacing.py [--runs 3] [--dummy] [--xvfb] [--screen 1280x720] [--realtime]
                    build/bench/bench_pacing [BASELINE/build/bench/bench_pacing]

Programs take turns, so that a baseline and a candidate meet the same load.
Prints min / median / max per program and scene of the frames a second,
the process's processor use (percent of one core, all its threads), the
loop thread's, and the median lateness of a frame's start, with the load
average before and after.
"""
import argparse
import json
import os
import statistics
import subprocess
import sys
import tempfile

from virtual_display import start_xvfb

COUNTERS = [("frames_per_s", "frames/s", "{:.3f}"), ("cpu_pct", "process % of a core", "{:.1f}"),
            ("loop_thread_cpu_pct", "loop thread %", "{:.1f}"), ("late_p50_us", "late p50 us", "{:.0f}")]
SCENES = {"BM_GameLoopYielding/20/iterations:1": "still screen",
          "BM_Stage1FireHeld/20/iterations:1": "stage 1, fire held"}


def one_run(program, env, realtime):
    prefix = ["chrt", "-f", "10"] if realtime else []
    with tempfile.NamedTemporaryFile(suffix=".json") as out:
        subprocess.run([*prefix, program, "--benchmark_filter=Yielding|Stage1FireHeld", f"--benchmark_out={out.name}",
                        "--benchmark_out_format=json"], env=env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL,
                       cwd=tempfile.gettempdir(), check=True, timeout=300)
        report = json.load(open(out.name))
    return {b["name"]: b for b in report["benchmarks"] if "error_occurred" not in b}


def report(where, programs, results, load_before, load_after):
    print(f"{where}: load average {load_before:.2f} before, {load_after:.2f} after, {os.cpu_count()} cores")
    for name, scene in SCENES.items():
        print(f"  {scene}")
        for program in programs:
            runs = [r[name] for r in results[program] if name in r]
            if not runs:
                print(f"    {program}: no result")
                continue
            figures = []
            for key, label, form in COUNTERS:
                values = [r[key] for r in runs]
                figures.append(f"{label} " + "/".join(form.format(v) for v in
                                                      (min(values), statistics.median(values), max(values))))
            print(f"    {program} ({len(runs)} runs, min/median/max): " + "; ".join(figures))


def main():
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("--runs", type=int, default=3)
    parser.add_argument("--dummy", action="store_true", help="SDL's dummy video driver")
    parser.add_argument("--xvfb", action="store_true", help="a virtual X display")
    parser.add_argument("--screen", default="1280x720")
    parser.add_argument("--realtime", action="store_true",
                        help="run the programs at a real-time priority (chrt -f 10, needs the right to): on a "
                             "machine others load, this comes nearer to what an idle one gives")
    parser.add_argument("programs", nargs="+")
    args = parser.parse_args()
    if not args.dummy and not args.xvfb:
        args.dummy = args.xvfb = True
    programs = [os.path.abspath(p) for p in args.programs]
    base = dict(os.environ, SDL_AUDIODRIVER="dummy")
    places = []
    if args.dummy:
        places.append(("SDL dummy video driver (1024x768)", dict(base, SDL_VIDEODRIVER="dummy"), None))
    if args.xvfb:
        xvfb, display = start_xvfb(args.screen)
        env = dict(base, DISPLAY=display)
        env.pop("SDL_VIDEODRIVER", None)
        places.append((f"Xvfb {args.screen}", env, xvfb))
    try:
        for where, env, _ in places:
            results = {p: [] for p in programs}
            load_before = os.getloadavg()[0]
            for _ in range(args.runs):
                for program in programs:
                    results[program].append(one_run(program, env, args.realtime))
            report(where + (", real-time priority" if args.realtime else ""), programs, results, load_before, os.getloadavg()[0])
    finally:
        for _, _, xvfb in places:
            if xvfb is not None:
                xvfb.terminate()
                xvfb.wait()
    return 0


if __name__ == "__main__":
    sys.exit(main())
