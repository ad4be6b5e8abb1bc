#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Every golden scenario again with the data file read on a team of the
# given number of threads (OMP_NUM_THREADS): the same bytes as ever.
#
#   run_scenarios_on_team.sh ARBORIX_TERM THREADS
set -u
prog=$1
threads=$2
here=$(cd "$(dirname "$0")" && pwd)
failed=0
for dir in "$here"/golden/*/; do
  [ -f "$dir/answers.txt" ] || continue
  if ! out=$(OMP_NUM_THREADS=$threads "$here/run_scenario.sh" "$prog" "${dir%/}" 2>&1); then
    echo "$(basename "$dir") on $threads thread(s):"
    echo "$out"
    failed=1
  fi
done
exit $failed
