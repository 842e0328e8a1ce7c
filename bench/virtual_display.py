"""A virtual X display of its own (Xvfb) for the benchmark scripts."""
import os
import subprocess


def start_xvfb(screen="1280x720"):
    """Starts Xvfb on a free display; returns the process and the display name."""
    read_end, write_end = os.pipe()
    xvfb = subprocess.Popen(
        ["Xvfb", "-displayfd", str(write_end), "-screen", "0", f"{screen}x24", "-nolisten", "tcp"],
        pass_fds=(write_end,), stderr=subprocess.DEVNULL)
    os.close(write_end)
    number = b""
    while not number.endswith(b"\n"):
        chunk = os.read(read_end, 16)
        if not chunk:
            raise SystemExit("Xvfb gave no display")
        number += chunk
    os.close(read_end)
    return xvfb, ":" + number.decode().strip()
