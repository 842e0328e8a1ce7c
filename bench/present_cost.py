#!/usr/bin/env python3
"""Processor use of the real program on a still screen (its title), in a
virtual X display without a GPU (Xvfb), or with SDL's dummy video driver.

    bench/present_cost.py [--runs 3] [--seconds 10] [--dummy] [--windowed]
                          [--screen 1280x720] [--allocs] [--env NAME=VALUE]
                          build/game [BASELINE/build/game]

Each run starts the program, lets start-up settle (--warmup seconds), then
reads the processor time of the program (all its threads) and of the X
server over --seconds. Programs take turns, so that a baseline and a
candidate meet the same load. --allocs preloads libmd4_alloc_count.so (built
with the benchmarks, build/bench/) and reports heap allocations per second on
the main thread and on the others. Prints min / median per program, as
percent of one core, with the load average.
"""
import argparse
import os
import signal
import statistics
import subprocess
import sys
import tempfile
import time

from virtual_display import start_xvfb

TICKS = os.sysconf("SC_CLK_TCK")


def cpu_seconds(pid):
    with open(f"/proc/{pid}/stat") as f:
        fields = f.read().rsplit(")", 1)[1].split()
    return (int(fields[11]) + int(fields[12])) / TICKS  # utime + stime


def thread_count(pid):
    with open(f"/proc/{pid}/status") as f:
        for line in f:
            if line.startswith("Threads:"):
                return int(line.split()[1])
    return 0


def one_run(program, env, args, xvfb):
    report = None
    if args.allocs:
        report = tempfile.NamedTemporaryFile(prefix="md4-allocs-", delete=False).name
        env = dict(env, LD_PRELOAD=args.alloc_library, MD4_ALLOC_REPORT=report,
                   MD4_ALLOC_WINDOW=f"{args.warmup},{args.warmup + args.seconds}")
    prefix = ["chrt", "-f", "10"] if args.realtime else []
    proc = subprocess.Popen([*prefix, program], env=env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL,
                            cwd=tempfile.gettempdir())
    try:
        time.sleep(args.warmup)
        if proc.poll() is not None:
            raise SystemExit(f"{program} ended early (status {proc.returncode})")
        game0, x0, t0 = cpu_seconds(proc.pid), cpu_seconds(xvfb.pid) if xvfb else 0.0, time.monotonic()
        time.sleep(args.seconds)
        game1, x1, t1 = cpu_seconds(proc.pid), cpu_seconds(xvfb.pid) if xvfb else 0.0, time.monotonic()
        threads = thread_count(proc.pid)
        if report:
            time.sleep(0.5)  # the window's report is written at its end
    finally:
        proc.send_signal(signal.SIGTERM)
        try:
            proc.wait(timeout=10)
        except subprocess.TimeoutExpired:
            proc.kill()
            proc.wait()
    wall = t1 - t0
    result = {"game": 100 * (game1 - game0) / wall, "x": 100 * (x1 - x0) / wall, "threads": threads}
    if report:
        main = others = 0
        with open(report) as f:
            for line in f:
                parts = line.split()
                if len(parts) >= 3:
                    if parts[-1] == "main":
                        main += int(parts[2])
                    else:
                        others += int(parts[2])
        os.unlink(report)
        result["allocs_main"] = main / args.seconds
        result["allocs_other"] = others / args.seconds
    return result


def main():
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("--runs", type=int, default=3)
    parser.add_argument("--seconds", type=float, default=10)
    parser.add_argument("--warmup", type=float, default=4)
    parser.add_argument("--dummy", action="store_true", help="SDL's dummy video driver instead of Xvfb")
    parser.add_argument("--windowed", action="store_true", help="only a label: pass the windowed program")
    parser.add_argument("--screen", default="1280x720")
    parser.add_argument("--allocs", action="store_true")
    parser.add_argument("--realtime", action="store_true",
                        help="run the programs at a real-time priority (chrt -f 10, needs the right to): on a "
                             "machine others load, this comes nearer to what an idle one gives")
    parser.add_argument("--alloc-library", help="default: build/bench/libmd4_alloc_count.so of this tree")
    parser.add_argument("--env", action="append", default=[], help="NAME=VALUE for the program")
    parser.add_argument("programs", nargs="+")
    args = parser.parse_args()
    args.programs = [os.path.abspath(p) for p in args.programs]
    args.alloc_library = args.alloc_library or os.path.join(
        os.path.dirname(os.path.abspath(__file__)), "..", "build", "bench", "libmd4_alloc_count.so")
    if args.allocs and not os.path.exists(args.alloc_library):
        raise SystemExit(f"{args.alloc_library} is not built")

    env = dict(os.environ, SDL_AUDIODRIVER="dummy")
    for item in args.env:
        name, _, value = item.partition("=")
        env[name] = value
    xvfb = None
    if args.dummy:
        env["SDL_VIDEODRIVER"] = "dummy"
    else:
        xvfb, display = start_xvfb(args.screen)
        env["DISPLAY"] = display
        env.pop("SDL_VIDEODRIVER", None)

    results = {p: [] for p in args.programs}
    load_before = os.getloadavg()
    try:
        for _ in range(args.runs):
            for program in args.programs:
                results[program].append(one_run(program, env, args, xvfb))
    finally:
        if xvfb is not None:
            xvfb.terminate()
            xvfb.wait()
    load_after = os.getloadavg()

    where = ("SDL dummy video driver" if args.dummy else f"Xvfb {args.screen}") + \
        (", real-time priority" if args.realtime else "")
    print(f"still screen, {where}, {args.seconds:g} s x {args.runs} runs; load average "
          f"{load_before[0]:.2f} before, {load_after[0]:.2f} after, {os.cpu_count()} cores")
    for program, runs in results.items():
        def figure(key):
            values = [r[key] for r in runs]
            return f"min {min(values):.1f} median {statistics.median(values):.1f}"
        line = f"  {program}: program {figure('game')} % of a core"
        if xvfb is not None:
            line += f"; X server {figure('x')} %"
        line += f"; threads {runs[-1]['threads']}"
        if args.allocs:
            line += f"; allocations/s main {figure('allocs_main')}, other threads {figure('allocs_other')}"
        print(line)
    if len(args.programs) == 2:
        a, b = (statistics.median(r["game"] for r in results[p]) for p in args.programs)
        print(f"  first / second program (medians): {a / b:.3f}")
    return 0


if __name__ == "__main__":
    sys.exit(main())
