// SPDX-License-Identifier: GPL-3.0-or-later
#include "png_file.h"

#include <QFile>
#include <QImage>
#include <QString>
#include <bit>
#include <csetjmp>
#include <cstdio>
#include <png.h>

namespace arb::plots {

namespace {

// The rows of an RGB32 image (0xffRRGGBB words).  libpng's errors jump back
// to the setjmp: nothing with a destructor lives in this function.
bool write_rows(std::FILE* file, const QImage& image) {
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png ? png_create_info_struct(png) : nullptr;
  if (!info) {
    png_destroy_write_struct(&png, nullptr);
    return false;
  }
  if (setjmp(png_jmpbuf(png))) {
    png_destroy_write_struct(&png, &info);
    return false;
  }
  png_init_io(png, file);
  png_set_IHDR(png, info, static_cast<png_uint_32>(image.width()), static_cast<png_uint_32>(image.height()), 8,
               PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  png_set_filter(png, PNG_FILTER_TYPE_BASE, PNG_FILTER_NONE);
  png_set_compression_level(png, 1);
  png_write_info(png, info);
  if constexpr (std::endian::native == std::endian::little) {
    png_set_filler(png, 0, PNG_FILLER_AFTER);  // the bytes B, G, R, 0xff
    png_set_bgr(png);
  } else {
    png_set_filler(png, 0, PNG_FILLER_BEFORE);  // 0xff, R, G, B
  }
  for (int y = 0; y < image.height(); ++y) png_write_row(png, image.constScanLine(y));
  png_write_end(png, info);
  png_destroy_write_struct(&png, &info);
  return true;
}

}  // namespace

bool write_png(const QImage& image, const QString& path) {
  std::FILE* file = std::fopen(QFile::encodeName(path).constData(), "wb");
  if (!file) return false;
  const bool written = write_rows(file, image.convertToFormat(QImage::Format_RGB32));
  return std::fclose(file) == 0 && written;
}

}  // namespace arb::plots
