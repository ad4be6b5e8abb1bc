# SPDX-License-Identifier: GPL-3.0-or-later
"""plant SOURCE DEST: writes DEST, the source with one data line removed in
series 2 (a skipped year), one repeated in series 5 and the values of series
7 all set to 10.0; prints what the check must find, one line per finding.
check PLANTED CHECKS_CSV STDERR: finds each in checks.csv and in stderr."""
import csv
import sys


def series_of(lines):
    """The data file split into series: [title line, data lines...]."""
    out = []
    for l in lines:
        if not l[:4].strip().lstrip("-").isdigit():
            out.append([l])
        else:
            out[-1].append(l)
    return out


def plant(source, dest):
    series = series_of(open(source).read().splitlines())
    expect = []
    # Series 2: the 11th data line removed; the 11th line now holds the next year.
    s = series[1]
    first = int(s[1][:4])
    del s[11]
    expect.append(("year_sequence", 2, 11, first + 10, first + 11))
    # Series 5: the 21st data line written twice.
    s = series[4]
    first = int(s[1][:4])
    s.insert(21, s[21])
    expect.append(("year_sequence", 5, 22, first + 21, first + 20))
    # Series 7: every month 10.0.
    series[6][1:] = [l[:4] + "  10.0" * 12 for l in series[6][1:]]
    expect.append(("zero_sd", 7, None, None, None))
    # Line numbers in the file of the planted lines.
    numbered, n = [], 0
    for k, s in enumerate(series, 1):
        for i, l in enumerate(s):
            n += 1
            numbered.append((k, i, n))
    line_of = {(k, i): n for k, i, n in numbered}
    with open(dest, "w") as f:
        f.write("\n".join(l for s in series for l in s) + "\n")
    for kind, k, i, assigned, in_file in expect:
        line = line_of[(k, i)] if i else ""
        print(kind, k, line, assigned or "", in_file or "")


def check(planted, checks, stderr):
    rows = list(csv.DictReader(open(checks)))
    err = open(stderr).read()
    for want in open(planted).read().splitlines():
        kind, k, line, assigned, in_file = (want.split(" ") + [""] * 5)[:5]
        hit = [r for r in rows if r["kind"] == kind and r["series"] == k and r["line"] == line
               and r["year_assigned"] == assigned and r["year_in_file"] == in_file]
        assert hit, f"not found in checks.csv: {want}"
        if kind == "year_sequence":
            assert f"series {k} (" in err and f"line {line} has the year {in_file}" in err, (want, err)
    assert err.count("\n") == 2, err
    print(f"{len(rows)} findings, every planted error among them")


if __name__ == "__main__":
    {"plant": plant, "check": check}[sys.argv[1]](*sys.argv[2:])
