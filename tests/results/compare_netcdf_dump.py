# SPDX-License-Identifier: GPL-3.0-or-later
"""A NetCDF reader's dump of arborix.nc (lines "variable,year,series,value",
series empty for a record of the whole run, value NA where missing) against
the CSV files of the same export: every value of the CSV files for the
climate variables the dump holds is in it, equal as a 32-bit float; the
series' years outside their span are NA.
  compare_netcdf_dump.py reader export-folder < dump"""
import struct
import sys

from export_tables import export_values

reader, folder = sys.argv[1:3]


def f32(text):
    return struct.unpack("f", struct.pack("f", float(text)))[0]


def same(csv_text, nc_text):
    if csv_text == "NA" or nc_text == "NA":
        return csv_text == nc_text
    return f32(csv_text) == f32(nc_text)


def base(name):
    for suffix in ("_average", "_sample_depth"):
        name = name.removesuffix(suffix)
    return name


dump = [line.strip().split(",") for line in sys.stdin]
names = {base(d[0]) for d in dump}
wanted = {k: v for k, v in export_values(folder).items() if base(k[0]) in names}
seen = 0
bad = [] if dump else ["an empty dump"]
for name, year, series, value in dump:
    key = (name, int(year), int(series) if series else None)
    if key not in wanted:
        # A series' year outside its span: no row in series.csv.
        if value != "NA" and key[2] is not None:
            bad.append(f"{key}: {value} where series.csv has no value")
        continue
    seen += 1
    if not same(wanted[key], value):
        bad.append(f"{key}: {value} against {wanted[key]}")
missing = len(wanted) - seen
if missing:
    bad.append(f"{missing} value(s) of the CSV files not in the dump")
for b in bad[:10]:
    print(f"{reader}: {b}")
print(f"{reader}: {seen} values compared, {len(bad)} problem(s)")
sys.exit(1 if bad else 0)
