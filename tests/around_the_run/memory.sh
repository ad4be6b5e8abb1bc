#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Memory per record is bounded: a 1 GB line without a line end, and a line
# of tabs widened by a tab width of 1000, are read under an address-space
# limit of 64 MB above what the program has while it waits at the welcome;
# the run goes on as the lines' first columns decide.  The big file is
# sparse, made here.  Usage: memory.sh ARBORIX_TERM
source "$(dirname "$0")/lib.sh"

base=$(baseline_kib)
check "address space at the welcome measured ($base KiB)" test "$base" -gt 0
limit=$((base + 65536))

# A last line of 1 GB: a title with no data after it, so no series.  With
# the preview (H) as well, which reads the file three times more.
d=$(fresh)
{ cat "$d/in.txt"; printf 'Long title '; } > "$d/big.txt"
truncate -s +1G "$d/big.txt"
answers=${ANSWERS/in.txt/big.txt}
for variant in plain preview; do
  a=$answers
  [ $variant = preview ] && a=${answers/$'\n1\n-99.9'/$'\nH\n2\n1\n-99.9'}  # the preview's skip: the 2 header lines again
  rm -f "$d/out.txt"
  (cd "$d" && ulimit -v "$limit" && printf '%s' "$a" | timeout 60 "$PROG" > "$d/.console")
  status=$?
  check "1 GB line ($variant): status $status" test $status -eq 0
  check "1 GB line ($variant): the output of the series before it" cmp -s "$d/out.txt" "$EXPECTED_OUT"
done
check "1 GB line: the preview counts it as one record" grep -q "Number of records in the file:   11" "$d/.console"

# 100,000 tabs at a tab width of 1000: 100 million columns if widened whole.
d=$(fresh)
{ cat "$d/in.txt"; head -c 100000 /dev/zero | tr '\0' '\t'; printf '\n'; } > "$d/tabs.txt"
(cd "$d" && ulimit -v "$limit" && printf '%s' "${ANSWERS/in.txt/tabs.txt}" |
  TABSIZE=1000 timeout 60 "$PROG" > "$d/.console")
status=$?
check "a line of tabs at TABSIZE=1000: status $status" test $status -eq 0
check "a line of tabs at TABSIZE=1000: the output of the series before it" cmp -s "$d/out.txt" "$EXPECTED_OUT"
finish
