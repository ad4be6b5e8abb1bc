#!/usr/bin/env bash
# Checks a generated manual page: man renders it without a warning, every
# shared part was put in, and the options, environment and statuses that
# --help lists are all there.
#   check_man_page.sh PAGE.1 PAGE.1.scd
set -u
page=$1 source=$2
if ! command -v man > /dev/null; then
  echo "man not found (the package man-db)" >&2
  exit 1
fi
fail=0
warnings=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -l "$page" 2>&1 > /dev/null)
if [ -n "$warnings" ]; then
  printf '%s\n' "$warnings"
  echo "man --warnings reported the above for $page" >&2
  fail=1
fi
if grep -nE '@[A-Z_]+@' "$source"; then
  echo "$source: a part was not put in" >&2
  fail=1
fi
text=$(LC_ALL=C.UTF-8 MANWIDTH=200 man -l "$page" 2> /dev/null)
for word in NAME SYNOPSIS DESCRIPTION OPTIONS --help --version --export "THE DIALOGUE" "THE CLIMATE MASK" \
            "THE OUTPUT FILE" "NAMES BEGINNING WITH /" VELMOR_RT_FLAGS TABSIZE UMASK "EXIT STATUS" 255 \
            "128 + n" EXAMPLES "< answers.txt"; do
  if ! grep -qF -- "$word" <<< "$text"; then
    echo "$page: \"$word\" missing" >&2
    fail=1
  fi
done
exit $fail
