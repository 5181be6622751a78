#pragma once

#include <QSpinBox>
#include <functional>

// A spin box whose arrows step through the toolkit: each step is reported,
// and the toolkit decides the value (it writes it back).
class CQtSpinBox : public QSpinBox {
 public:
  using StepHandler = std::function<void(int direction)>;

  explicit CQtSpinBox(QWidget* parent) : QSpinBox(parent) {}
  void SetStepHandler(StepHandler handler) { m_onStep = std::move(handler); }

  void stepBy(int steps) override {
    if (!m_onStep) {
      QSpinBox::stepBy(steps);
      return;
    }
    const int direction = steps > 0 ? 1 : -1;
    for (int i = 0; i < (steps > 0 ? steps : -steps); ++i) m_onStep(direction);
  }

 private:
  StepHandler m_onStep;
};
