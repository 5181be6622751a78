#include "toolkit/qt/CQtCaptureWidget.h"

#include <QMouseEvent>
#include <QTabletEvent>

#include "toolkit/controls/CMouseCaptureWindow.h"

CQtCaptureWidget::CQtCaptureWidget(CMouseCaptureWindow& window, QWidget* parent)
    : QWidget(parent), m_window(window) {
  setCursor(Qt::CrossCursor);
  setAttribute(Qt::WA_TabletTracking);
  if (parent != nullptr && (window.Region().Width() <= 0 || window.Region().Height() <= 0)) {
    setGeometry(parent->rect());
    parent->installEventFilter(this);
  }
}

bool CQtCaptureWidget::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::Resize && watched == parentWidget()) setGeometry(parentWidget()->rect());
  return false;
}

void CQtCaptureWidget::mousePressEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton) Tap(event->position());
  event->accept();
}

void CQtCaptureWidget::tabletEvent(QTabletEvent* event) {
  // Accepting the pen press keeps Qt from sending the same tap again as a mouse press.
  if (event->type() == QEvent::TabletPress) Tap(event->position());
  event->accept();
}

void CQtCaptureWidget::Tap(QPointF position) {
  if (signalsBlocked()) return;
  const QPoint at = position.toPoint();
  m_window.UserTap(at.x(), at.y());
}
