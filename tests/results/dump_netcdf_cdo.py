# SPDX-License-Identifier: GPL-3.0-or-later
"""arborix.nc through CDO, as lines "variable,year,series,value" for
compare_netcdf_dump.py; CDO gives missing values as the flag.  The first
and the last climate variable only: each takes two runs of CDO.
  dump_netcdf_cdo.py file flag"""
import struct
import subprocess
import sys

def f32(text):
    return struct.unpack("f", struct.pack("f", float(text)))[0]


path, flag = sys.argv[1], f32(sys.argv[2])


def cdo(*args):
    done = subprocess.run(["cdo", "-s", *args, path], capture_output=True, text=True, timeout=60, check=True)
    # CDO reads no text variables, and so cannot attach the station ids,
    # and says so; anything else is a fault.
    text_only = ("Unsupported data type (char/string)", "Could not assign all character coordinates")
    said = [l for l in done.stderr.splitlines() if not any(t in l for t in text_only)]
    if said:
        sys.exit(f"cdo {' '.join(args)}: " + "\n".join(said))
    return done.stdout.split()


def missing_as_na(values):
    return ["NA" if f32(v) == flag else v for v in values]


years = [int(y) for y in cdo("showyear")]
names = cdo("showname")
# Per climate variable: its series (a grid of stations), then the averaged
# record and the sample depth (one point each), time step by time step.
variables = [n for n in names if n + "_average" in names]
for name in {variables[0], variables[-1]}:
    series = missing_as_na(cdo("outputf,%.9g,1", "-selname," + name))
    record = missing_as_na(cdo("outputf,%.9g,1", f"-selname,{name}_average,{name}_sample_depth"))
    stations = len(series) // len(years)
    for t, y in enumerate(years):
        for s in range(stations):
            print(f"{name},{y},{s + 1},{series[t * stations + s]}")
        print(f"{name}_average,{y},,{record[2 * t]}")
        print(f"{name}_sample_depth,{y},,{record[2 * t + 1]}")
