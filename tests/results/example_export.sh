#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The example data with --export: average.csv and sample_depth.csv against
# the output file and the data file; the console text and the output file
# the same with and without --export.
#   example_export.sh path/to/arborix-term examples-folder
set -eu
. "$(dirname "$0")/export_setup.sh"
answers out.txt | timeout 60 "$prog" > plain.console
answers out.txt | timeout 60 "$prog" --export "exp dir" > export.console
cmp plain.console export.console
cp out.txt plain.out
# A station table beside the data file, as the importer writes one: its
# rows reach stations.csv.
station_table
answers out.txt | timeout 60 "$prog" --export="exp dir" > /dev/null
cmp plain.out out.txt
python3 "$here/check_average.py" data.txt out.txt "exp dir"
# series.csv wide, one row per series and year; stations.csv with the table.
/usr/bin/python3 - <<'EOF'
import csv
series = list(csv.reader(open("exp dir/series.csv")))
stations = list(csv.DictReader(open("exp dir/stations.csv")))
table = list(csv.DictReader(open("data.txt.stations.csv")))
assert series[0] == ["series", "year"] + list(csv.reader(open("exp dir/average.csv")))[0][1:], series[0]
assert [s["series"] for s in stations] == [str(k) for k in range(1, 38)] + ["maximum", "common"]
for s, t in zip(stations, table):
    assert (s["id"], s["name"], s["latitude"], s["elevation"]) == (t["id"], t["name"], t["latitude"], t["elevation"])
    assert s["title"].startswith(t["id"])
    assert sum(1 for r in series[1:] if r[0] == s["series"]) == int(s["years"]), s
assert stations[-1]["first"] == "1978" and stations[-1]["last"] == "2000", stations[-1]
print(f"{len(series) - 1} series rows, {len(stations) - 2} stations with their metadata")
EOF
# Built with the window host, arborix-plot beside the program draws the
# plots into the folder.
if [ -x "$(dirname "$prog")/arborix-plot" ]; then
  for f in average coverage; do
    [ "$(head -c 8 "exp dir/$f.png" | od -An -tx1 | tr -d ' \n')" = 89504e470d0a1a0a ] || { echo "$f.png"; exit 1; }
    grep -q '<svg' "exp dir/$f.svg" || { echo "$f.svg"; exit 1; }
  done
  echo "plots drawn"
fi
