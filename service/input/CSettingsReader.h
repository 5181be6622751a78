#pragma once

#include <cstdint>
#include <optional>

#include "protocol/Status.h"
#include "service/CDriverModel.h"
#include "service/input/StInputReport.h"
#include "service/input/StToolSettings.h"

// Reads what the applet set for one tool of one tablet from the driver model:
// feel, buttons, wheel, double click and the tool's mapping context.
class CSettingsReader {
 public:
  explicit CSettingsReader(const CDriverModel& model) : m_model(model) {}

  [[nodiscard]] Status Read(std::uint32_t tablet, std::uint32_t tool, StToolSettings& out) const;

  // The tool of `tablet` a device's tool stands for: the one with the
  // device's serial, else the first present tool of its kind (a pen's or
  // eraser's stylus, a puck).
  [[nodiscard]] std::optional<std::uint32_t> FindTool(std::uint32_t tablet, ToolKind kind,
                                                      std::uint32_t serial) const;

 private:
  [[nodiscard]] std::optional<std::uint64_t> Number(std::initializer_list<StObjectKey> path,
                                                    std::uint32_t size) const;
  [[nodiscard]] Status Bytes(std::initializer_list<StObjectKey> path, std::span<std::uint8_t> out) const;

  const CDriverModel& m_model;
};
