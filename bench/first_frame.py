#!/usr/bin/env python3
"""Time from exec to the first presented frame of the real program.

Starts each program N times (taking turns, so that a baseline and a
candidate meet the same load), with MD4_STAMP_FIRST_PRESENT set: the program
writes the monotonic clock at its first present to standard error, and the
time from just before the exec to that reading is one sample. The program is
then asked to close (SIGTERM, as a window manager's close) and waited for,
since a second copy would only hand over to the first.

    bench/first_frame.py [--runs 20] [--xvfb] build/game [BASELINE/build/game]

--xvfb runs on a virtual X display of its own (1280x720, as the smoke tests)
instead of SDL's dummy video driver. Prints min / median / max per program
and, with two programs, the ratio of medians and of minimums, with the load
average before and after.
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


def one_run(program, env, timeout, prefix=()):
    start = time.clock_gettime_ns(time.CLOCK_MONOTONIC)
    proc = subprocess.Popen([*prefix, program], env=env, stdout=subprocess.DEVNULL, stderr=subprocess.PIPE,
                            cwd=tempfile.gettempdir())
    stamp = cpu = None
    deadline = time.monotonic() + timeout
    try:
        for line in proc.stderr:
            if line.startswith(b"first-present "):
                fields = line.split()
                stamp = int(fields[1])
                # Processor time of the process and of the main thread, when given.
                cpu = (int(fields[2]) / 1e6, int(fields[3]) / 1e6) if len(fields) >= 4 else None
                break
            if time.monotonic() > deadline:
                break
    finally:
        proc.send_signal(signal.SIGTERM)
        try:
            proc.communicate(timeout=timeout)
        except subprocess.TimeoutExpired:
            proc.kill()
            proc.communicate()
    if stamp is None:
        raise SystemExit(f"{program}: no first-present stamp (status {proc.returncode})")
    return (stamp - start) / 1e6, cpu


def main():
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("--runs", type=int, default=20)
    parser.add_argument("--xvfb", action="store_true")
    parser.add_argument("--settle", type=float, default=0.3, help="seconds between runs")
    parser.add_argument("--realtime", action="store_true",
                        help="run the programs at a real-time priority (chrt -f 10, needs the right to): on a "
                             "machine others load, this comes nearer to what an idle one gives")
    parser.add_argument("programs", nargs="+")
    args = parser.parse_args()
    args.programs = [os.path.abspath(p) for p in args.programs]

    env = dict(os.environ, MD4_STAMP_FIRST_PRESENT="1", SDL_AUDIODRIVER="dummy")
    xvfb = None
    if args.xvfb:
        xvfb, display = start_xvfb()
        env["DISPLAY"] = display
        env.pop("SDL_VIDEODRIVER", None)
    else:
        env["SDL_VIDEODRIVER"] = "dummy"

    samples = {p: [] for p in args.programs}
    cpus = {p: [] for p in args.programs}
    load_before = os.getloadavg()
    try:
        for _ in range(args.runs):
            for program in args.programs:
                wall, cpu = one_run(program, env, 30, ("chrt", "-f", "10") if args.realtime else ())
                samples[program].append(wall)
                if cpu is not None:
                    cpus[program].append(cpu)
                time.sleep(args.settle)
    finally:
        if xvfb is not None:
            xvfb.terminate()
            xvfb.wait()
    load_after = os.getloadavg()

    where = ("Xvfb" if args.xvfb else "dummy video driver") + (", real-time priority" if args.realtime else "")
    print(f"exec to first present, {where}, {args.runs} runs each; "
          f"load average {load_before[0]:.2f} before, {load_after[0]:.2f} after, {os.cpu_count()} cores")
    for program, values in samples.items():
        print(f"  {program}: min {min(values):.1f} ms, median {statistics.median(values):.1f} ms, "
              f"max {max(values):.1f} ms")
        if cpus[program]:
            process = [c[0] for c in cpus[program]]
            main_thread = [c[1] for c in cpus[program]]
            print(f"    processor time before it: process min {min(process):.1f} median "
                  f"{statistics.median(process):.1f} ms, main thread min {min(main_thread):.1f} median "
                  f"{statistics.median(main_thread):.1f} ms")
    if len(args.programs) == 2:
        a, b = (samples[p] for p in args.programs)
        print(f"  first / second: median {statistics.median(a) / statistics.median(b):.3f}, "
              f"min {min(a) / min(b):.3f}")
    return 0


if __name__ == "__main__":
    sys.exit(main())
