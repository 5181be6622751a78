#include "service/input/CRecordingSink.h"

#include <linux/input-event-codes.h>

#include "service/input/CEventNames.h"

const char* CRecordingSink::DeviceName(OutputDevice device) {
  switch (device) {
    case OutputDevice::kPen: return "pen";
    case OutputDevice::kMouse: return "mouse";
    case OutputDevice::kKeyboard: return "keyboard";
  }
  return "?";
}

void CRecordingSink::Emit(OutputDevice device, std::uint16_t type, std::uint16_t code, std::int32_t value) {
  m_lines.push_back(std::string(DeviceName(device)) + ' ' + CEventNames::TypeName(type) + ' ' +
                    CEventNames::CodeName(type, code) + ' ' + std::to_string(value));
}

void CRecordingSink::Sync(OutputDevice device) { Emit(device, EV_SYN, SYN_REPORT, 0); }
