#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Runs one golden scenario: arborix-term in a scratch copy of the scenario's
# files with the typed answers piped in; compares the console text, every
# expected file and the exit status byte for byte.
#
# A scenario folder holds:
#   answers.txt   the typed answers, one per line
#   console.txt   the expected standard output (the text the window would show)
#   input/        files present in the working folder before the run (optional);
#                 an input/make.sh is run there first and then removed, to make
#                 files too big to keep (it must write the same bytes every time)
#   expected/     files the run must leave in the working folder (optional)
#   status        the expected exit status (optional, default 0)
#   env           lines NAME=VALUE set for the run (optional)
set -u
prog=$1
dir=$2
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
[ -d "$dir/input" ] && cp -a "$dir/input/." "$scratch/"
if [ -f "$scratch/make.sh" ]; then
  (cd "$scratch" && sh ./make.sh) || { echo "input/make.sh failed"; exit 1; }
  rm -f "$scratch/make.sh"
fi
want_status=0
[ -f "$dir/status" ] && want_status=$(tr -d ' \n' < "$dir/status")
envs=()
if [ -f "$dir/env" ]; then
  while IFS= read -r line || [ -n "$line" ]; do
    [ -n "$line" ] && envs+=("$line")
  done < "$dir/env"
fi
(cd "$scratch" && env -u VELMOR_RT_FLAGS -u TABSIZE -u UMASK "${envs[@]}" \
  timeout 60 "$prog" < "$dir/answers.txt" > "$scratch/.console" 2> "$scratch/.stderr")
status=$?
fail=0
if ! cmp -s "$scratch/.console" "$dir/console.txt"; then
  echo "console text differs (expected vs actual):"
  diff "$dir/console.txt" "$scratch/.console" | head -40
  fail=1
fi
if [ -d "$dir/expected" ]; then
  while IFS= read -r -d '' f; do
    rel=${f#"$dir/expected/"}
    if [ ! -f "$scratch/$rel" ]; then
      echo "missing file: $rel"; fail=1
    elif ! cmp -s "$f" "$scratch/$rel"; then
      echo "file $rel differs (expected vs actual):"
      diff "$f" "$scratch/$rel" | head -40
      fail=1
    fi
  done < <(find "$dir/expected" -type f -print0)
fi
if [ "$status" != "$want_status" ]; then
  echo "exit status $status, expected $want_status"
  [ -s "$scratch/.stderr" ] && head -20 "$scratch/.stderr"
  fail=1
fi
exit $fail
