#include "service/input/CReportAssembler.h"

#include <linux/input-event-codes.h>

namespace {

ToolKind ToolOf(std::uint16_t code) {
  switch (code) {
    case BTN_TOOL_PEN: case BTN_TOOL_PENCIL: case BTN_TOOL_BRUSH: case BTN_TOOL_AIRBRUSH:
      return ToolKind::kPen;
    case BTN_TOOL_RUBBER: return ToolKind::kEraser;
    case BTN_TOOL_MOUSE: case BTN_TOOL_LENS: return ToolKind::kPuck;
    default: return ToolKind::kNone;
  }
}

// The model's button number of a hardware button; 0 for none.
std::uint32_t ButtonOf(std::uint16_t code) {
  switch (code) {
    case BTN_STYLUS: return 2;
    case BTN_STYLUS2: return 3;
    case BTN_LEFT: return 1;
    case BTN_RIGHT: return 2;
    case BTN_MIDDLE: return 3;
    case BTN_SIDE: return 4;
    case BTN_EXTRA: return 5;
    default: return 0;
  }
}

}  // namespace

bool CReportAssembler::Feed(const StInputEvent& event) {
  if (event.type == EV_SYN) {
    if (event.code == SYN_DROPPED) {
      m_dropping = true;
      return false;
    }
    if (event.code != SYN_REPORT) return false;
    if (m_dropping) {
      m_dropping = false;
      m_state.wheel = 0;
      return false;
    }
    m_state.timeUs = event.timeUs;
    m_report = m_state;
    m_state.wheel = 0;
    if (!m_state.proximity) m_state.tool = ToolKind::kNone;
    return true;
  }
  if (m_dropping) return false;
  switch (event.type) {
    case EV_KEY: {
      const ToolKind tool = ToolOf(event.code);
      if (tool != ToolKind::kNone) {
        if (event.value != 0) {
          m_state.tool = tool;
          m_state.proximity = true;
        } else if (m_state.tool == tool) {
          m_state.proximity = false;
          m_state.buttons = 0;
        }
        break;
      }
      const std::uint32_t button = ButtonOf(event.code);
      if (button == 0) break;
      if (event.value != 0)
        m_state.buttons |= ButtonBit(button);
      else
        m_state.buttons &= ~ButtonBit(button);
      break;
    }
    case EV_ABS:
      switch (event.code) {
        case ABS_X: m_state.x = event.value; break;
        case ABS_Y: m_state.y = event.value; break;
        case ABS_PRESSURE: m_state.pressure = event.value; break;
        case ABS_TILT_X: m_state.tiltX = event.value; break;
        case ABS_TILT_Y: m_state.tiltY = event.value; break;
        case ABS_DISTANCE: m_state.distance = event.value; break;
        default: break;
      }
      break;
    case EV_REL:
      if (event.code == REL_WHEEL) m_state.wheel += event.value;
      break;
    case EV_MSC:
      if (event.code == MSC_SERIAL) m_state.serial = static_cast<std::uint32_t>(event.value);
      break;
    default: break;
  }
  return false;
}
