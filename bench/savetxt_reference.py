#!/usr/bin/python3
"""The usual two-channel table written by numpy.savetxt, against the window's conversion.

The same record as conversion_bench's (6250 samples a channel, the same sine with noise, 1 ms per
division, 0.8 and 20 mV per sample unit) becomes the same three columns of doubles, which
numpy.savetxt writes with "%.15g", tab-separated, into memory. The window's conversion of that
record, timed by conversion_bench in a process of its own, writes more (the table, both traces and
the labels) in its own number format. Exits with a failure status when the window's is not at
least 4 times as fast.

    apt-get install --no-install-recommends python3-numpy
    /usr/bin/python3 bench/savetxt_reference.py build/native/bench/conversion_bench
"""
import io
import math
import statistics
import subprocess
import sys
import time

import numpy

SAMPLES = 6250
SECONDS_PER_DIVISION = 0.001
MILLIVOLTS_PER_UNIT = (0.8, 20.0)
RUNS = 201


def signal(i, count, channel, noise):
    noise = (noise * 1664525 + 1013904223) % 2**32
    phase = 2 * 3.14159265358979 * i / count
    value = (12000 * math.sin(7 * phase * channel) + 3000 * math.sin(61 * phase)
             + (noise >> 22) - 512)
    # The record holds 16-bit samples, rounded half away from zero as lround does.
    sample = int(math.copysign(math.floor(abs(value) + 0.5), value))
    return max(-32768, min(32767, sample)), noise


def table():
    rows, noise = [], 1
    for i in range(1, SAMPLES + 1):
        first, noise = signal(i, SAMPLES, 1, noise)
        second, noise = signal(i, SAMPLES, 2, noise)
        rows.append(((i * SECONDS_PER_DIVISION) * 10 / SAMPLES,
                     first * MILLIVOLTS_PER_UNIT[0], second * MILLIVOLTS_PER_UNIT[1]))
    return numpy.array(rows)


def savetxt_milliseconds(columns):
    times = []
    for _ in range(RUNS):
        out = io.StringIO()
        start = time.perf_counter()
        numpy.savetxt(out, columns, fmt="%.15g", delimiter="\t")
        times.append((time.perf_counter() - start) * 1000)
    return statistics.median(times)


def main():
    savetxt = savetxt_milliseconds(table())
    measured = subprocess.run([sys.argv[1], "--measure", "0", "program"], check=True,
                              capture_output=True, text=True).stdout.split()
    window = float(measured[0])
    print(f"numpy.savetxt, 6250 x 3 doubles:            {savetxt:8.3f} ms (median of {RUNS})")
    print(f"the window's conversion, table and traces:  {window:8.3f} ms (median)")
    print(f"{savetxt / window:.1f} times faster; target >= 4x "
          f"{'met' if savetxt >= 4 * window else 'NOT MET'}")
    return 0 if savetxt >= 4 * window else 1


if __name__ == "__main__":
    sys.exit(main())
