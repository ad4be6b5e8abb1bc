# SPDX-License-Identifier: GPL-3.0-or-later
"""arborix.nc through xarray, as lines "variable,year,series,value" for
compare_netcdf_dump.py; also checks the CF layout xarray sees and, when the
file has positions, that they are the export's stations.csv (missing where
the table has none)."""
import csv
import math
import os
import sys

import xarray as xr

ds = xr.open_dataset(sys.argv[1])
assert ds.attrs["Conventions"] == "CF-1.8" and ds.attrs["featureType"] == "timeSeries", ds.attrs
assert ds["station_id"].attrs["cf_role"] == "timeseries_id"
assert ds["time"].attrs["bounds"] == "time_bnds"
years = [int(y) for y in ds["year"].values]
# The decoded times fall inside their years.
assert [t.year for t in ds.indexes["time"]] == years
ids = range(1, ds.sizes["station"] + 1)
if "lat" in ds:
    rows = list(csv.DictReader(open(os.path.join(os.path.dirname(sys.argv[1]), "stations.csv"))))
    for var, column in (("lat", "latitude"), ("lon", "longitude"), ("alt", "elevation")):
        got = ["" if math.isnan(v) else float(v) for v in ds[var].values]
        assert got == [float(r[column]) if r[column] else "" for r in rows[: len(got)]], (var, got)
    assert [str(s) for s in ds["station_id"].values] == [r["id"] for r in rows[: len(ids)]]
out = []


def text(v):
    return "NA" if math.isnan(v) else repr(float(v))


for name, var in ds.data_vars.items():
    if var.dims == ("time",) and (name.endswith("_average") or name.endswith("_sample_depth")):
        for y, v in zip(years, var.values):
            out.append(f"{name},{y},,{text(v)}")
    elif var.dims == ("time", "station"):
        values = var.values
        for t, y in enumerate(years):
            for s, k in enumerate(ids):
                out.append(f"{name},{y},{k},{text(values[t, s])}")
sys.stdout.write("\n".join(out) + "\n")
