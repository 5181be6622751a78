#pragma once

#include <string>
#include <vector>

#include "service/input/IOutputSink.h"

// Keeps what the pipeline writes as lines "DEVICE TYPE CODE VALUE" (device
// pen, mouse or keyboard; a frame's end is "DEVICE EV_SYN SYN_REPORT 0"), so
// that a replay can be compared with what the settings ask for.
class CRecordingSink final : public IOutputSink {
 public:
  void Emit(OutputDevice device, std::uint16_t type, std::uint16_t code, std::int32_t value) override;
  void Sync(OutputDevice device) override;

  [[nodiscard]] const std::vector<std::string>& Lines() const { return m_lines; }
  void Clear() { m_lines.clear(); }
  [[nodiscard]] static const char* DeviceName(OutputDevice device);

 private:
  std::vector<std::string> m_lines;
};
