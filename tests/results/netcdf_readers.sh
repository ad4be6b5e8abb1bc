#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# arborix.nc of the example run as xarray, CDO and R's ncdf4 read it: the
# averaged record, the sample depth and every series equal average.csv,
# sample_depth.csv and series.csv of the same export.
#   netcdf_readers.sh path/to/arborix-term examples-folder
set -eu
prog=$1
examples=$2
here=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp "$examples/ukmo_tmax_layout1.txt" "$work/data.txt"
cd "$work"
printf '%s\n' "" data.txt 0 out.txt 111111111111 1 -99.9 n 2 "" | timeout 60 "$prog" --export exp > /dev/null
fail=0
# Debian's python3-xarray belongs to /usr/bin/python3.
timeout 120 /usr/bin/python3 "$here/dump_netcdf_xarray.py" exp/arborix.nc > xarray.dump || fail=1
timeout 120 /usr/bin/python3 "$here/dump_netcdf_cdo.py" exp/arborix.nc -99.9 > cdo.dump || fail=1
timeout 120 Rscript "$here/dump_netcdf.R" exp/arborix.nc > r.dump || fail=1
for reader in xarray cdo r; do
  python3 "$here/compare_netcdf_dump.py" "$reader" exp < "$reader.dump" || fail=1
done
exit $fail
