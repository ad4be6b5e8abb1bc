#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# arborix.nc of the example run as xarray, CDO and R's ncdf4 read it: the
# averaged record, the sample depth and every series equal average.csv,
# sample_depth.csv and series.csv of the same export, and the stations'
# positions those of the station table beside the data file.
#   netcdf_readers.sh path/to/arborix-term examples-folder
set -eu
. "$(dirname "$0")/export_setup.sh"
station_table
answers out.txt | timeout 60 "$prog" --export exp > /dev/null
fail=0
# Debian's python3-xarray belongs to /usr/bin/python3.
timeout 120 /usr/bin/python3 "$here/dump_netcdf_xarray.py" exp/arborix.nc > xarray.dump || fail=1
timeout 120 /usr/bin/python3 "$here/dump_netcdf_cdo.py" exp/arborix.nc -99.9 > cdo.dump || fail=1
timeout 120 Rscript "$here/dump_netcdf.R" exp/arborix.nc > r.dump || fail=1
for reader in xarray cdo r; do
  python3 "$here/compare_netcdf_dump.py" "$reader" exp < "$reader.dump" || fail=1
done
exit $fail
