#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# Makes data.txt (2 MB, too big to keep): a title line of one million
# characters, then three data lines, the second followed by a million
# characters more on its line.
set -e
m() { head -c 1000000 /dev/zero | tr '\0' "$1"; }
{
  m A; printf '\n'
  printf '1950  1.0  2.0  3.0  4.0  5.0  6.0  7.0  8.0  9.0 10.0 11.0 12.0\n'
  printf '1951  2.0  3.0  4.0  5.0  6.0  7.0  8.0  9.0 10.0 11.0 12.0 13.0'; m 9; printf '\n'
  printf '1952  3.0  4.0  5.0  6.0  7.0  8.0  9.0 10.0 11.0 12.0 13.0 14.0\n'
} > data.txt
