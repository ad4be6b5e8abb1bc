// SPDX-License-Identifier: GPL-3.0-or-later
// The look the plots share: the window's font on every axis, and the
// common interval as a band behind the data.
#pragma once

#include <QFont>

class QCustomPlot;

namespace arb::plots {

// The font on every axis and the legend; the years on the x axis spaced so
// that their labels never overlap, whatever the font and width.
void use_font(QCustomPlot& plot, const QFont& font);

// The legend in a row of its own below the plot, so that it neither covers
// the data nor is clipped by it.
void legend_below(QCustomPlot& plot);

// A band from the start to the end year (inclusive) over the whole height,
// on the x axis when years run across (its label above the plot), else on
// the y axis' keys.
void common_band(QCustomPlot& plot, int start, int end, bool years_across);

}  // namespace arb::plots
