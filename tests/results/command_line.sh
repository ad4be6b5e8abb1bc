#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# --help, --version, a word the program does not know, and an export folder
# that cannot be written, on one program.
#   command_line.sh path/to/program name examples-folder
set -u
prog=$1
name=$2
examples=$3
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"
fail=0
expect() {  # expect WHAT WANTED ACTUAL
  if [ "$2" != "$3" ]; then
    printf '%s: expected\n%s\ngot\n%s\n' "$1" "$2" "$3"
    fail=1
  fi
}
run() { timeout 20 "$prog" "$@" < /dev/null > out 2> err; echo $?; }

expect "--help status" 0 "$(run --help)"
usage="Usage: $name [--export DIR] [--record FILE]"
[ "$name" = arborix ] && usage="$usage [--reset-settings]"  # only the window remembers settings
expect "--help first line" "$usage" "$(head -1 out)"
grep -q "$name(1)" out || { echo "--help names no manual page"; fail=1; }
expect "--help stderr" "" "$(cat err)"
expect "--version status" 0 "$(run --version)"
expect "--version" "$name 1.0.0" "$(cat out)"
words="--foo -x extra"
[ "$name" = arborix-term ] && words="$words --reset-settings"
for word in $words; do
  expect "$word status" 2 "$(run "$word")"
  expect "$word stdout" "" "$(cat out)"
  expect "$word stderr lines" 2 "$(wc -l < err)"
  expect "$word hint" "Try '$name --help' for more information." "$(tail -1 err)"
  [ "$word" = --foo ] && expect "--foo message" "$name: unrecognized option '--foo'" "$(head -1 err)"
done

# An export folder under a plain file: status 3 with the system's text, the
# output file as without --export.  Without a display, so that the window
# program runs the dialogue on the terminal.
unset DISPLAY WAYLAND_DISPLAY QT_QPA_PLATFORM
cp "$examples/cet_mean_layout1.txt" data.txt
answers() { printf '%s\n' "" data.txt 0 "$1" 111111111111 1 -99.9 n 2 ""; }
answers plain.txt | timeout 60 "$prog" > /dev/null 2>&1
touch blocker
answers out.txt | timeout 60 "$prog" --export blocker/exp > console 2> err
expect "export failure status" 3 "$?"
grep -q "^$name: cannot write the export: blocker.*Not a directory$" err || { echo "stderr: $(cat err)"; fail=1; }
cmp plain.txt out.txt || fail=1

# A bail-out at the welcome: no record, no folder, a note on standard error.
printf '/\n' | timeout 20 "$prog" --export never > /dev/null 2> err
expect "bail-out status" 0 "$?"
[ ! -e never ] || { echo "a folder for a run without a record"; fail=1; }
grep -q "nothing exported to never" err || { echo "bail-out stderr: $(cat err)"; fail=1; }
exit $fail
