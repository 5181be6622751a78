#include "toolkit/qt/CQtPressureWidget.h"

#include <QPainter>

#include "toolkit/controls/CPressureTestWnd.h"
#include "toolkit/qt/CQtPicture.h"

CQtPressureWidget::CQtPressureWidget(CPressureTestWnd& window, QWidget* parent)
    : QWidget(parent), m_window(window) {}

void CQtPressureWidget::paintEvent(QPaintEvent*) {
  if (signalsBlocked()) return;
  QPainter painter(this);
  const QRect inside = rect().adjusted(1, 1, -1, -1);
  painter.fillRect(inside, palette().color(QPalette::Base));
  const QColor fill = CQtPicture::Colour(m_window.Foreground());
  const int filled = m_window.FilledPixels(inside.width());
  painter.fillRect(QRect(inside.left(), inside.top(), filled, inside.height()),
                   fill.isValid() ? fill : palette().color(QPalette::Highlight));
  painter.setPen(palette().color(QPalette::Dark));
  painter.drawRect(rect().adjusted(0, 0, -1, -1));
}
