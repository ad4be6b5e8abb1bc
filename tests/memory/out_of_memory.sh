#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# A run whose data need more memory than the address-space limit leaves
# ends with one line saying so on the console and exit status 1: no signal,
# nothing on standard error, and the output file as it was.
#
#   out_of_memory.sh PROGRAM
set -u
prog=$(realpath "$1")
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
cd "$scratch"
# 1,000 series of five calendar years under a 60-month mask: 60 variables,
# 120,000 bytes of values per series, 120 MB in all against a limit of 80 MB.
awk 'BEGIN {
  for (k = 1; k <= 1000; ++k) {
    printf "S%d\n", k
    for (y = 1901; y <= 1905; ++y) {
      printf "%4d", y
      for (m = 1; m <= 12; ++m) printf "%5.1f", m
      printf "\n"
    }
  }
}' > data.txt
echo OLD > out.txt
mask=$(printf '1%.0s' $(seq 60))
printf '\ndata.txt\n0\nout.txt\n%s\n1\n-99.9\nn\n1\n\n' "$mask" > answers.txt
(ulimit -v 80000 && exec timeout 60 "$prog" < answers.txt > console.txt 2> stderr.txt)
status=$?
fail=0
if [ "$status" != 1 ]; then
  echo "exit status $status, expected 1"
  fail=1
fi
last=$(grep -v '^ *$' console.txt | tail -1)
if ! [[ "$last" =~ ^"    *** OUT OF MEMORY! NO ROOM FOR THE VALUES OF SERIES "[0-9]+"! ***"$ ]]; then
  echo "last console line: $last"
  fail=1
fi
# It ran out part way: some series were held before.
n=${last//[!0-9]/}
if [ -z "$n" ] || [ "$n" -le 1 ] || [ "$n" -ge 1000 ]; then
  echo "ran out at series ${n:-none}, expected between 1 and 1000"
  fail=1
fi
[ -s stderr.txt ] && { echo "standard error:"; head -5 stderr.txt; fail=1; }
[ "$(cat out.txt)" = OLD ] || { echo "the output file was changed"; fail=1; }
exit $fail
