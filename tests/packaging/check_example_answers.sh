#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The ready answers files of examples/ run the example data from a folder
# that holds only the data and the answers, as a user of the package does,
# and give the same output file as examples/run_example.sh.
#   check_example_answers.sh ARBORIX_TERM EXAMPLES_DIR SCRATCH_DIR
set -u
prog=$1 examples=$2 scratch=$3
rm -rf "$scratch"
mkdir -p "$scratch/answers" "$scratch/script"
cp "$examples"/*_layout1.txt "$examples"/answers*.txt "$scratch/answers/"
fail=0
for case in "answers.txt ukmo_tmax_average.txt" "answers_cet.txt cet_mean_average.txt cet"; do
  set -- $case
  answers=$1 out=$2 which=${3:-}
  status=0
  (cd "$scratch/answers" && timeout 60 "$prog" < "$answers" > "${answers%.txt}_console.txt") || status=$?
  if [ $status -ne 0 ] || [ ! -s "$scratch/answers/$out" ]; then
    echo "$answers: status $status, output file $out missing or empty" >&2
    fail=1
    continue
  fi
  (cd "$scratch/script" && timeout 60 "$examples/run_example.sh" "$prog" $which > /dev/null) || fail=1
  if ! cmp "$scratch/answers/$out" "$scratch/script/out/example/$out"; then
    echo "$answers: the output file differs from run_example.sh's" >&2
    fail=1
  fi
done
exit $fail
