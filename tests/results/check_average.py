# SPDX-License-Identifier: GPL-3.0-or-later
"""average.csv and sample_depth.csv of an export against the output file of
the same run (twelve single months, flag -99.9) and a count of the series
behind each year made from the data file itself."""
import csv
import sys
from collections import Counter

data, output, folder = sys.argv[1:4]
FLAG = -99.9

# The data file, layout (I4,12F5.1): a title line, then a line per year.
depth = Counter()
for line in open(data):
    try:
        year = int(line[:4])
        months = [float(line[4 + 5 * m:9 + 5 * m]) for m in range(12)]
    except ValueError:
        continue  # a title line
    for m, v in enumerate(months):
        if abs(v - FLAG) > 1e-6:
            depth[(year, m)] += 1

# The year rows of the output file: after the method heading, (I5,12F8.3).
lines = open(output).read().split("\n")
start = next(i for i, l in enumerate(lines) if "AVERAGE" in l) + 1
printed = {}
for l in lines[start:]:
    if l.strip():
        printed[int(l[:5])] = [l[5 + 8 * m:13 + 8 * m] for m in range(12)]

rows = list(csv.reader(open(f"{folder}/average.csv")))
depths = list(csv.reader(open(f"{folder}/sample_depth.csv")))
names = ["JAN", "FEB", "MAR", "APR", "MAY", "JUN", "JUL", "AUG", "SEP", "OCT", "NOV", "DEC"]
assert rows[0] == ["year"] + names, rows[0]
assert depths[0] == rows[0], depths[0]
assert [int(r[0]) for r in rows[1:]] == sorted(printed), "the years differ from the output file's"
flags = 0
for row, drow in zip(rows[1:], depths[1:]):
    year = int(row[0])
    assert drow[0] == row[0]
    for m in range(12):
        text = printed[year][m]
        if float(text) == FLAG:
            assert row[1 + m] == "NA", (year, m, row[1 + m])
            flags += 1
        else:
            assert f"{float(row[1 + m]):8.3f}" == text, (year, m, row[1 + m], text)
        assert int(drow[1 + m]) == depth[(year, m)], (year, m, drow[1 + m], depth[(year, m)])
print(f"{len(rows) - 1} years checked, {flags} flag values NA")
