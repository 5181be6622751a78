#pragma once

#include <QWidget>

class CMouseCaptureWindow;

// Takes the pen (or mouse) anywhere on it: a press is a tap at that point.
class CQtCaptureWidget : public QWidget {
 public:
  CQtCaptureWidget(CMouseCaptureWindow& window, QWidget* parent);

 protected:
  void mousePressEvent(QMouseEvent* event) override;
  void tabletEvent(QTabletEvent* event) override;

 private:
  void Tap(QPointF position);

  CMouseCaptureWindow& m_window;
};
