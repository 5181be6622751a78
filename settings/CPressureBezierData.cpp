#include "settings/CPressureBezierData.h"

#include <cstring>

namespace {

using CurveWords = std::array<std::uint16_t, 6>;
// The axis record: four 32-bit words, the second the maximum pressure level.
using AxisWords = std::array<std::uint32_t, 4>;

}  // namespace

CPressureBezierData::CPressureBezierData() : CCompositeData(DataType::kWord, kStatusUnknown) {}

CPressureBezierData::~CPressureBezierData() = default;

Status CPressureBezierData::SetSources(CDriverData* curve, CDriverData* axis) {
  if (axis == nullptr) return GetMissingSourceStatus();
  KELVO_TRY(AssignSources({curve}));
  m_axis = axis;
  return kStatusOk;
}

Status CPressureBezierData::Get(void* out) {
  if (GetSourceCount() == 0 || m_axis == nullptr) return GetMissingSourceStatus();
  // The ratio of the curve's words needs no pressure levels. An unreadable
  // curve reads as zeros, which match no position.
  CurveWords words{};
  DropStatus(ReadValue(*GetSource(0), words.data(), sizeof words), "zeros answer no position");
  if (words[3] == 0) return kStatusNoItem;
  const std::uint32_t ratio = static_cast<std::uint32_t>(words[2]) * 100U / words[3];
  for (std::uint16_t position = kPressurePositions; position-- > 0;) {
    if (ratio <= static_cast<std::uint32_t>(GetRatioLimit(position))) {
      std::memcpy(out, &position, sizeof position);
      return kStatusOk;
    }
  }
  return kStatusNoItem;
}

Status CPressureBezierData::Set(const void* value) {
  if (GetSourceCount() == 0 || m_axis == nullptr) return GetMissingSourceStatus();
  std::uint16_t position = 0;
  std::memcpy(&position, value, sizeof position);
  if (position >= kPressurePositions) return kStatusNoItem;
  CurveWords words{};
  AxisWords axis{};
  // w0, w4 and w5 pass through as the driver holds them.
  DropStatus(ReadValue(*GetSource(0), words.data(), sizeof words),
             "the set writes the curve anyway");
  DropStatus(ReadValue(*m_axis, axis.data(), sizeof axis), "an unreadable axis scales to zero");
  const std::uint32_t levels = axis[1];
  const std::uint32_t fullScale = GetFullScale();
  const std::array<std::int16_t, 3> points = GetCurvePoints(position);
  for (std::size_t i = 0; i < points.size(); ++i) {
    const std::uint32_t product = static_cast<std::uint32_t>(points[i]) * levels;
    words[i + 1] = static_cast<std::uint16_t>(product / fullScale);
  }
  return WriteValue(*GetSource(0), words.data(), sizeof words);
}

Status CPressureBezierData::Revert() {
  DropStatus(CCompositeData::Revert(), "the curve's own status shows a refused write");
  return kStatusOk;
}
