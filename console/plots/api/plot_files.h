// SPDX-License-Identifier: GPL-3.0-or-later
// Plots as files (PNG, SVG, PDF) and on paper.
#pragma once

#include <QString>
#include <optional>
#include <string>

#include "plot_data.h"

class QCustomPlot;
class QFont;
class QPrinter;

namespace arb::plots {

enum class PlotFormat { png, svg, pdf };

// The format a file name asks for by its suffix (any case).
std::optional<PlotFormat> format_of(const QString& path);

// Writes the plot at the size, whole: to a temporary name, then renamed.
// The failure's message, if any.
std::optional<std::string> save_plot(QCustomPlot& plot, const QString& path, PlotFormat format, int width,
                                     int height);

// One page: the plot scaled to the printer's page.
void print_plot(QCustomPlot& plot, QPrinter& printer);

// average.svg, average.png (the first variable), coverage.svg and
// coverage.png in the folder.
std::optional<std::string> write_plot_files(const RecordData& record, const CoverageData& coverage,
                                            const QString& dir, const QFont& font);

}  // namespace arb::plots
