#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# arborix-import on a GHCN-Monthly file of the whole world's size (170 MB,
# made by gen_ghcn.py from the real lines) with a --box filter, against
# grep -c TAVG on the same file, in one run: the time ratio (at most 3) and
# the peak memory against 50 MB plus the selected stations' values.
#
#   bench/import_bench.sh path/to/arborix-import [megabytes]
#
# The generated files are kept in $ARBORIX_BENCH_DIR (default
# /tmp/arborix-bench).  Needs GNU time (/usr/bin/time).
set -eu
prog=${1:?usage: import_bench.sh path/to/arborix-import [megabytes]}
case $prog in /*) ;; *) prog=$PWD/$prog ;; esac
mb=${2:-170}
here=$(cd "$(dirname "$0")" && pwd)
dir=${ARBORIX_BENCH_DIR:-/tmp/arborix-bench}
mkdir -p "$dir"
data=$dir/ghcnm_${mb}mb.dat
inv=$dir/ghcnm_${mb}mb.inv
if [ ! -f "$data" ]; then
  python3 "$here/gen_ghcn.py" "$here/../tests/import/stations/ghcnm_v4/ACW00011604_tavg_1961-1980.qcu_excerpt.dat" \
    "$data.tmp" "$inv" "$mb"
  mv "$data.tmp" "$data"
fi
cat "$data" > /dev/null  # both timings from the page cache
# Output to a file: grep stops at the first match when it writes to /dev/null.
seconds() { /usr/bin/time -f '%e %U %S %M' -o "$dir/time.txt" "$@" > "$dir/stdout.txt"; cat "$dir/time.txt"; }
read -r grep_s grep_u grep_k grep_kb < <(seconds grep -c TAVG "$data")
read -r imp_s imp_u imp_k imp_kb < <(seconds "$prog" "$data" --inventory "$inv" --box 40,50,0,20 -o "$dir/box.txt")
values_kb=$(( $(stat -c %s "$dir/box.txt") / 1024 ))
awk -v g="$grep_s" -v i="$imp_s" -v gc="$grep_u $grep_k" -v ic="$imp_u $imp_k" -v kb="$imp_kb" -v v="$values_kb" -v n="$(grep -c '^[A-Z]' "$dir/box.txt")" 'BEGIN {
  printf "grep -c TAVG     %6.2f s\n", g
  printf "arborix-import   %6.2f s  (%d stations in the box)\n", i, n
  split(gc, a, " "); split(ic, b, " ")
  printf "time ratio       %6.2f   (at most 3; processor time %.2f s against %.2f s)\n", (g > 0 ? i / g : 0), b[1] + b[2], a[1] + a[2]
  printf "peak memory      %6.1f MB (at most 50 MB + %.1f MB of selected values)\n", kb / 1024, v / 1024
  exit (g > 0 && i / g > 3) || kb > 50 * 1024 + v
}'
