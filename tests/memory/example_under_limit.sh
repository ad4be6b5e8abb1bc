#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The example run under an address-space limit of 300,000 kB gives the same
# console text, output file and status as without a limit.
#
#   example_under_limit.sh PROGRAM EXAMPLES_DIR
set -u
prog=$(realpath "$1")
examples=$(realpath "$2")
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
mkdir "$scratch/free" "$scratch/limited"
# No display: a window build runs the same dialogue on the terminal.
run() { env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM timeout 60 "$examples/run_example.sh" "$prog" > /dev/null 2>&1; }
(cd "$scratch/free" && run)
free_status=$?
(cd "$scratch/limited" && ulimit -v 300000 && run)
limited_status=$?
fail=0
if [ "$free_status" != 0 ] || [ "$limited_status" != 0 ]; then
  echo "exit status $limited_status under the limit, $free_status without (expected 0)"
  fail=1
fi
for f in ukmo_tmax_console.txt ukmo_tmax_average.txt; do
  if ! cmp -s "$scratch/free/out/example/$f" "$scratch/limited/out/example/$f"; then
    echo "$f differs under the limit (without vs with):"
    diff "$scratch/free/out/example/$f" "$scratch/limited/out/example/$f" | head -20
    fail=1
  fi
done
[ -s "$scratch/free/out/example/ukmo_tmax_average.txt" ] || { echo "no output file"; fail=1; }
exit $fail
