# SPDX-License-Identifier: GPL-3.0-or-later
# Shared by the scripts of this folder: a scratch copy of a golden scenario's
# files, checks that count failures, and the run of the program.
set -u
HERE=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
SCENARIO=$HERE/../golden/two_series_method2
PROG=$(realpath "$1")
failures=0
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
unset VELMOR_RT_FLAGS TABSIZE UMASK

check() {  # check DESCRIPTION COMMAND...
  local what=$1
  shift
  if "$@"; then echo "ok   $what"; else echo "FAIL $what"; failures=$((failures + 1)); fi
}

# A fresh folder holding the scenario's input files; prints its path.
fresh() {
  local d
  d=$(mktemp -d "$scratch/run.XXXX")
  cp -a "$SCENARIO/input/." "$d/"
  echo "$d"
}

# run DIR ANSWERS [REDIRECTIONS...]: the program in DIR, answers piped in,
# the console in DIR/.console; sets $status.
run() {
  local d=$1 answers=$2
  shift 2
  (cd "$d" && printf '%b' "$answers" | timeout 60 "$PROG" > "$d/.console" "$@")
  status=$?
}

ANSWERS=$(cat "$SCENARIO/answers.txt"; echo x)
ANSWERS=${ANSWERS%x}
EXPECTED_OUT=$SCENARIO/expected/out.txt

finish() {
  echo "$failures failure(s)"
  [ "$failures" -eq 0 ]
}

# The program's address space (KiB) while it waits at the welcome: the
# base for limits that leave it a known margin.
baseline_kib() {
  local d pid size
  d=$(mktemp -d "$scratch/base.XXXX")
  mkfifo "$d/in"
  exec 7<>"$d/in"  # a writer that never writes: the program waits
  (cd "$d" && exec "$PROG" < "$d/in" > "$d/.console") &
  pid=$!
  for _ in $(seq 1000); do
    grep -q "Good luck" "$d/.console" 2>/dev/null && break
    sleep 0.02
  done
  size=$(awk '/^VmSize:/ {print $2}' "/proc/$pid/status" 2>/dev/null)
  kill "$pid" 2>/dev/null
  wait "$pid" 2>/dev/null
  exec 7>&-
  echo "${size:-0}"
}
