#include "service/input/CInputPipeline.h"

#include <linux/input-event-codes.h>

#include <algorithm>
#include <climits>
#include <cmath>

#include "service/input/FunctionCodes.h"

namespace fc = function_codes;

namespace {

const StButtonFunction kLeftClick{fc::kLeftClick, 0, {}, {}};
constexpr std::int32_t kNothing = INT32_MIN;  // no value sent yet since the pen came near

bool Within(const CPointerMapper::StPoint& a, const CPointerMapper::StPoint& b, std::uint32_t distance) {
  const double dx = a.x - b.x;
  const double dy = a.y - b.y;
  return std::hypot(dx, dy) <= distance;
}

}  // namespace

CInputPipeline::CInputPipeline(IOutputSink& sink, ILauncher& launcher)
    : m_writer(sink), m_actions(m_writer, launcher) {}

void CInputPipeline::Configure(const StToolSettings& settings, const StDeviceDescription& device) {
  if (m_inProximity) Leave();
  m_writer.CloseAll();
  m_settings = settings;
  m_tipCurve.Set(m_settings.tip.curve, m_settings.pressureLevels);
  m_eraserCurve.Set(m_settings.eraser.curve, m_settings.pressureLevels);
  m_mapper.Configure(m_settings);
  const StAxisRange* x = device.Axis(ABS_X);
  const StAxisRange* y = device.Axis(ABS_Y);
  const StAxisRange* pressure = device.Axis(ABS_PRESSURE);
  m_deviceMinX = x != nullptr ? x->minimum : 0;
  m_deviceMinY = y != nullptr ? y->minimum : 0;
  m_devicePressure = pressure != nullptr ? pressure->maximum : 0;
  m_mouseMode = m_settings.mouseMode;
}

std::uint32_t CInputPipeline::Scaled(std::int32_t pressure) const {
  if (pressure <= 0) return 0;
  const auto levels = static_cast<std::int64_t>(m_settings.pressureLevels);
  if (m_devicePressure <= 0 || m_devicePressure == levels) return static_cast<std::uint32_t>(std::min<std::int64_t>(pressure, levels));
  return static_cast<std::uint32_t>(std::min<std::int64_t>(pressure * levels / m_devicePressure, levels));
}

CInputPipeline::StEnd CInputPipeline::EndOf(ToolKind kind) const {
  if (kind == ToolKind::kPuck) return {nullptr, nullptr, nullptr, BTN_TOOL_MOUSE};
  // An eraser that is not in use works as the tip.
  if (kind == ToolKind::kEraser && m_settings.eraserInUse) {
    const StButtonFunction& function = m_settings.buttons[4];
    return {&m_settings.eraser, &m_eraserCurve, &function,
            static_cast<std::uint16_t>(function.code == fc::kErase ? BTN_TOOL_RUBBER : BTN_TOOL_PEN)};
  }
  return {&m_settings.tip, &m_tipCurve, &m_settings.buttons[1], BTN_TOOL_PEN};
}

void CInputPipeline::PenValue(std::uint16_t type, std::uint16_t code, std::int32_t value, std::int32_t& last) {
  if (value == last) return;
  last = value;
  m_writer.Emit(OutputDevice::kPen, type, code, value);
}

void CInputPipeline::Enter(const StEnd& end) {
  m_inProximity = true;
  m_mouseMode = m_settings.mouseMode;
  m_penTool = end.tool;
  m_penX = m_penY = m_penPressure = m_penTiltX = m_penTiltY = kNothing;
  m_mapper.Lift();
  if (!m_mouseMode) m_writer.Emit(OutputDevice::kPen, EV_KEY, m_penTool, 1);
}

void CInputPipeline::Leave() {
  if (m_contact) Contact(false, {});
  Buttons(0);
  if (!m_mouseMode) {
    if (m_penPressure > 0) m_writer.Emit(OutputDevice::kPen, EV_ABS, ABS_PRESSURE, 0);
    m_writer.Emit(OutputDevice::kPen, EV_KEY, m_penTool, 0);
  }
  m_writer.CloseAll();
  m_inProximity = false;
  m_penTool = 0;
  m_snapped = false;
}

void CInputPipeline::Process(const StInputReport& report) {
  if (!report.proximity || report.tool == ToolKind::kNone) {
    if (m_inProximity) Leave();
    return;
  }
  const StEnd end = EndOf(report.tool);
  if (m_inProximity && end.tool != m_penTool) Leave();
  if (!m_inProximity) Enter(end);

  const std::uint32_t pressure = end.feel != nullptr ? Scaled(report.pressure) : 0;
  const bool contact = end.feel != nullptr && pressure > 0 && pressure >= end.feel->threshold;
  MovePen(report, contact, contact ? end.curve->Apply(pressure) : 0);
  if (contact != m_contact) Contact(contact, end);
  ClosePointer();
  Buttons(report.buttons);
  Wheel(report.wheel);
  m_writer.CloseAll();
}

void CInputPipeline::MovePen(const StInputReport& report, bool contact, std::uint32_t pressure) {
  const auto x = static_cast<std::int32_t>(std::clamp<std::int64_t>(std::int64_t{report.x} - m_deviceMinX, 0, INT32_MAX));
  const auto y = static_cast<std::int32_t>(std::clamp<std::int64_t>(std::int64_t{report.y} - m_deviceMinY, 0, INT32_MAX));
  if (m_mouseMode) {
    const CPointerMapper::StPoint move = m_mapper.Relative(x, y, report.timeUs);
    if (move.x != 0) m_writer.Emit(OutputDevice::kMouse, EV_REL, REL_X, move.x);
    if (move.y != 0) m_writer.Emit(OutputDevice::kMouse, EV_REL, REL_Y, move.y);
    return;
  }
  const CPointerMapper::StPoint point = m_mapper.Absolute(x, y);
  CPointerMapper::StPoint shown = point;
  if (contact && !m_contact) {
    // A second contact soon after and near the first lands on the first's spot.
    m_snapped = m_settings.doubleClickAssist && m_lastDownUs >= 0 &&
                report.timeUs - m_lastDownUs <= static_cast<std::int64_t>(m_settings.doubleClickTimeMs) * 1000 &&
                Within(point, m_lastDown, m_settings.doubleClickDistance);
    if (!m_snapped) m_lastDown = point;
    m_lastDownUs = report.timeUs;
  } else if (!contact) {
    m_snapped = false;
  } else if (m_snapped && !Within(point, m_lastDown, m_settings.doubleClickDistance)) {
    m_snapped = false;
  }
  if (m_snapped) shown = m_lastDown;
  PenValue(EV_ABS, ABS_X, shown.x, m_penX);
  PenValue(EV_ABS, ABS_Y, shown.y, m_penY);
  if (m_penTool == BTN_TOOL_MOUSE) return;  // a puck has neither pressure nor tilt
  PenValue(EV_ABS, ABS_PRESSURE, static_cast<std::int32_t>(pressure), m_penPressure);
  PenValue(EV_ABS, ABS_TILT_X, report.tiltX, m_penTiltX);
  PenValue(EV_ABS, ABS_TILT_Y, report.tiltY, m_penTiltY);
}

void CInputPipeline::ClosePointer() {
  // The pointer is where it goes before any button acts there.
  m_writer.Close(OutputDevice::kPen);
  m_writer.Close(OutputDevice::kMouse);
}

void CInputPipeline::Contact(bool down, const StEnd& end) {
  if (down) {
    m_contact = true;
    m_contactFunction = end.function;
    // Erasing is the pen's touch with the eraser tool; in mouse mode, a left click.
    const bool touch = end.function->code == fc::kLeftClick || end.function->code == fc::kErase;
    m_touchOnPen = !m_mouseMode && touch;
    if (m_touchOnPen) {
      m_writer.Emit(OutputDevice::kPen, EV_KEY, BTN_TOUCH, 1);
    } else {
      ClosePointer();
      m_actions.Press(touch ? kLeftClick : *end.function);
    }
    return;
  }
  m_contact = false;
  if (m_touchOnPen) {
    m_writer.Emit(OutputDevice::kPen, EV_KEY, BTN_TOUCH, 0);
  } else if (m_contactFunction != nullptr) {
    ClosePointer();
    const bool touch = m_contactFunction->code == fc::kLeftClick || m_contactFunction->code == fc::kErase;
    m_actions.Release(touch ? kLeftClick : *m_contactFunction);
  }
  m_touchOnPen = false;
  m_contactFunction = nullptr;
}

void CInputPipeline::Buttons(std::uint32_t buttons) {
  const std::uint32_t changed = buttons ^ m_buttons;
  for (std::uint32_t b = 1; b < m_settings.buttons.size(); ++b) {
    if ((changed & ButtonBit(b)) == 0) continue;
    const StButtonFunction& function = m_settings.buttons[b];
    if ((buttons & ButtonBit(b)) == 0) {
      m_actions.Release(function);
    } else if (function.code == fc::kModeToggle) {
      // Takes effect when the pen next comes near.
      m_settings.mouseMode = !m_settings.mouseMode;
    } else {
      m_actions.Press(function);
    }
  }
  m_buttons = buttons;
}

void CInputPipeline::Wheel(std::int32_t reported) {
  if (reported == 0) return;
  // No wheel turns further in one report; a device that says so is not believed.
  const std::int32_t steps = std::clamp(reported, -kMaxWheelSteps, kMaxWheelSteps);
  const StWheelFunction& wheel = m_settings.wheel;
  switch (wheel.code) {
    case fc::kWheelLines: {
      const std::int32_t fine = steps * wheel.lines * fc::kHighResolutionNotch / fc::kLinesPerNotch;
      m_writer.Emit(OutputDevice::kMouse, EV_REL, REL_WHEEL_HI_RES, fine);
      m_wheelRest += fine;
      const std::int32_t notches = m_wheelRest / fc::kHighResolutionNotch;
      if (notches != 0) m_writer.Emit(OutputDevice::kMouse, EV_REL, REL_WHEEL, notches);
      m_wheelRest -= notches * fc::kHighResolutionNotch;
      break;
    }
    case fc::kWheelPages:
      for (std::int32_t i = 0; i < std::abs(steps); ++i) m_actions.Tap(steps > 0 ? KEY_PAGEUP : KEY_PAGEDOWN);
      break;
    case fc::kWheelKeystroke:
      for (std::int32_t i = 0; i < std::abs(steps); ++i) m_actions.Type(wheel.keys[steps > 0 ? 0 : 1]);
      break;
    default:
      break;
  }
}

void CInputPipeline::Release() {
  if (m_inProximity) Leave();
  m_actions.ReleaseLocks();
  m_writer.CloseAll();
}
