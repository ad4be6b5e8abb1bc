#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The whole program on the largest data it holds: 8999 series of 500 years
# (about 4.5 million data lines), the twelve months as twelve variables,
# layout 1, flag -99.9, the mean and variance adjusted average.  Reports
# the wall time and the peak memory of the run.
#
#   bench/whole_run.sh path/to/arborix-term [series] [years]
#
# The generated file is kept in $ARBORIX_BENCH_DIR (default /tmp/arborix-bench)
# and made again only when missing.  Needs GNU time (/usr/bin/time, Debian
# package "time").
set -eu
prog=${1:?usage: whole_run.sh path/to/arborix-term [series] [years]}
case $prog in /*) ;; *) prog=$PWD/$prog ;; esac
series=${2:-8999}
years=${3:-500}
here=$(cd "$(dirname "$0")" && pwd)
dir=${ARBORIX_BENCH_DIR:-/tmp/arborix-bench}
mkdir -p "$dir"
data=$dir/data_${series}x${years}.txt
out=$dir/average_${series}x${years}.txt
if [ ! -f "$data" ]; then
  python3 "$here/gen_data.py" --series "$series" --years "$years" --min-years "$years" --out "$data.tmp"
  mv "$data.tmp" "$data"
fi
if [ ! -x /usr/bin/time ]; then
  echo "GNU time is missing: apt-get install time" >&2
  exit 2
fi

# Names typed relative to the run's folder ("/" first is the bail-out).
answers=("" "$(basename "$data")" 0 "$(basename "$out")" 111111111111 1 -99.9 n 3 "")
status=0
(cd "$dir" && printf '%s\n' "${answers[@]}" | /usr/bin/time -v -o time.txt "$prog" > console.txt) || status=$?
if [ $status -ne 0 ]; then
  echo "the run ended with status $status; console in $dir/console.txt" >&2
  tail -5 "$dir/console.txt" >&2
  exit 1
fi

wall=$(sed -n 's/^.*Elapsed (wall clock) time.*): //p' "$dir/time.txt")
peak=$(sed -n 's/.*Maximum resident set size (kbytes): //p' "$dir/time.txt")
rows=$(grep -c '^ [0-9]\{4\} ' "$out" || true)
echo "data:        $data ($series series, $years years)"
echo "output:      $out"
echo "wall time:   $wall"
echo "peak memory: $((peak / 1024)) MiB ($peak kB)"
echo "year rows:   $rows"
