#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Checks a generated manual page: man renders it without a warning, every
# shared part was put in, the page holds the words given, and every option,
# environment variable and exit status that the program's --help lists is
# on the page.
#   check_man_page.sh PAGE.1 PAGE.1.scd PROGRAM [WORD...]
set -u
page=$1 source=$2 program=$3
shift 3
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
help=$(QT_QPA_PLATFORM=offscreen "$program" --help) || { echo "$program --help failed" >&2; exit 1; }
# From --help: the options, the environment's names and the exit statuses
# (the first word of each line of those sections, up to an empty line).
listed=$(grep -oE -- '--[a-z][a-z-]*' <<< "$help" | sort -u
         awk '/^[A-Z][a-z ]*:$/ { section = $0; next }
              !NF { section = ""; next }
              section == "Environment:" { print $1 }
              section == "Exit status:" { print ($1 == "128" ? "128 + n" : $1) }' <<< "$help")
while IFS= read -r word; do
  set -- "$@" "$word"
done <<< "$listed"
for word in NAME SYNOPSIS DESCRIPTION "EXIT STATUS" "$@"; do
  if ! grep -qF -- "$word" <<< "$text"; then
    echo "$page: \"$word\" missing" >&2
    fail=1
  fi
done
exit $fail
