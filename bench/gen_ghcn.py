#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
# A GHCN-Monthly v4 file of the size of the whole world's (about 170 MB)
# in the layout of the real lines, with its inventory: the stations' years
# are the real station's lines with the ID and year changed and the values
# shifted, flags and -9999s kept as they stand.
#   gen_ghcn.py REAL.dat OUT.dat OUT.inv [megabytes]
import random, sys

real, out, inv = sys.argv[1:4]
target = int(sys.argv[4]) * 1_000_000 if len(sys.argv) > 4 else 170_000_000
template = [l.rstrip('\r\n') for l in open(real) if len(l) >= 115]
rng = random.Random(22)
size, n = 0, 0
with open(out, 'w') as d, open(inv, 'w') as v:
    while size < target:
        n += 1
        sid = f'{"ABCDEFGHIJKLMNOPQRSTUVWXYZ"[n % 26]}{"ABCDEFGHIJKLMNOPQRSTUVWXYZ"[n // 26 % 26]}M{n:08d}'
        v.write(f'{sid} {rng.uniform(-60, 80):8.4f} {rng.uniform(-180, 180):9.4f} {rng.uniform(0, 3000):6.1f} '
                f'{"STATION_" + str(n):<30}\n')
        first = rng.randint(1850, 1990)
        shift = rng.randint(-500, 500)
        lines = []
        for k in range(rng.randint(20, 90)):
            t = template[k % len(template)]
            vals = ''.join(
                (f'{int(t[19 + 8 * m:24 + 8 * m]) + shift:5d}' if t[19 + 8 * m:24 + 8 * m] != '-9999' else '-9999')
                + t[24 + 8 * m:27 + 8 * m] for m in range(12))
            lines.append(f'{sid}{first + k:4d}TAVG{vals}\n')
        block = ''.join(lines)
        d.write(block)
        size += len(block)
print(f'{n} stations, {size / 1e6:.0f} MB', file=sys.stderr)
