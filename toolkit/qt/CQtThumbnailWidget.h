#pragma once

#include <QWidget>

class CThumbnail;

// Draws the mapping picture: each rectangle scaled into the control and
// outlined in its colour-table colour.
class CQtThumbnailWidget : public QWidget {
 public:
  CQtThumbnailWidget(CThumbnail& thumbnail, QWidget* parent);

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  CThumbnail& m_thumbnail;
};
