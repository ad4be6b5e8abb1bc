// SPDX-License-Identifier: GPL-3.0-or-later
// An opaque image as an 8-bit RGB PNG file, written for speed: zlib's
// fastest level and no filter.  Qt's writer lets the level be chosen but
// not the filters, and libpng's choice of a filter for each row was half of
// the time of a large coverage plot; without it the file is also smaller.
#pragma once

class QImage;
class QString;

namespace arb::plots {

// False when the file cannot be written.
bool write_png(const QImage& image, const QString& path);

}  // namespace arb::plots
