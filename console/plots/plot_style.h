// SPDX-License-Identifier: GPL-3.0-or-later
// The look the plots share: the window's font on every axis, and the
// common interval as a band behind the data.
#pragma once

#include <QFont>

class QCustomPlot;

namespace arb::plots {

void use_font(QCustomPlot& plot, const QFont& font);

// A band from the start to the end year (inclusive) over the whole height,
// on the x axis when years run across, else on the y axis' keys.
void common_band(QCustomPlot& plot, int start, int end, bool years_across);

}  // namespace arb::plots
