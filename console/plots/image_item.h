// SPDX-License-Identifier: GPL-3.0-or-later
// An image drawn as it is into the rect between two positions of a plot.
// QCPItemPixmap keeps a pixmap and scales it on the CPU before drawing it,
// so a vector file (SVG, PDF) gets the scaled copy in full colour; this item
// leaves the scaling to the painter, and the file gets the image itself in
// its own format (an image of a bit a pixel stays one).
#pragma once

#include <QImage>
#include <qcustomplot.h>

namespace arb::plots {

class ImageItem : public QCPAbstractItem {
  Q_OBJECT

 public:
  ImageItem(QCustomPlot* plot, QImage image);
  const QImage& image() const { return image_; }
  double selectTest(const QPointF& pos, bool only_selectable, QVariant* details = nullptr) const override;

  QCPItemPosition* const topLeft;
  QCPItemPosition* const bottomRight;

 protected:
  void draw(QCPPainter* painter) override;

 private:
  QRectF pixel_rect() const;

  QImage image_;
};

}  // namespace arb::plots
