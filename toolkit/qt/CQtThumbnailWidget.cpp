#include "toolkit/qt/CQtThumbnailWidget.h"

#include <QPainter>

#include "toolkit/controls/CThumbnail.h"
#include "toolkit/qt/CQtPicture.h"

CQtThumbnailWidget::CQtThumbnailWidget(CThumbnail& thumbnail, QWidget* parent)
    : QWidget(parent), m_thumbnail(thumbnail) {}

void CQtThumbnailWidget::paintEvent(QPaintEvent*) {
  // Signals are blocked once the widget no longer shows its object.
  if (signalsBlocked()) return;
  QPainter painter(this);
  painter.fillRect(rect(), palette().color(QPalette::Base));
  for (const StThumbnailRect& r : m_thumbnail.Rectangles()) {
    const ZafRegion scaled = m_thumbnail.Scaled(r.area);
    const QColor colour = CQtPicture::Colour(r.colour);
    painter.setPen(colour.isValid() ? colour : palette().color(QPalette::Text));
    painter.drawRect(scaled.left, scaled.top, scaled.Width() - 1, scaled.Height() - 1);
  }
  painter.setPen(palette().color(QPalette::Mid));
  painter.drawRect(rect().adjusted(0, 0, -1, -1));
}
