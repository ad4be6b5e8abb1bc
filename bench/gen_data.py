#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Synthetic monthly climate data for ARBORIX, layout 1 "(I4,12F5.1)".

  gen_data.py --series S --years Y --out FILE [--seed 1] [--missing 0.05]
              [--min-years M] [--first-year 1500]

Each series is a title line "SYNTHETIC STATION nnnnn" (under I4 "SYNT" is
no year, so it is never a data line) followed by one line per year: the
year in four columns and twelve temperature-like values in F5.1, a seasonal
cycle with noise; a fraction --missing of the months is -99.9.  Series
cover M to Y consecutive years inside [first-year, first-year + Y - 1], so
the maximum coverage is at most Y years.  The same seed gives the same file.

Speed: every data line is picked from a table of prepared line bodies (one
set per climate), so that millions of lines take seconds, not minutes.
"""

import argparse
import math
import random
import sys

CLIMATES = 32        # seasonal cycles
BODIES = 2048        # noisy years per climate
FLAG = '-99.9'


def line_bodies(rng, missing):
    """CLIMATES lists of BODIES strings of twelve F5.1 fields."""
    table = []
    for _ in range(CLIMATES):
        mean = rng.uniform(-10.0, 20.0)
        amp = rng.uniform(3.0, 15.0)
        cycle = [mean - amp * math.cos(2.0 * math.pi * m / 12.0) for m in range(12)]
        bodies = []
        for _ in range(BODIES):
            fields = []
            for m in range(12):
                if rng.random() < missing:
                    fields.append(FLAG)
                else:
                    v = max(-99.0, min(99.9, cycle[m] + rng.gauss(0.0, 2.0)))
                    fields.append('%5.1f' % v)
            bodies.append(''.join(fields))
        table.append(bodies)
    return table


def main(argv=None):
    ap = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    ap.add_argument('--series', type=int, required=True)
    ap.add_argument('--years', type=int, required=True)
    ap.add_argument('--out', required=True)
    ap.add_argument('--seed', type=int, default=1)
    ap.add_argument('--missing', type=float, default=0.05)
    ap.add_argument('--min-years', type=int, default=None, help='shortest series (default: --years)')
    ap.add_argument('--first-year', type=int, default=1500)
    a = ap.parse_args(argv)
    if not 1 <= a.years <= 500:
        ap.error('--years must be 1..500, the longest coverage the program holds')
    if a.first_year < 1000 or a.first_year + a.years - 1 > 9999:
        ap.error('the years must fit four columns (1000..9999)')
    if not 1 <= a.series <= 8999:
        ap.error('--series must be 1..8999, the most series the program holds')
    shortest = a.years if a.min_years is None else max(1, min(a.min_years, a.years))

    rng = random.Random(a.seed)
    table = line_bodies(rng, a.missing)
    years = ['%4d' % y for y in range(a.first_year, a.first_year + a.years)]
    lines = 0
    with open(a.out, 'w', encoding='ascii', newline='\n', buffering=1 << 22) as out:
        for k in range(1, a.series + 1):
            n = rng.randint(shortest, a.years)
            y0 = rng.randint(0, a.years - n)
            bodies = table[rng.randrange(CLIMATES)]
            picks = rng.choices(bodies, k=n)
            out.write('SYNTHETIC STATION %05d\n' % k)
            out.write('\n'.join(map(str.__add__, years[y0:y0 + n], picks)))
            out.write('\n')
            lines += n + 1
    sys.stderr.write('%d series, %d lines in %s\n' % (a.series, lines, a.out))
    return 0


if __name__ == '__main__':
    sys.exit(main())
