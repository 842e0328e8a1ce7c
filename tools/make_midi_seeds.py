#!/usr/bin/env python3
"""Writes small standard MIDI files with every kind of chunk and event the
song reader accepts, and songs near its bounds on tempo and density, as
seeds for the MIDI fuzz target.

Usage: make_midi_seeds.py OUTPUT_DIR
"""
import struct

from make_bmp_seeds import write_seeds


def var_length(value):
    out = [value & 0x7F]
    value >>= 7
    while value:
        out.insert(0, (value & 0x7F) | 0x80)
        value >>= 7
    return bytes(out)


def track(*events, end=True):
    body = b"".join(events)
    if end:
        body += b"\x00\xff\x2f\x00"
    return b"MTrk" + struct.pack(">I", len(body)) + body


def song(fmt, chunks, division=96):
    tracks = sum(1 for chunk in chunks if chunk.startswith(b"MTrk"))
    return b"MThd" + struct.pack(">IHHH", 6, fmt, tracks, division) + b"".join(chunks)


def ev(delta, *data):
    return var_length(delta) + bytes(data)


def meta(delta, kind, payload):
    return var_length(delta) + bytes((0xFF, kind)) + var_length(len(payload)) + payload


def seeds():
    notes = [ev(0, 0xC0, 0), ev(0, 0x90, 60, 100), ev(96, 0x80, 60, 0), ev(0, 0x90, 64, 90), ev(96, 0x80, 64, 0)]
    yield "format0.mid", song(0, [track(*notes)])
    yield "format1.mid", song(1, [
        track(meta(0, 0x51, b"\x07\xa1\x20"), meta(0, 0x58, b"\x04\x02\x18\x08"), meta(0, 0x59, b"\x00\x00"),
              meta(0, 0x03, b"tempo map")),
        track(ev(0, 0xC1, 33), ev(0, 0x91, 40, 100), ev(48, 0x81, 40, 0), ev(0, 0xB1, 7, 100),
              ev(0, 0xE1, 0x00, 0x50), ev(24, 0xD1, 30)),
    ])
    # Running status over note pairs, and again after a text event.
    yield "running_status.mid", song(0, [track(
        ev(0, 0x90, 60, 100), ev(24, 62, 100), ev(24, 64, 100), ev(24, 60, 0), ev(0, 62, 0),
        meta(0, 0x01, b"verse"), ev(0, 0x02, 3) + b"(c)", ev(0, 0x99, 36, 120), ev(12, 36, 0))])
    yield "sysex_and_lyrics.mid", song(1, [
        track(ev(0, 0xF0, 5, 0x7E, 0x7F, 0x09, 0x01, 0xF7), meta(0, 0x05, b"la"), meta(0, 0x54, b"\x60\x00\x00\x00\x00")),
        track(ev(0, 0x90, 72, 64), ev(192, 0x80, 72, 64), end=False),
    ])
    # A chunk of another kind before the tracks, long deltas, a slow tempo.
    yield "extra_chunk.mid", song(1, [
        b"XFIH" + struct.pack(">I", 3) + b"abc",
        track(meta(0, 0x51, b"\x0f\x42\x40"), ev(0x0FFFFFFF, 0x90, 50, 50), ev(1, 0x80, 50, 0)),
    ], division=480)
    # Escapes (a real-time byte among their bytes), one by running status.
    yield "escape.mid", song(0, [track(ev(0, 0xF7, 2, 0xF8, 0xF7), ev(0, 1, 0x7F), ev(0, 0x90, 60, 100),
                                       ev(96, 0x80, 60, 0))])
    # Tempo changes in the first track timing the second; then a loop of
    # one instant (no more than once a buffer's time), just inside the
    # density bounds.
    yield "tempo_changes.mid", song(1, [
        track(meta(0, 0x51, b"\x07\xa1\x20"), meta(96, 0x51, b"\x00\x00\x10"), meta(48, 0x51, b"\x0f\x42\x40")),
        track(*[ev(24, 0x90, 40 + k, 90) for k in range(12)]),
    ])
    yield "instant_loop.mid", song(0, [track(*[ev(0, 0xB0, 7, k) for k in range(20)])])
    yield "empty.mid", song(0, [track()])


if __name__ == "__main__":
    write_seeds(seeds)
