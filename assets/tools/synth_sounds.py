#!/usr/bin/env python3
"""Synthesises the interface sounds as 16-bit mono RIFF WAVE files (22 050 Hz).

usage: synth_sounds.py OUTDIR

  WavClick     a soft, short tick for buttons and links
  WavGlock     two glockenspiel notes for an automatic wallpaper change
  WavBellTree  a falling shimmer of small bells for a new picture

Pure arithmetic, no randomness: the same script always writes the same bytes."""

import math
import os
import struct
import sys
import wave

RATE = 22050


def write(path, samples):
    peak = max(1e-9, max(abs(v) for v in samples))
    scale = 0.7 * 32767 / peak
    with wave.open(path, "wb") as out:
        out.setnchannels(1)
        out.setsampwidth(2)
        out.setframerate(RATE)
        out.writeframes(b"".join(struct.pack("<h", int(round(v * scale))) for v in samples))


def silence(seconds):
    return [0.0] * int(RATE * seconds)


def add(target, source, at):
    start = int(at * RATE)
    if len(target) < start + len(source):
        target.extend([0.0] * (start + len(source) - len(target)))
    for i, v in enumerate(source):
        target[start + i] += v


def bar(frequency, seconds, loudness=1.0):
    """A struck metal bar: the inharmonic partials of a free bar, each dying at its own rate."""
    partials = [(1.0, 1.0, 2.2), (2.756, 0.35, 5.0), (5.404, 0.12, 9.0), (8.933, 0.05, 14.0)]
    out = []
    for n in range(int(RATE * seconds)):
        t = n / RATE
        attack = min(1.0, t / 0.002)
        v = 0.0
        for ratio, amplitude, decay in partials:
            f = frequency * ratio
            if f < RATE / 2:
                v += amplitude * math.exp(-decay * t) * math.sin(2 * math.pi * f * t)
        out.append(loudness * attack * v)
    return out


def click():
    out = []
    for n in range(int(RATE * 0.035)):
        t = n / RATE
        envelope = math.exp(-t / 0.006)
        out.append(envelope * (math.sin(2 * math.pi * 2200 * t) * 0.6 + math.sin(2 * math.pi * 3300 * t) * 0.25))
    return out + silence(0.01)


def glock():
    out = silence(0.0)
    add(out, bar(1046.5, 1.2), 0.0)        # C6
    add(out, bar(1568.0, 1.1, 0.9), 0.14)  # G6
    return out


def bell_tree():
    out = silence(0.0)
    notes = [2637.0, 2349.3, 2093.0, 1975.5, 1760.0, 1568.0, 1396.9, 1318.5, 1174.7, 1046.5]
    for i, f in enumerate(notes):
        add(out, bar(f, 0.9, 0.55 + 0.05 * i), 0.055 * i)
    return out


def main():
    if len(sys.argv) != 2:
        sys.exit("usage: synth_sounds.py OUTDIR")
    folder = sys.argv[1]
    os.makedirs(folder, exist_ok=True)
    write(os.path.join(folder, "WavClick.wav"), click())
    write(os.path.join(folder, "WavGlock.wav"), glock())
    write(os.path.join(folder, "WavBellTree.wav"), bell_tree())


if __name__ == "__main__":
    main()
