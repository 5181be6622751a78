#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "protocol/StObjectKey.h"
#include "service/CPenStroke.h"

class CControlCommand;

// tabletctl's pen: moving it by hand, playing a recorded stroke or the demo
// stroke at its report rate, pressing the tablet's own buttons and touch
// strips; and `watch --pen`, which prints every report with the rate they
// arrive at.
class CPenCommand {
 public:
  explicit CPenCommand(CControlCommand& control) : m_control(control) {}

  // args: "pen" [--tablet T] ACTION ...
  [[nodiscard]] int Pen(const std::vector<std::string>& args);
  // args: "watch" "--pen" [COUNT]
  [[nodiscard]] int Watch(const std::vector<std::string>& args);

 private:
  [[nodiscard]] int SetField(std::uint16_t code, std::uint32_t index, const std::string& value);
  [[nodiscard]] int Play(StPenStroke stroke, std::uint32_t times);
  [[nodiscard]] int Demo(std::uint32_t times);
  [[nodiscard]] std::vector<StObjectKey> Tablet(std::uint16_t code, std::uint32_t index = 0) const;

  CControlCommand& m_control;
  std::uint32_t m_tablet = 0;
};
