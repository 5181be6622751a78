#include "settings/CClickThresholdData.h"

#include <array>
#include <cstring>

CClickThresholdData::CClickThresholdData() : CCompositeData(DataType::kWord, kStatusUnknown) {}

CClickThresholdData::~CClickThresholdData() = default;

Status CClickThresholdData::SetSources(CDriverData* threshold, CDriverData* axis) {
  if (axis == nullptr) return GetMissingSourceStatus();
  KELVO_TRY(AssignSources({threshold}));
  m_axis = axis;
  return kStatusOk;
}

Status CClickThresholdData::Get(void* out) {
  if (GetSourceCount() == 0 || m_axis == nullptr) return GetMissingSourceStatus();
  std::uint16_t threshold = 0;
  std::array<std::uint32_t, 4> axis{};
  DropStatus(ReadValue(*GetSource(0), &threshold, sizeof threshold), "zero reads as the softest");
  DropStatus(ReadValue(*m_axis, axis.data(), sizeof axis), "a zero axis answers no position");
  const std::uint32_t levels = axis[1];
  // Without pressure levels no percentage means anything.
  if (levels == 0) return kStatusNoItem;
  for (std::uint16_t position = 0; position < kPressurePositions; ++position) {
    const std::uint32_t limit = static_cast<std::uint32_t>(GetThresholdPercent(position)) * levels;
    if (static_cast<std::uint32_t>(threshold) * 100U <= limit) {
      std::memcpy(out, &position, sizeof position);
      return kStatusOk;
    }
  }
  return kStatusNoItem;
}

Status CClickThresholdData::Set(const void* value) {
  if (GetSourceCount() == 0 || m_axis == nullptr) return GetMissingSourceStatus();
  std::uint16_t position = 0;
  std::memcpy(&position, value, sizeof position);
  if (position >= kPressurePositions) return kStatusNoItem;
  std::array<std::uint32_t, 4> axis{};
  DropStatus(ReadValue(*m_axis, axis.data(), sizeof axis), "an unreadable axis scales to zero");
  const std::uint32_t threshold =
      axis[1] * static_cast<std::uint32_t>(GetThresholdPercent(position)) / 100U;
  const auto word = static_cast<std::uint16_t>(threshold);
  return WriteValue(*GetSource(0), &word, sizeof word);
}

Status CClickThresholdData::Revert() {
  DropStatus(CCompositeData::Revert(), "the threshold's own status shows a refused write");
  return kStatusOk;
}
