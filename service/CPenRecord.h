#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string>

#include "service/StPenReport.h"
#include "service/ToolRecordLayout.h"

using ToolRecordBytes = std::array<std::uint8_t, kToolRecordSize>;

// A report in the tool record's bytes (190), and back.
class CPenRecord {
 public:
  // The record of `report` for the tool of `type` and `serial`.
  [[nodiscard]] static ToolRecordBytes Encode(const StPenReport& report, std::uint16_t type, std::uint32_t serial);
  [[nodiscard]] static StPenReport Decode(std::span<const std::uint8_t, kToolRecordSize> record);
  [[nodiscard]] static std::uint16_t Type(std::span<const std::uint8_t, kToolRecordSize> record);
  [[nodiscard]] static std::uint32_t Serial(std::span<const std::uint8_t, kToolRecordSize> record);
  // One line for people: "in x 1200 y 800 pressure 512 tilt 10 -4 ...".
  [[nodiscard]] static std::string Describe(std::span<const std::uint8_t, kToolRecordSize> record);
};
