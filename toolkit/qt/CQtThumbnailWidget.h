#pragma once

#include <QWidget>

#include "toolkit/controls/CThumbnail.h"

// Draws the mapping picture: each rectangle scaled into the control and
// outlined in its colour-table colour. A corner of the draggable rectangle
// follows the mouse while the button is held; letting go reports the change.
class CQtThumbnailWidget : public QWidget {
 public:
  CQtThumbnailWidget(CThumbnail& thumbnail, QWidget* parent);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  CThumbnail& m_thumbnail;
  ThumbnailCorner m_held = ThumbnailCorner::kNone;
};
