#pragma once

#include <cstdint>

#include "service/input/CButtonActions.h"
#include "service/input/CFrameWriter.h"
#include "service/input/CPointerMapper.h"
#include "service/input/CPressureCurve.h"
#include "service/input/ILauncher.h"
#include "service/input/IOutputSink.h"
#include "service/input/StInputEvent.h"
#include "service/input/StInputReport.h"
#include "service/input/StToolSettings.h"

// Turns a tablet's reports into the pointer, button and key events that one
// tool's settings ask for (docs/input-pipeline.md). Pure: nothing but the
// sink and the launcher sees what it does, and it keeps no clock of its own.
class CInputPipeline {
 public:
  CInputPipeline(IOutputSink& sink, ILauncher& launcher);
  CInputPipeline(const CInputPipeline&) = delete;
  CInputPipeline& operator=(const CInputPipeline&) = delete;

  // The tool's settings and the device's ranges; whatever the pipeline held
  // (a touch, a button) is let go first.
  void Configure(const StToolSettings& settings, const StDeviceDescription& device);
  void Process(const StInputReport& report);
  // Lets go of everything held, click locks included.
  void Release();

  // The virtual pen's axes, in screen pixels.
  static constexpr std::int32_t kScreenWidth = 1920;
  static constexpr std::int32_t kScreenHeight = 1080;
  static constexpr std::int32_t kMaxWheelSteps = 16;

 private:
  struct StEnd {
    const StPressureFeel* feel = nullptr;
    const CPressureCurve* curve = nullptr;
    const StButtonFunction* function = nullptr;
    std::uint16_t tool = 0;  // BTN_TOOL_* on the pen
  };
  [[nodiscard]] StEnd EndOf(ToolKind kind) const;
  void Enter(const StEnd& end);
  void Leave();
  void MovePen(const StInputReport& report, bool contact, std::uint32_t pressure);
  void Contact(bool down, const StEnd& end);
  void ClosePointer();
  void Buttons(std::uint32_t buttons);
  void Wheel(std::int32_t reported);
  void PenValue(std::uint16_t type, std::uint16_t code, std::int32_t value, std::int32_t& last);
  [[nodiscard]] std::uint32_t Scaled(std::int32_t pressure) const;

  CFrameWriter m_writer;
  CButtonActions m_actions;
  StToolSettings m_settings;
  CPressureCurve m_tipCurve;
  CPressureCurve m_eraserCurve;
  CPointerMapper m_mapper;
  std::int32_t m_deviceMinX = 0;
  std::int32_t m_deviceMinY = 0;
  std::int32_t m_devicePressure = 0;  // the device's maximum pressure
  bool m_mouseMode = false;

  // What the outputs hold now.
  bool m_inProximity = false;
  std::uint16_t m_penTool = 0;
  bool m_contact = false;
  const StButtonFunction* m_contactFunction = nullptr;
  bool m_touchOnPen = false;
  std::uint32_t m_buttons = 0;
  std::int32_t m_penX = -1;
  std::int32_t m_penY = -1;
  std::int32_t m_penPressure = -1;
  std::int32_t m_penTiltX = 0;
  std::int32_t m_penTiltY = 0;
  std::int32_t m_wheelRest = 0;

  // Double-click assist: where and when the last contact began, and whether
  // this contact is held on that spot.
  std::int64_t m_lastDownUs = -1;
  CPointerMapper::StPoint m_lastDown;
  bool m_snapped = false;
};
