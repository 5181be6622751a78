#pragma once

#include <QWidget>

class CMouseCaptureWindow;

// Takes the pen (or mouse) anywhere on it: a press is a tap at that point.
// Without a region of its own it covers its parent, whatever size that takes.
class CQtCaptureWidget : public QWidget {
 public:
  CQtCaptureWidget(CMouseCaptureWindow& window, QWidget* parent);

 protected:
  void mousePressEvent(QMouseEvent* event) override;
  void tabletEvent(QTabletEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void Tap(QPointF position);

  CMouseCaptureWindow& m_window;
};
