#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Runs ARBORIX on the example station data with scripted answers:
# the 37 UK Met Office Tmax series, twelve monthly variables, the mean
# adjusted average.  Builds nothing.
#
#   examples/run_example.sh path/to/arborix-term [cet]
#
# With "cet" the Central England Temperature series is used instead.
# The output file and the console transcript go to out/example/ under the
# current folder.
set -eu
prog=${1:?usage: run_example.sh path/to/arborix-term [cet]}
case $prog in /*) ;; *) prog=$PWD/$prog ;; esac
here=$(cd "$(dirname "$0")" && pwd)
data=$here/ukmo_tmax_layout1.txt
name=ukmo_tmax
if [ "${2:-}" = cet ]; then
  data=$here/cet_mean_layout1.txt
  name=cet_mean
fi
outdir=$PWD/out/example
mkdir -p "$outdir"
out=$outdir/${name}_average.txt
transcript=$outdir/${name}_console.txt

# welcome, input file, header lines, output file, climate mask (January to
# December), data format 1, missing-value flag, keep the common interval,
# method 2, and Enter at the final pause.  Names are typed relative to the
# run's folder: a name that begins with "/" is the bail-out.
typed_data=$(realpath --relative-to="$outdir" "$data")
answers=("" "$typed_data" 0 "$(basename "$out")" 111111111111 1 -99.9 n 2 "")
status=0
(cd "$outdir" && printf '%s\n' "${answers[@]}" | "$prog" > "$transcript") || status=$?

echo "console transcript: $transcript"
echo "output file:        $out"
exit $status
