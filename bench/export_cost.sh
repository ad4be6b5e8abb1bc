#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The cost of --export on the largest data the program holds: 8,999 series
# of 500 years, twelve variables, layout 1, method 3.  Runs the program
# without and with --export (the plots and arborix-plot included, when it
# is built) in turn, and prints the medians, the ratios and their targets:
# time at most 5 times the run's, peak memory at most 1.5 times the run's,
# no plot file above 5 MB, and arborix.nc at most 0.6 times the values held
# when the export writes one.  Checks that the output file and the console
# are the same with and without --export.
#
#   bench/export_cost.sh [BUILD_DIR]
#
# ARBORIX_BENCH_DIR (default /tmp/arborix-bench) keeps the data (made once,
# shared with peer_compare.sh); ARBORIX_BENCH_RUNS (default 3) sets the runs
# per case.  Needs python3 and GNU time.  GNU time's peak is the larger of
# the program's and arborix-plot's, which it waits for.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${1:-$root/build}" && pwd)
dir=${ARBORIX_BENCH_DIR:-/tmp/arborix-bench}
runs=${ARBORIX_BENCH_RUNS:-3}
term=$build/arborix-term
[ -x "$term" ] || { echo "no $term: build first (scripts/build.sh)" >&2; exit 2; }
[ -x /usr/bin/time ] || { echo "GNU time is missing: apt-get install time" >&2; exit 2; }
mkdir -p "$dir"
data=largest_layout1.txt
if [ ! -f "$dir/$data" ]; then
  python3 "$root/bench/gen_data.py" --series 8999 --years 500 --min-years 500 --out "$dir/$data.tmp"
  mv "$dir/$data.tmp" "$dir/$data"
fi
printf '%s\n' "" $data 0 out_export_cost.txt 111111111111 1 -99.9 n 3 "" > "$dir/.answers_export_cost"

timed() {  # file of "seconds kB" lines, then the command (in $dir)
  local out=$1
  shift
  (cd "$dir" && /usr/bin/time -f '%e %M' -o .time "$@" < .answers_export_cost > .console_export_cost)
  tail -n 1 "$dir/.time" >> "$out"
}
: > "$dir/.t_plain"
: > "$dir/.t_export"
for ((r = 1; r <= runs; ++r)); do
  timed "$dir/.t_plain" "$term"
  cp "$dir/out_export_cost.txt" "$dir/.out_plain"
  cp "$dir/.console_export_cost" "$dir/.console_plain"
  rm -rf "$dir/export_cost"
  timed "$dir/.t_export" "$term" --export export_cost
done
same=yes
cmp -s "$dir/out_export_cost.txt" "$dir/.out_plain" || same="NO (output file)"
cmp -s "$dir/.console_export_cost" "$dir/.console_plain" || same="NO (console)"

median() { sort -n | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }
sec() { cut -d' ' -f1 "$dir/.t_$1" | median; }
kib() { cut -d' ' -f2 "$dir/.t_$1" | median; }
ratio() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.2f", a / b }'; }
size() { stat -c %s "$1" 2> /dev/null || echo 0; }
echo "machine:        $(nproc) cores, $(sed -n 's/^model name\s*: //p' /proc/cpuinfo | head -1)"
echo "data:           $dir/$data, runs per case: $runs (medians)"
printf '%-16s %8s %9s\n' case seconds "peak MiB"
for c in plain export; do printf '%-16s %8s %9s\n' "$c" "$(sec $c)" "$(( $(kib $c) / 1024 ))"; done
echo "files of the export:"
(cd "$dir/export_cost" && ls -l --block-size=1 | awk 'NR > 1 { printf "  %-18s %12d bytes\n", $9, $5 }')
echo "export / run, time:           $(ratio "$(sec export)" "$(sec plain)")   (target at most 5)"
echo "export / run, peak memory:    $(ratio "$(kib export)" "$(kib plain)")   (target at most 1.5)"
largest=0
for f in "$dir"/export_cost/*.svg "$dir"/export_cost/*.png; do
  [ -f "$f" ] && [ "$(size "$f")" -gt $largest ] && largest=$(size "$f")
done
echo "largest plot file:            $(ratio $largest 1000000) MB   (target at most 5)"
if [ -f "$dir/export_cost/arborix.nc" ]; then
  values=$((8999 * 500 * 12 * 4))  # the store's values
  echo "arborix.nc / values held:     $(ratio "$(size "$dir/export_cost/arborix.nc")" $values)   (target at most 0.6)"
fi
echo "output file and console the same with --export: $same"
[ "$same" = yes ]
