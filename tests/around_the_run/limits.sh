#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Limits and settings: the file-size limit gives the "System Error:" report
# (SIGXFSZ is ignored); UMASK gives permission bits only; OpenMP settings
# the machine cannot meet run the parallel loops on fewer threads with the
# same results, never a crash or status 1.  Usage: limits.sh ARBORIX_TERM
source "$(dirname "$0")/lib.sh"

# UMASK: a created file gets its permission bits only.
for mask in 7777:777 4755:755 640:640; do
  d=$(fresh)
  (cd "$d" && printf '%s' "${ANSWERS/out.txt/new.txt}" | UMASK=${mask%%:*} timeout 60 "$PROG" > "$d/.console")
  check "UMASK=${mask%%:*}: created with ${mask##*:}" test "$(stat -c %a "$d/new.txt")" = "${mask##*:}"
done

# Two series of 350 and 300 years under a 60-month mask: the second is moved
# by 50 years over 60 variables, a loop run on a team of threads.
d=$(fresh)
awk 'BEGIN { for (s = 0; s < 2; s++) { print "Series " s + 1
       for (y = 1600 + 50 * s; y < 1950; y++) { printf "%4d", y
         for (m = 1; m <= 12; m++) printf "%5.1f", (y * 7 + m * 3 + s) % 200 / 10.0
         printf "\n" } } }' > "$d/long.txt"
mask=$(printf '1%.0s' $(seq 60))
answers=$'\nlong.txt\n0\nlong.out\n'$mask$'\n1\n-99.9\n\n3\n\n'
(cd "$d" && printf '%s' "$answers" | timeout 60 "$PROG" > "$d/ref.console")
check "60 variables, default OpenMP settings: status $?" test $? -eq 0
mv "$d/long.out" "$d/ref.out"
# The file-size limit (1 KiB) below the output file's size; the console
# goes through a pipe, which the limit does not concern.
(cd "$d" && ulimit -f 1 && printf '%s' "$answers" | timeout 60 "$PROG") | cat > "$d/.console"
status=${PIPESTATUS[0]}
check "file-size limit: status $status (the report)" test $status -eq 255
check "file-size limit: the System Error report" \
  test "$(tail -3 "$d/.console")" = $'? System Error:\n? File too large\n? WRITE(UNIT=16,...'

settings=("OMP_NUM_THREADS=100000" "OMP_STACKSIZE=100G" "OMP_NUM_THREADS=100000 OMP_STACKSIZE=64G"
          "GOMP_STACKSIZE=abc")
# No address-space limit under AddressSanitizer (ARB_SANITIZED, set by the
# build): its shadow memory needs terabytes of it.
if [ -z "${ARB_SANITIZED:-}" ]; then
  base=$(baseline_kib)
  settings+=("limit OMP_STACKSIZE=1G")
fi
for setting in "${settings[@]}"; do
  limit=unlimited
  if [ "${setting%% *}" = limit ]; then  # a stack the address-space limit cannot hold
    setting=${setting#limit }
    limit=$((base + 262144))
  fi
  (cd "$d" && ulimit -v "$limit" && printf '%s' "$answers" |
    env $setting timeout 60 "$PROG" > "$d/.console" 2> "$d/.stderr")
  status=$?
  check "$setting (address space $limit): status $status" test $status -eq 0
  check "$setting: the same output file" cmp -s "$d/long.out" "$d/ref.out"
  check "$setting: the same console" cmp -s "$d/.console" "$d/ref.console"
done
finish
