# SPDX-License-Identifier: GPL-3.0-or-later
"""arborix.nc through CDO, as lines "variable,year,series,value" for
compare_netcdf_dump.py; CDO gives missing values as the flag.
  dump_netcdf_cdo.py file flag"""
import struct
import subprocess
import sys

path, flag = sys.argv[1], struct.unpack("f", struct.pack("f", float(sys.argv[2])))[0]


def cdo(*args):
    done = subprocess.run(["cdo", "-s", *args, path], capture_output=True, text=True, timeout=60, check=True)
    if "Warning" in done.stderr or "Error" in done.stderr:
        sys.exit(f"cdo {' '.join(args)}: {done.stderr}")
    return done.stdout.split()


years = [int(y) for y in cdo("showyear")]
names = cdo("showname")
for name in names:
    values = ["NA" if float(v) == flag else v for v in cdo("outputf,%.9g,1", "-selname," + name)]
    if name.endswith("_mean") or name.endswith("_sd"):
        continue  # a value per station, no time
    per_year = len(values) // len(years)
    for t, y in enumerate(years):
        for s in range(per_year):
            series = "" if name.endswith("_average") or name.endswith("_sample_depth") else str(s + 1)
            print(f"{name},{y},{series},{values[t * per_year + s]}")
