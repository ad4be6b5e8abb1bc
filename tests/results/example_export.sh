#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The example data with --export: average.csv and sample_depth.csv against
# the output file and the data file; the console text and the output file
# the same with and without --export.
#   example_export.sh path/to/arborix-term examples-folder
set -eu
prog=$1
examples=$2
here=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp "$examples/ukmo_tmax_layout1.txt" "$work/data.txt"
cd "$work"
answers() { printf '%s\n' "" data.txt 0 "$1" 111111111111 1 -99.9 n 2 ""; }
answers out.txt | timeout 60 "$prog" > plain.console
answers out.txt | timeout 60 "$prog" --export "exp dir" > export.console
cmp plain.console export.console
cp out.txt plain.out
answers out.txt | timeout 60 "$prog" --export="exp dir" > /dev/null
cmp plain.out out.txt
python3 "$here/check_average.py" data.txt out.txt "exp dir"
# Built with the window host, arborix-plot beside the program draws the
# plots into the folder.
if [ -x "$(dirname "$prog")/arborix-plot" ]; then
  for f in average coverage; do
    [ "$(head -c 8 "exp dir/$f.png" | od -An -tx1 | tr -d ' \n')" = 89504e470d0a1a0a ] || { echo "$f.png"; exit 1; }
    grep -q '<svg' "exp dir/$f.svg" || { echo "$f.svg"; exit 1; }
  done
  echo "plots drawn"
fi
