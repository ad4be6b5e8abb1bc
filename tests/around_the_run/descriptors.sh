#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Standard descriptors: one that is closed at the start is opened on
# /dev/null, so no file the program opens takes its place; standard output
# that cannot be written ends the run as SIGPIPE does (status 141).  (A
# closed pipe on standard output is in signals.py.)  Usage: descriptors.sh ARBORIX_TERM
source "$(dirname "$0")/lib.sh"

# run_with CASE: the whole scenario with standard input, output or error
# closed, or output on a full device; sets $d and $status.
run_with() {
  d=$(fresh)
  cp "$d/in.txt" "$d/in.orig"
  case $1 in
    stdout) (cd "$d" && printf '%s' "$ANSWERS" | timeout 60 "$PROG" >&-) ;;
    stderr) (cd "$d" && printf '%s' "$ANSWERS" | timeout 60 "$PROG" > "$d/.console" 2>&-) ;;
    stdin) (cd "$d" && timeout 60 "$PROG" <&- > "$d/.console") ;;
    full) (cd "$d" && printf '%s' "$ANSWERS" | timeout 60 "$PROG" > /dev/full) ;;
  esac
  status=$?
  check "$1 ($status): the data file untouched" cmp -s "$d/in.txt" "$d/in.orig"
}

for closed in stdout stderr; do
  run_with $closed
  check "$closed closed: status $status" test $status -eq 0
  check "$closed closed: the output file as with it open" cmp -s "$d/out.txt" "$EXPECTED_OUT"
done

# Console input at its end at once: the report, as for any ended console input.
run_with stdin
check "stdin closed: status $status (the report)" test $status -eq 255
check "stdin closed: the report for the end of console input" grep -q "Attempt to read past end of file" "$d/.console"

# Standard output on a full device: nothing can be shown, the run ends.
if [ -w /dev/full ]; then
  input_out=$(cat "$SCENARIO/input/out.txt")
  run_with full
  check "stdout on a full device: status $status" test $status -eq 141
  check "stdout on a full device: the output file as it was" test "$(cat "$d/out.txt")" = "$input_out"
fi
finish
