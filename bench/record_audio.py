#!/usr/bin/env python3
"""Records what the real program plays, through SDL's disk audio driver, in a
virtual X display, while a key script is typed into its window; then prints,
for each second of the recording, the RMS level, the peak and the number of
samples at full scale.

    bench/record_audio.py [--seconds 72] [--keys SCRIPT] [--reference 4:9]
                          [--measure 10:70] [--keep FILE] [--log FILE]
                          [--env NAME=VALUE]
                          build/game-windowed

The key script is a list of TIME:ACTION:KEY items, TIME in seconds after the
window appeared, ACTION one of press (held for a fifth of a second), down or
up, KEY an xdotool key name. The default starts stage 1 (Enter, F1), leaves
the ship on the launch pad with the music alone, then holds the fire key.

Seconds are counted in audio from the opening of the device (48000 float
stereo frames each, as the program asks for), so that they follow the song;
each key action is shown at the second in which it was typed. Levels are in
dB relative to full scale over both channels (a full-scale sine is -3 dBFS).
--reference gives the seconds of a music-only stretch; --measure the seconds
compared with it: the loudest of them is printed with its distance above
the reference. The last line counts the samples at full scale (|x| >= 1).
The game runs one copy per user: record while no other copy runs.
"""
import argparse
import array
import math
import os
import shutil
import subprocess
import sys
import tempfile
import time

from virtual_display import start_xvfb

RATE = 48000
CHANNELS = 2
FRAME_BYTES = CHANNELS * 4
WINDOW_TITLE = "MIRVANE DELTA 4 ENCORE"
DEFAULT_KEYS = "1:press:Return 3:press:F1 9:down:shift"


def parse_keys(script):
    actions = []
    for item in script.replace(";", " ").split():
        at, action, key = item.split(":", 2)
        if action not in ("press", "down", "up"):
            raise SystemExit(f"unknown key action {action!r} in {item!r}")
        actions.append((float(at), action, key))
    return sorted(actions)


def parse_span(text):
    if text is None:
        return None
    first, last = text.split(":")
    return int(first), int(last)


def xdotool(*args):
    return subprocess.run(["xdotool", *args], capture_output=True, text=True).stdout.strip()


def wait_for_window(proc, seconds=20):
    deadline = time.monotonic() + seconds
    while time.monotonic() < deadline:
        if proc.poll() is not None:
            raise SystemExit(f"the program ended with status {proc.returncode} before showing its window")
        found = xdotool("search", "--onlyvisible", "--name", WINDOW_TITLE).splitlines()
        if found:
            return found[0]
        time.sleep(0.1)
    raise SystemExit(f"no window titled {WINDOW_TITLE!r} appeared in {seconds} s")


def recorded_seconds(path):
    try:
        return os.path.getsize(path) / (FRAME_BYTES * RATE)
    except OSError:
        return 0.0


def record(args, raw_path):
    """Runs the program with the key script until `args.seconds` of audio are
    recorded; returns [(audio second, label)] of the key actions."""
    xvfb, display = start_xvfb()
    os.environ["DISPLAY"] = display  # for xdotool too
    env = dict(os.environ, SDL_AUDIODRIVER="disk", SDL_DISKAUDIOFILE=raw_path)
    env.pop("SDL_VIDEODRIVER", None)
    env.update(item.split("=", 1) for item in args.env)
    log = open(args.log, "w") if args.log else subprocess.DEVNULL
    proc = subprocess.Popen([args.program], env=env, stdout=log, stderr=log, cwd=os.path.dirname(raw_path))
    marks = []
    try:
        window = wait_for_window(proc)
        shown = time.monotonic()
        marks.append((recorded_seconds(raw_path), "window"))
        for at, action, key in parse_keys(args.keys):
            time.sleep(max(0.0, shown + at - time.monotonic()))
            xdotool("windowfocus", window)
            marks.append((recorded_seconds(raw_path), f"{action} {key}"))
            if action == "press":
                xdotool("keydown", key)
                time.sleep(0.2)
                xdotool("keyup", key)
            else:
                xdotool(f"key{action}", key)
        deadline = time.monotonic() + args.seconds * 2 + 30
        while recorded_seconds(raw_path) < args.seconds:
            if proc.poll() is not None:
                raise SystemExit(f"the program ended with status {proc.returncode} while recording")
            if time.monotonic() > deadline:
                raise SystemExit("the recording does not grow as fast as it should")
            time.sleep(0.1)
        xdotool("windowfocus", window)
        xdotool("key", "Escape")
        try:
            proc.wait(10)
        except subprocess.TimeoutExpired:
            pass
    finally:
        if proc.poll() is None:
            proc.kill()
            proc.wait()
        xvfb.terminate()
        xvfb.wait()
        if log is not subprocess.DEVNULL:
            log.close()
    return marks


def db(value):
    return 20 * math.log10(value) if value > 0 else float("-inf")


def second_levels(raw_path, seconds):
    """[(rms, peak, samples at full scale)] for each whole second."""
    per_second = RATE * CHANNELS
    levels = []
    with open(raw_path, "rb") as f:
        for _ in range(seconds):
            chunk = f.read(per_second * 4)
            if len(chunk) < per_second * 4:
                break
            samples = array.array("f")
            samples.frombytes(chunk)
            if sys.byteorder != "little":
                samples.byteswap()
            power = math.fsum(x * x for x in samples) / len(samples)
            peak = max(abs(x) for x in samples)
            full = sum(1 for x in samples if abs(x) >= 1.0)
            levels.append((math.sqrt(power), peak, full))
    return levels


def main():
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("program", help="the windowed game")
    parser.add_argument("--seconds", type=int, default=72, help="seconds of audio to record")
    parser.add_argument("--keys", default=DEFAULT_KEYS, help="the key script")
    parser.add_argument("--reference", default="4:9", help="A:B, the music-only seconds A..B-1 (default: the launch pad)")
    parser.add_argument("--measure", default="10:70", help="C:D, the seconds C..D-1 compared with the reference "
                        "(default: a minute of fire)")
    parser.add_argument("--keep", help="keep the raw recording (float stereo at 48000) in this file")
    parser.add_argument("--log", help="the program's standard output and error go to this file")
    parser.add_argument("--env", action="append", default=[], metavar="NAME=VALUE",
                        help="set in the program's environment only (for example LD_PRELOAD)")
    args = parser.parse_args()
    args.program = os.path.abspath(args.program)
    if args.log:
        args.log = os.path.abspath(args.log)

    with tempfile.TemporaryDirectory(prefix="md4-audio-") as work:
        raw_path = os.path.join(work, "audio.raw")
        marks = record(args, raw_path)
        levels = second_levels(raw_path, args.seconds)
        if args.keep:
            shutil.move(raw_path, args.keep)  # the temporary folder may lie on another file system

    print(f"load average {os.getloadavg()[0]:.2f}")
    print("second  rms_dBFS  peak_dBFS  full_scale  keys")
    for second, (rms, peak, full) in enumerate(levels):
        typed = ", ".join(label for at, label in marks if int(at) == second)
        print(f"{second:6d}  {db(rms):8.1f}  {db(peak):9.1f}  {full:10d}  {typed}".rstrip())
    reference, measure = parse_span(args.reference), parse_span(args.measure)
    if reference:
        power = [levels[s][0] ** 2 for s in range(*reference) if s < len(levels)]
        ref_db = db(math.sqrt(sum(power) / len(power))) if power else float("-inf")
        print(f"reference seconds {reference[0]}..{reference[1] - 1}: {ref_db:.1f} dBFS")
        span = [s for s in range(*measure) if s < len(levels)] if measure else []
        if span:
            loudest = max(span, key=lambda s: levels[s][0])
            print(f"loudest second of {measure[0]}..{measure[1] - 1}: {loudest} at {db(levels[loudest][0]):.1f} dBFS, "
                  f"{db(levels[loudest][0]) - ref_db:+.1f} dB over the reference")
    print(f"full_scale_total {sum(full for _, _, full in levels)} in {len(levels)} s")


if __name__ == "__main__":
    main()
