#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# A skipped year, a repeated year and a constant series planted in the
# example data: each found in checks.csv with its series, line and years,
# and the terminal's standard error names the two series out of sequence.
#   planted_errors.sh path/to/arborix-term examples-folder
set -eu
. "$(dirname "$0")/export_setup.sh"
python3 "$here/plant_errors.py" plant "$examples/ukmo_tmax_layout1.txt" data.txt > planted.txt
answers out.txt |
  timeout 60 "$prog" --export exp > console.txt 2> stderr.txt
python3 "$here/plant_errors.py" check planted.txt exp/checks.csv stderr.txt
