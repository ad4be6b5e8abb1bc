#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# Makes data.txt (about 2.4 MB, too big to keep, and big enough that the
# data file is read ahead on the team): 250 series of 150 years in layout
# 1, with a missing value now and then, a blank line, a line ended by CR
# LF and a line with a tab among them, and titles of several kinds.
set -e
awk 'BEGIN {
  for (k = 1; k <= 250; ++k) {
    if (k % 50 == 7) printf "%4d STATION WITH A NUMBER FIRST\n", k
    else printf "STATION %03d\n", k
    for (y = 1851; y <= 2000; ++y) {
      line = sprintf("%4d", y)
      for (m = 1; m <= 12; ++m) {
        v = ((k * 37 + y * 11 + m * 7) % 400 - 200) / 10
        if ((k + y + m) % 97 == 0) v = -99.9
        line = line sprintf("%5.1f", v)
      }
      if (k == 100 && y == 1900) line = line "\r"
      if (k == 120 && y == 1950) sub(/^1950/, "1950\t", line)
      print line
      if (k == 60 && y == 1870) print ""
    }
  }
}' > data.txt
