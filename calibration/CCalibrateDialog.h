#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "calibration/CMonitorFunctions.h"
#include "calibration/CalibratedArea.h"
#include "toolkit/ZafDialogWindow.h"

// The calibration window ("CalibrateScreen"), shown full screen on the pen
// display. The user taps a target in its upper-left area, then one in its
// lower-right area; from the pen's raw positions and the targets' places it
// finds the tablet area that maps onto the display and writes it through the
// calibration dialog's views, which OK keeps and Cancel takes back.
class CCalibrateDialog : public ZafDialogWindow {
 public:
  enum class State : std::uint8_t { kUpperLeft = 0, kLowerRight = 1, kDone = 2 };

  CCalibrateDialog();
  ~CCalibrateDialog() override;

  ZafEventType Event(const ZafEventStruct& event) override;

  [[nodiscard]] State GetState() const { return m_state; }
  // The monitor rectangle it was given (left, top, right, bottom; right and
  // bottom exclusive).
  [[nodiscard]] const std::array<std::int32_t, 4>& GetMonitor() const { return m_monitor; }
  [[nodiscard]] StCalibrationPoint GetFirstTap() const { return m_first; }
  [[nodiscard]] StCalibrationPoint GetSecondTap() const { return m_second; }
  // The monitor functions of the run, looked up once for the window's life.
  [[nodiscard]] CMonitorFunctions& Monitors() { return m_monitors; }

 private:
  void Open();
  void Layout();
  void Restart();
  void Tap(const ZafEventStruct& event);
  // The pen's raw position for a tap at a point of the window.
  [[nodiscard]] StCalibrationPoint ReadPen(std::int32_t x, std::int32_t y);
  [[nodiscard]] StCalibrationPoint MappedPoint(std::int32_t x, std::int32_t y);
  void StoreResult();
  void SendToAll(std::uint32_t operation);
  void ShowButtons(bool shown);
  void ShowPointerAgain();

  CMonitorFunctions m_monitors;
  std::array<std::int32_t, 4> m_monitor{};
  State m_state = State::kUpperLeft;
  std::int32_t m_maxX = 0;
  std::int32_t m_maxY = 0;
  StCalibrationPoint m_first;
  StCalibrationPoint m_second;
  ZafWindowObject* m_upperLeft = nullptr;
  ZafWindowObject* m_lowerRight = nullptr;
  ZafWindowObject* m_tryAgain = nullptr;
  ZafWindowObject* m_cancel = nullptr;
  ZafWindowObject* m_ok = nullptr;
  std::vector<ZafWindowObject*> m_texts;
  std::vector<std::int32_t> m_textWidths;
  // Whether this run hid the pointer and has not shown it yet.
  bool m_pointerHidden = false;
};
