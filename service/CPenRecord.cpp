#include "service/CPenRecord.h"

#include <cstdio>

namespace sc = service_codes;

namespace {

const StValueField& Field(std::uint32_t index) {
  for (const StValueField& field : kToolRecordFields)
    if (field.index == index) return field;
  return kToolRecordFields.front();
}

void Put(ToolRecordBytes& record, std::uint32_t index, std::uint32_t value) {
  const StValueField& field = Field(index);
  for (std::uint32_t i = 0; i < field.size; ++i) record[field.offset + i] = static_cast<std::uint8_t>(value >> (8 * i));
}

std::uint32_t Take(std::span<const std::uint8_t, kToolRecordSize> record, std::uint32_t index) {
  const StValueField& field = Field(index);
  std::uint32_t value = 0;
  for (std::uint32_t i = field.size; i > 0; --i) value = (value << 8) | record[field.offset + i - 1];
  return value;
}

}  // namespace

ToolRecordBytes CPenRecord::Encode(const StPenReport& report, std::uint16_t type, std::uint32_t serial) {
  ToolRecordBytes record{};
  Put(record, sc::kFieldProximity, report.inProximity ? 1 : 0);
  Put(record, sc::kFieldType, type);
  Put(record, sc::kFieldSerial, serial);
  Put(record, sc::kFieldX, report.x);
  Put(record, sc::kFieldY, report.y);
  Put(record, sc::kFieldSwitches, report.switches);
  Put(record, sc::kFieldPressure, report.pressure);
  Put(record, sc::kFieldTiltX, static_cast<std::uint16_t>(report.tiltX));
  Put(record, sc::kFieldTiltY, static_cast<std::uint16_t>(report.tiltY));
  Put(record, sc::kFieldWheel, static_cast<std::uint16_t>(report.wheel));
  Put(record, sc::kFieldRotation, report.rotation);
  return record;
}

StPenReport CPenRecord::Decode(std::span<const std::uint8_t, kToolRecordSize> record) {
  StPenReport report;
  report.inProximity = Take(record, sc::kFieldProximity) != 0;
  report.x = Take(record, sc::kFieldX);
  report.y = Take(record, sc::kFieldY);
  report.switches = Take(record, sc::kFieldSwitches);
  report.pressure = static_cast<std::uint16_t>(Take(record, sc::kFieldPressure));
  report.tiltX = static_cast<std::int16_t>(Take(record, sc::kFieldTiltX));
  report.tiltY = static_cast<std::int16_t>(Take(record, sc::kFieldTiltY));
  report.wheel = static_cast<std::int16_t>(Take(record, sc::kFieldWheel));
  report.rotation = static_cast<std::uint16_t>(Take(record, sc::kFieldRotation));
  return report;
}

std::uint16_t CPenRecord::Type(std::span<const std::uint8_t, kToolRecordSize> record) {
  return static_cast<std::uint16_t>(Take(record, sc::kFieldType));
}

std::uint32_t CPenRecord::Serial(std::span<const std::uint8_t, kToolRecordSize> record) {
  return Take(record, sc::kFieldSerial);
}

std::string CPenRecord::Describe(std::span<const std::uint8_t, kToolRecordSize> record) {
  const StPenReport report = Decode(record);
  const std::uint16_t type = Type(record);
  const std::uint16_t kind = type & static_cast<std::uint16_t>(~sc::kRecordTypeCode);
  const char* name = kind == sc::kRecordPen ? "pen" : kind == sc::kRecordPuck ? "puck" : "tool";
  char line[200];
  std::snprintf(line, sizeof line,
                "%s type %u serial 0x%08X %s x %u y %u pressure %u tilt %d %d switches 0x%X wheel %d rotation %u",
                name, static_cast<unsigned>(type & sc::kRecordTypeCode), static_cast<unsigned>(Serial(record)),
                report.inProximity ? "in" : "out", static_cast<unsigned>(report.x), static_cast<unsigned>(report.y),
                static_cast<unsigned>(report.pressure), report.tiltX, report.tiltY,
                static_cast<unsigned>(report.switches), report.wheel, static_cast<unsigned>(report.rotation));
  return line;
}
