#pragma once

#include <QWidget>

class CPressureTestWnd;

// Draws the pen's pressure as a bar filled from the left.
class CQtPressureWidget : public QWidget {
 public:
  CQtPressureWidget(CPressureTestWnd& window, QWidget* parent);

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  CPressureTestWnd& m_window;
};
