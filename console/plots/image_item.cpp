// SPDX-License-Identifier: GPL-3.0-or-later
#include "image_item.h"

#include <utility>

namespace arb::plots {

ImageItem::ImageItem(QCustomPlot* plot, QImage image)
    : QCPAbstractItem(plot),
      topLeft(createPosition(QStringLiteral("topLeft"))),
      bottomRight(createPosition(QStringLiteral("bottomRight"))),
      image_(std::move(image)) {}

// On whole pixels, so that a row of the image meets a row of pixels when
// the rect is as high as the image.
QRectF ImageItem::pixel_rect() const {
  return QRectF(QPointF(topLeft->pixelPosition().toPoint()), QPointF(bottomRight->pixelPosition().toPoint()))
      .normalized();
}

// A pixel of the image a block of pixels, unblended: its colours are the
// only ones, and no edge is smoothed into the next row.
void ImageItem::draw(QCPPainter* painter) {
  painter->save();
  painter->setRenderHint(QPainter::SmoothPixmapTransform, false);
  painter->setAntialiasing(false);
  painter->drawImage(pixel_rect(), image_);
  painter->restore();
}

// The plots take no clicks: nothing on them is selected.
double ImageItem::selectTest(const QPointF&, bool, QVariant*) const { return -1; }

}  // namespace arb::plots
