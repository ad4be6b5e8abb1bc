// SPDX-License-Identifier: GPL-3.0-or-later
// A data file of many short series and the answers of a whole run over it,
// for the window's long-transcript test and its benchmark: each series
// writes a line of the series list, so the transcript grows with them.
#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>
#include <QStringList>

namespace arb::win::testing {

// Welcome, data file, header lines, output file, mask, layout, missing
// value, coverage, method, final pause.
inline const QStringList kManySeriesAnswers = {"", "in.txt", "0", "out.txt", "111111111111",
                                               "1", "-99.9", "", "1", ""};

// "Station n synthetic" and two years of twelve values, under I4/12F5.1.
inline bool write_many_series(const QString& path, int series) {
  QFile f(path);
  if (!f.open(QIODevice::WriteOnly)) return false;
  QByteArray text;
  for (int s = 1; s <= series; ++s) {
    text += QByteArray("Station ") + QByteArray::number(s) + " synthetic\n";
    for (int year = 1990; year < 1992; ++year) {
      text += QByteArray::number(year).rightJustified(5);
      for (int m = 0; m < 12; ++m) text += QByteArray::number((s + m + year) % 300 / 10.0, 'f', 1).rightJustified(5);
      text += '\n';
    }
  }
  return f.write(text) == text.size();
}

}  // namespace arb::win::testing
