#pragma once

#include <cstdint>
#include <span>

#include "protocol/Status.h"
#include "service/CServiceNode.h"

// What a tablet reports while it is used: the tool record (190) with its raw
// copy (168), and, on tablets that have them, the state of the tablet's own
// buttons (248, raw copy 247) and touch strips (246). A write to one of them
// is a report. A tool that comes into proximity on a tablet becomes that
// tablet's current tool and the tablet the driver's current one, as a driver
// tells the tablet in use. Reports change no setting: nothing is stored and
// the model's other values are not recomputed.
class CLivePen {
 public:
  // Writes `in` to (code, index) of the tablet numbered `number`, then
  // applies the report's consequences. The value must exist and `in` have
  // its size (the model checked both).
  [[nodiscard]] static Status Report(CServiceNode& root, std::uint32_t number, std::uint16_t code,
                                     std::uint32_t index, std::span<const std::uint8_t> in);

  // The tool on `tablet` that a report of (type word, serial) names, among
  // those present; none when there is no such tool.
  [[nodiscard]] static const StNodeKey* FindTool(const CServiceNode& tablet, std::uint64_t type,
                                                 std::uint64_t serial);
};
