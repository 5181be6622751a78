#include "toolkit/qt/CQtThumbnailWidget.h"

#include <QMouseEvent>
#include <QPainter>

#include "toolkit/qt/CQtPicture.h"

CQtThumbnailWidget::CQtThumbnailWidget(CThumbnail& thumbnail, QWidget* parent)
    : QWidget(parent), m_thumbnail(thumbnail) {}

void CQtThumbnailWidget::paintEvent(QPaintEvent*) {
  // Signals are blocked once the widget no longer shows its object.
  if (signalsBlocked()) return;
  QPainter painter(this);
  painter.fillRect(rect(), palette().color(QPalette::Base));
  const auto& rectangles = m_thumbnail.Rectangles();
  for (std::size_t i = 0; i < rectangles.size(); ++i) {
    const ZafRegion scaled = m_thumbnail.Scaled(rectangles[i].area);
    const QColor colour = CQtPicture::Colour(rectangles[i].colour);
    painter.setPen(colour.isValid() ? colour : palette().color(QPalette::Text));
    painter.drawRect(scaled.left, scaled.top, scaled.Width() - 1, scaled.Height() - 1);
    if (static_cast<int>(i) != m_thumbnail.Draggable()) continue;
    // Handles on the corners a user can drag.
    painter.setBrush(painter.pen().color());
    for (const QPoint corner : {QPoint(scaled.left, scaled.top), QPoint(scaled.right, scaled.top),
                                QPoint(scaled.left, scaled.bottom), QPoint(scaled.right, scaled.bottom)})
      painter.drawRect(corner.x() - 2, corner.y() - 2, 4, 4);
    painter.setBrush(Qt::NoBrush);
  }
  painter.setPen(palette().color(QPalette::Mid));
  painter.drawRect(rect().adjusted(0, 0, -1, -1));
}

void CQtThumbnailWidget::mousePressEvent(QMouseEvent* event) {
  const QPoint at = event->position().toPoint();
  m_held = event->button() == Qt::LeftButton && !signalsBlocked() ? m_thumbnail.CornerAt(at.x(), at.y())
                                                                 : ThumbnailCorner::kNone;
  event->accept();
}

void CQtThumbnailWidget::mouseMoveEvent(QMouseEvent* event) {
  if (m_held == ThumbnailCorner::kNone) return;
  const QPoint at = event->position().toPoint();
  m_thumbnail.MoveCorner(m_held, at.x(), at.y());
  event->accept();
}

void CQtThumbnailWidget::mouseReleaseEvent(QMouseEvent* event) {
  if (m_held == ThumbnailCorner::kNone || event->button() != Qt::LeftButton) return;
  const QPoint at = event->position().toPoint();
  const ThumbnailCorner corner = m_held;
  m_held = ThumbnailCorner::kNone;
  m_thumbnail.MoveCorner(corner, at.x(), at.y());
  m_thumbnail.EndDrag();
  event->accept();
}
