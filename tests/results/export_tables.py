# SPDX-License-Identifier: GPL-3.0-or-later
"""The tables of an export folder as {(variable, year, series): text}, series
None for the averaged record (NAME_average) and the sample depth
(NAME_sample_depth).  series.csv is read in long form (series,title,year,
variable,value) or wide (series,year,<a column per variable>)."""
import csv
import os


def year_table(path, suffix):
    values = {}
    with open(path, newline="") as f:
        for row in csv.DictReader(f):
            year = int(row.pop("year"))
            for name, text in row.items():
                values[(name + suffix, year, None)] = text
    return values


def series_table(path):
    values = {}
    with open(path, newline="") as f:
        rows = csv.DictReader(f)
        long_form = "variable" in rows.fieldnames
        for row in rows:
            key = (int(row["series"]), int(row["year"]))
            if long_form:
                values[(row["variable"], key[1], key[0])] = row["value"]
                continue
            for name in rows.fieldnames[2:]:
                values[(name, key[1], key[0])] = row[name]
    return values


def export_values(folder):
    values = year_table(os.path.join(folder, "average.csv"), "_average")
    values.update(year_table(os.path.join(folder, "sample_depth.csv"), "_sample_depth"))
    values.update(series_table(os.path.join(folder, "series.csv")))
    return values
