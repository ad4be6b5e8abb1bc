#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# arborix-import on bad input: each case its exit status, a message naming
# the file and line, and no output file left behind (an existing one kept).
#   bad_input.sh path/to/arborix-import stations-folder
set -u
prog=$1
stations=$(cd "$2" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"
v4=$stations/ghcnm_v4/ACW00011604_tavg_1961-1980.qcu_excerpt.dat
inv=$stations/ghcnm_v4/ghcnm.tavg.v4.0.1.20200118.qcu.inv.excerpt
: > empty.txt
printf 'ABC\000\001\002\003' > binary.dat
head -3 "$v4" > short.dat; printf 'ACW000116041964TAVG  12\n' >> short.dat
{ head -3 "$v4"; sed -n 2p "$v4"; } > twice.dat
{ sed -n 5p "$v4"; head -3 "$v4"; } > unordered.dat
sed 's/^ACW00011604/ZZZ00000001/' "$v4" > unlisted.dat
printf 'x\n' > keep.txt
fail=0
# status, message pattern, arguments
check() {
  local want=$1 pattern=$2
  shift 2
  "$prog" "$@" > out.log 2> err.log
  local got=$?
  if [ "$got" != "$want" ] || ! grep -qE -- "$pattern" err.log out.log; then
    echo "arborix-import $*: status $got (expected $want)"; cat err.log; fail=1
  fi
}
check 2 "unknown option --frobnicate" --frobnicate "$v4" -o out.txt
check 2 "no output file" "$v4"
check 2 "bad value for --box" "$v4" --box 1,2,3 -o out.txt
check 3 "empty.txt: empty file" empty.txt -o out.txt
check 3 "binary.dat: a binary file" binary.dat -o out.txt
check 3 "missing.dat: No such file" missing.dat -o out.txt
check 3 "short.dat:4: a GHCN-Monthly line" short.dat -o out.txt
check 3 "twice.dat:4: station ACW00011604 has 1962 twice \(lines 2 and 4\)" twice.dat -o out.txt
check 3 "keep.txt: not a station file" keep.txt -o out.txt
check 4 "keeps no station" "$v4" --inventory "$inv" --box 0,10,0,10 -o out.txt
check 4 "keeps no station with a value in 30 years" "$v4" --min-years 30 -o out.txt
[ -e out.txt ] && { echo "out.txt written by a failed import"; fail=1; }
check 3 "No such file" "$v4" -o missing-folder/out.txt
check 0 "years out of order, sorted" unordered.dat -o out.txt
check 0 "1 not in the inventory" unlisted.dat "$v4" --inventory "$inv" -o out.txt
# What was kept without coordinates, and nothing else beside the outputs.
grep -q '^1,ZZZ00000001,,,,,ZZ,' out.txt.stations.csv || { echo "unlisted station row"; fail=1; }
[ "$(ls | grep -c 'out.txt.*[A-Za-z0-9]\{6\}$')" = 0 ] || { echo "temporary files left"; fail=1; }
cmp -s keep.txt <(printf 'x\n') || { echo "keep.txt changed"; fail=1; }
exit $fail
