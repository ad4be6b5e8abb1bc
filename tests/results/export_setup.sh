# SPDX-License-Identifier: GPL-3.0-or-later
# What the export's tests share, sourced with the test's arguments
# (path/to/arborix-term examples-folder): sets prog, examples and here,
# makes a temporary working folder (removed on exit) holding the example
# data as data.txt, and defines the example run's answers.
prog=$1
examples=$2
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp "$examples/ukmo_tmax_layout1.txt" "$work/data.txt"
cd "$work"

# The example run's answers, writing the output file $1.
answers() { printf '%s\n' "" data.txt 0 "$1" 111111111111 1 -99.9 n 2 ""; }

# A station table beside data.txt, as the importer writes one; station 3
# has no position.
station_table() {
  /usr/bin/python3 - <<'PY'
titles = [l.rstrip("\n") for l in open("data.txt") if not l[:4].strip().isdigit()]
with open("data.txt.stations.csv", "w") as f:
    f.write("series,id,name,latitude,longitude,elevation\n")
    for k, t in enumerate(titles, 1):
        where = ",," if k == 3 else f"5{k % 10}.5,-{k % 7}.25,{k * 10}"
        f.write(f"{k},{t.split(':')[0]},Station {k},{where}\n")
PY
}
