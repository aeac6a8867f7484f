#!/usr/bin/env python3
"""Measures the join of one tone played as two files, from a recording of the sound server.

    join_gap.py RECORDING.raw RATE FREQUENCY SECONDS

RECORDING is signed 16-bit mono at RATE; it holds the tone of FREQUENCY Hz, SECONDS long in all,
then silence. Prints one line of figures:

    silent=<n> broken=<n> length_error=<n> noise=<x>

silent        samples inside the tone in runs of 4 or more below 3 % of its amplitude: the
              silence at the join (a sine comes that near zero for 2 samples at most)
broken        samples where the tone does not continue as a sine: x[n-1] + x[n+1] differs from
              2 cos(w) x[n] by more than 10 % of the amplitude (a lost or repeated sample, a
              click); the coding noise of a lossy format stays far below that
length_error  the tone's measured length less SECONDS, in samples (+ a gap, - samples lost),
              within a sample or two of edge detection; the start of a play counts in it
noise         the largest such difference elsewhere, as a share of the amplitude
Exit status 2 when no tone is found.
"""
import array
import math
import sys


def main():
    path, rate, frequency, seconds = sys.argv[1], int(sys.argv[2]), float(sys.argv[3]), float(sys.argv[4])
    samples = array.array("h")
    with open(path, "rb") as f:
        samples.frombytes(f.read())
    if sys.byteorder != "little":
        samples.byteswap()
    # The amplitude: the loudest tenth of a second's peak, taken well inside the tone.
    peak = max((abs(s) for s in samples), default=0)
    if peak < 300:
        print("no tone")
        return 2
    quiet = 0.03 * peak
    start = next(i for i, s in enumerate(samples) if abs(s) > quiet)
    # The end: the last loud sample before half a second of silence.
    end = start
    run = 0
    for i in range(start, len(samples)):
        if abs(samples[i]) > quiet:
            end = i
            run = 0
        else:
            run += 1
            if run > rate // 2:
                break
    # The tone starts at phase 0, so its first loud sample comes one sample late; its last can
    # be as much early. Count from the sample before the first loud one.
    measured = end - (start - 1) + 1
    expected = round(seconds * rate)
    silent = 0
    run = 0
    for i in range(start, end + 1):
        if abs(samples[i]) <= quiet:
            run += 1
        else:
            if run >= 4:
                silent += run
            run = 0
    c = 2 * math.cos(2 * math.pi * frequency / rate)
    broken = 0
    worst = 0.0
    for i in range(start + 8, end - 8):
        residual = abs(samples[i - 1] + samples[i + 1] - c * samples[i]) / peak
        if residual > 0.10:
            broken += 1
        else:
            worst = max(worst, residual)
    print("silent=%d broken=%d length_error=%d noise=%.4f" % (silent, broken, measured - expected, worst))
    return 0


if __name__ == "__main__":
    sys.exit(main())
