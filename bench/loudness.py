#!/usr/bin/env python3
"""The loudness of the tones in a recording of the sound server, one after another.

    loudness.py RECORDING.raw RATE

RECORDING is signed 16-bit mono at RATE holding tones separated by at least 0.3 s of silence.
Prints "tones=<n> db=<a>,<b>,... spread=<x>": the RMS level of the middle half of each tone in
dB below full scale, and the largest difference between two of them. Exit status 2 without
two tones.
"""
import array
import math
import sys


def main():
    rate = int(sys.argv[2])
    samples = array.array("h")
    with open(sys.argv[1], "rb") as f:
        samples.frombytes(f.read())
    if sys.byteorder != "little":
        samples.byteswap()
    quiet = 30  # about -60 dB: silence, whatever the levels
    gap = int(0.3 * rate)
    tones = []
    start = None
    last = None
    for i, s in enumerate(samples):
        if abs(s) > quiet:
            if start is None:
                start = i
            last = i
        elif start is not None and i - last > gap:
            tones.append((start, last))
            start = None
    if start is not None:
        tones.append((start, last))
    tones = [t for t in tones if t[1] - t[0] > rate // 2]
    levels = []
    for first, end in tones:
        quarter = (end - first) // 4
        part = samples[first + quarter:end - quarter]
        rms = math.sqrt(sum(s * s for s in part) / len(part))
        levels.append(20 * math.log10(rms / 32768))
    if len(levels) < 2:
        print("tones=%d" % len(levels))
        return 2
    print("tones=%d db=%s spread=%.2f" % (len(levels), ",".join("%.2f" % l for l in levels),
                                          max(levels) - min(levels)))
    return 0


if __name__ == "__main__":
    sys.exit(main())
