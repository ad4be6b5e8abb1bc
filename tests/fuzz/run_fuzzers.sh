#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Runs the fuzz targets, each for the given number of seconds, and reports
# per target its executions, coverage (libFuzzer's cov: and ft:) and
# findings.  Exits non-zero when any target finds something.
#
#   tests/fuzz/run_fuzzers.sh SECONDS [-j N] [TARGET...]
#
# TARGET is format, read, list, write, dialogue, import or csv (default: all, in that
# order); -j N runs N targets at a time (each one process).  Builds
# build-fuzz/ with clang-14 first if needed.  New inputs go to
# build-fuzz/fuzz/corpus/<target>/ (the seeds in tests/fuzz/corpus/ are
# only read), findings to build-fuzz/fuzz/findings/<target>/, the log to
# build-fuzz/fuzz/<target>.log; each run clears the target's findings
# first.  A finding is kept by copying it into the target's seed corpus,
# where every later run executes it first.
set -uo pipefail
cd "$(dirname "$0")/../.."
root=$PWD
secs=${1:?usage: run_fuzzers.sh SECONDS [-j N] [TARGET...]}
shift
jobs=1
if [ "${1:-}" = "-j" ]; then jobs=$2; shift 2; fi
targets=("$@")
[ ${#targets[@]} -eq 0 ] && targets=(format read list write dialogue import csv)

build=$root/build-fuzz
if [ ! -f "$build/build.ninja" ]; then
  CC=clang-14 CXX=clang++-14 cmake -G Ninja -S . -B "$build" -DARBORIX_WERROR=ON -DARBORIX_SANITIZE=ON \
    -DARBORIX_WINDOW=OFF -DARBORIX_FUZZ=ON -DCMAKE_BUILD_TYPE=RelWithDebInfo > /dev/null || exit 2
fi
cmake --build "$build" -j2 --target fuzzers > "$build/fuzz-build.log" 2>&1 || { tail -30 "$build/fuzz-build.log"; exit 2; }

out=$build/fuzz
mkdir -p "$out"

run_one() {
  local t=$1 work=$out/corpus/$1 found=$out/findings/$1/
  rm -rf "$found"  # the findings of this run only
  mkdir -p "$work" "$found"
  ASAN_OPTIONS=detect_leaks=1:abort_on_error=0 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
    "$build/tests/fuzz/fuzz_$t" "$work" "$root/tests/fuzz/corpus/$t" -max_total_time="$secs" \
    -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 -artifact_prefix="$found" \
    > "$out/$t.log" 2>&1
  echo $? > "$out/$t.rc"
}

running=0
for t in "${targets[@]}"; do
  run_one "$t" &
  running=$((running + 1))
  if [ "$running" -ge "$jobs" ]; then wait -n; running=$((running - 1)); fi
done
wait

status=0
printf '%-9s %12s %8s %8s %8s %s\n' target executions cov ft seconds findings
for t in "${targets[@]}"; do
  log=$out/$t.log
  execs=$(grep -o 'stat::number_of_executed_units: *[0-9]*' "$log" | grep -o '[0-9]*$' | tail -1)
  last=$(grep -E '^#[0-9]+' "$log" | tail -1)
  cov=$(grep -o 'cov: [0-9]*' <<< "$last" | grep -o '[0-9]*')
  ft=$(grep -o 'ft: [0-9]*' <<< "$last" | grep -o '[0-9]*')
  took=$(grep -o 'Done [0-9]* runs in [0-9]* second' "$log" | grep -o 'in [0-9]*' | grep -o '[0-9]*' | tail -1)
  findings=$(find "$out/findings/$t" -type f | wc -l)
  rc=$(cat "$out/$t.rc")
  [ "$findings" -gt 0 ] || [ "$rc" -ne 0 ] && status=1
  printf '%-9s %12s %8s %8s %8s %s\n' "$t" "${execs:-?}" "${cov:-?}" "${ft:-?}" "${took:-?}" \
    "$findings$( [ "$rc" -ne 0 ] && echo " (exit $rc, see $log)")"
done
exit $status
