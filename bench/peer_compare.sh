#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The program against a plain Fortran build of the same data path and
# against `wc -l`, on the largest data the program holds: 8,999 series of
# 500 years (about 4.5 million data lines).  Builds the peer, generates the
# data once, runs each case several times in turn and prints the medians,
# the peak memory, the ratios and their targets.  Checks that the output
# files are those of the reference build, which reads every data line by
# the general statements (-DARBORIX_REFERENCE_READ=ON, built here in
# $ARBORIX_BENCH_DIR/build-reference), and of runs on one and four threads;
# times the run on one thread too.
#
#   bench/peer_compare.sh [BUILD_DIR] [PEER_F90]
#
# BUILD_DIR defaults to build/, PEER_F90 to ../shared/bench/peer.f90 beside
# the checkout.  ARBORIX_BENCH_DIR (default /tmp/arborix-bench) keeps the
# data; ARBORIX_BENCH_RUNS (default 3) sets the runs per case.  Needs
# gfortran, python3, cmake and GNU time.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${1:-$root/build}" && pwd)
peer_src=${2:-$root/../shared/bench/peer.f90}
dir=${ARBORIX_BENCH_DIR:-/tmp/arborix-bench}
runs=${ARBORIX_BENCH_RUNS:-3}
term=$build/arborix-term
mkdir -p "$dir"
for tool in gfortran python3 /usr/bin/time; do
  command -v "$tool" > /dev/null || { echo "missing: $tool" >&2; exit 2; }
done
[ -x "$term" ] || { echo "no $term: build first (scripts/build.sh)" >&2; exit 2; }

reference=$dir/build-reference
cmake -G Ninja -S "$root" -B "$reference" -DARBORIX_REFERENCE_READ=ON -DARBORIX_WINDOW=OFF \
  -DCMAKE_BUILD_TYPE=RelWithDebInfo > /dev/null
cmake --build "$reference" --target arborix-term > /dev/null
ref_term=$reference/arborix-term

peer=$dir/peer
if [ ! -x "$peer" ] || [ "$peer_src" -nt "$peer" ]; then
  gfortran -O2 -o "$peer" "$peer_src"
fi

# The data: layout 1, and the same values in free format (layout 6).
data1=largest_layout1.txt
data6=largest_layout6.txt
if [ ! -f "$dir/$data1" ]; then
  python3 "$root/bench/gen_data.py" --series 8999 --years 500 --min-years 500 --out "$dir/$data1.tmp"
  mv "$dir/$data1.tmp" "$dir/$data1"
fi
if [ ! -f "$dir/$data6" ] || [ "$dir/$data1" -nt "$dir/$data6" ]; then
  python3 - "$dir/$data1" "$dir/$data6.tmp" <<'EOF'
import sys
with open(sys.argv[1]) as src, open(sys.argv[2], 'w', buffering=1 << 22) as out:
    for line in src:
        body = line.rstrip('\n')
        if body[:4].strip().lstrip('-').isdigit():
            out.write(' '.join([body[:4]] + [body[4 + 5 * m:9 + 5 * m] for m in range(12)]) + '\n')
        else:
            out.write(line)
EOF
  mv "$dir/$data6.tmp" "$dir/$data6"
fi

mask12=111111111111
mask60=$(printf '11113%.0s' {1..12})  # twelve 5-month seasons over five years: lags

# One timed run: the command in $dir, its standard input from $1;
# appends "seconds kB" to the file $2.
timed() {
  local input=$1 out=$2
  shift 2
  # A run may end with a status (reading alone ends at the end of its answers).
  (cd "$dir" && /usr/bin/time -f '%e %M' -o .time "$@" < "$input" > /dev/null 2>&1) || true
  tail -n 1 "$dir/.time" >> "$out"
}
answers() {  # data file, output file, mask, layout
  printf '%s\n' "" "$1" 0 "$2" "$3" "$4" -99.9 n 3 "" > "$dir/.answers_$2"
  echo ".answers_$2"
}
median() { sort -n | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }

# The example data (37 stations): a small run, timed over many runs.
small_runs() {  # program; prints milliseconds per run
  local t0 t1 i
  t0=$(date +%s%N)
  for ((i = 0; i < 100; ++i)); do (cd "$dir/small" && "$1" < answers.txt > /dev/null); done
  t1=$(date +%s%N)
  awk -v a="$t0" -v b="$t1" 'BEGIN { printf "%.2f", (b - a) / 1e6 / 100 }'
}
mkdir -p "$dir/small"
cp "$root/examples/ukmo_tmax_layout1.txt" "$root/examples/answers.txt" "$dir/small/"

cases=(prog1 prog1_t1 read1 peer1 wc prog6 peer6 prog60 peer60 small ref_small)
for c in "${cases[@]}"; do : > "$dir/.t_$c"; done
a1=$(answers $data1 out_prog1.txt $mask12 1)
a6=$(answers $data6 out_prog6.txt $mask12 6)
a60=$(answers $data1 out_prog60.txt "$mask60" 1)
# Reading alone: the answers end after the flag, and the run with them.
printf '%s\n' "" $data1 0 out_read1.txt $mask12 1 -99.9 > "$dir/.answers_read1"
for ((r = 1; r <= runs; ++r)); do
  timed "$a1" "$dir/.t_prog1" "$term"
  timed "$a1" "$dir/.t_prog1_t1" env OMP_NUM_THREADS=1 "$term"
  timed .answers_read1 "$dir/.t_read1" "$term"
  timed /dev/null "$dir/.t_peer1" "$peer" $data1 0 $mask12 1 -99.9 3 out_peer1.txt
  timed /dev/null "$dir/.t_wc" wc -l $data1
  timed "$a6" "$dir/.t_prog6" "$term"
  timed /dev/null "$dir/.t_peer6" "$peer" $data6 0 $mask12 6 -99.9 3 out_peer6.txt
  timed "$a60" "$dir/.t_prog60" "$term"
  timed /dev/null "$dir/.t_peer60" "$peer" $data1 0 "$mask60" 1 -99.9 3 out_peer60.txt
  echo "$(small_runs "$term") 0" >> "$dir/.t_small"
  echo "$(small_runs "$ref_term") 0" >> "$dir/.t_ref_small"
done

# The same runs by the reference build, and on one thread: the output
# files must not differ.
check=ok
for c in 1 6 60; do
  cp "$dir/out_prog$c.txt" "$dir/fast_prog$c.txt"
  a=$dir/.answers_out_prog$c.txt
  (cd "$dir" && "$ref_term" < "$a" > /dev/null)
  cmp -s "$dir/out_prog$c.txt" "$dir/fast_prog$c.txt" || check="DIFFERENT from the reference (case $c)"
done
for t in 1 4; do
  (cd "$dir" && OMP_NUM_THREADS=$t "$term" < "$dir/.answers_out_prog1.txt" > /dev/null)
  cmp -s "$dir/out_prog1.txt" "$dir/fast_prog1.txt" || check="DIFFERENT on $t threads"
done

sec() { cut -d' ' -f1 "$dir/.t_$1" | median; }
mib() { cut -d' ' -f2 "$dir/.t_$1" | median | awk '{ printf "%.0f", $1 / 1024 }'; }
ratio() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.3f", a / b }'; }
values_mb=216  # 8999 x 500 x 12 x 4 bytes, in 10^6 bytes
echo "machine:      $(nproc) cores, $(sed -n 's/^model name\s*: //p' /proc/cpuinfo | head -1)"
echo "data:         $dir/$data1 ($(wc -l < "$dir/$data1") lines), runs per case: $runs (medians)"
printf '%-34s %8s %9s\n' case seconds "peak MiB"
for c in prog1 prog1_t1 read1 peer1 wc prog6 peer6 prog60 peer60; do
  printf '%-34s %8s %9s\n' "$c" "$(sec "$c")" "$(mib "$c")"
done
p1=$(sec prog1)
peak_mb=$(cut -d' ' -f2 "$dir/.t_prog1" | median | awk '{ printf "%.1f", $1 * 1024 / 1e6 }')
rest=$(awk -v a="$p1" -v b="$(sec read1)" 'BEGIN { print a - b }')
echo "layout 1 / peer:              $(ratio "$p1" "$(sec peer1)")   (target 0.067, one fifteenth; peer / ours $(ratio "$(sec peer1)" "$p1"))"
echo "layout 1 / wc -l:             $(ratio "$p1" "$(sec wc)")   (target 10)"
echo "one thread / two threads:     $(ratio "$(sec prog1_t1)" "$p1")   (target 1.6)"
echo "rest of the run / whole:      $(ratio "$rest" "$p1")   (target 0.2; reading alone $(sec read1) s)"
echo "peak memory / values held:    $(ratio "$peak_mb" $values_mb)   (target 1.1; $peak_mb MB of $values_mb MB)"
echo "layout 6 / peer layout 6:     $(ratio "$(sec prog6)" "$(sec peer6)")   (target 0.10)"
echo "60-month mask / 12-month:     $(ratio "$(sec prog60)" "$p1")   (target 1.3)"
echo "small run (example data):     $(sec small) ms, reference build $(sec ref_small) ms"
echo "output files against the reference build, one thread and four: $check"
if [ -x "$build/bench/window_bench" ]; then
  echo "window host against the terminal host (series list of 8,999 series):"
  QT_QPA_PLATFORM=${QT_QPA_PLATFORM:-offscreen} "$build/bench/window_bench" "$term"
fi
[ "$check" = ok ]
