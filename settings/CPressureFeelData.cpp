#include "settings/CPressureFeelData.h"

#include <cstring>

#include "settings/CClickThresholdData.h"
#include "settings/CPressureBezierData.h"
#include "settings/FeelTables.h"

namespace {

constexpr std::size_t kClick = 0;
constexpr std::size_t kCurve = 1;

}  // namespace

CPressureFeelData::CPressureFeelData() : CCompositeData(DataType::kWord, kStatusUnknown) {}

CPressureFeelData::~CPressureFeelData() = default;

Status CPressureFeelData::SetSources(CClickThresholdData* click, CPressureBezierData* curve) {
  return AssignSources({click, curve});
}

Status CPressureFeelData::Get(void* out) {
  if (GetSourceCount() == 0) return GetMissingSourceStatus();
  std::uint16_t curve = 0;
  std::uint16_t click = 0;
  KELVO_TRY(GetSource(kCurve)->Get(&curve));
  KELVO_TRY(GetSource(kClick)->Get(&click));
  const auto mean = static_cast<std::uint16_t>((curve + click) / 2);
  std::memcpy(out, &mean, sizeof mean);
  return kStatusOk;
}

Status CPressureFeelData::Set(const void* value) {
  if (GetSourceCount() == 0) return GetMissingSourceStatus();
  std::uint16_t position = 0;
  std::memcpy(&position, value, sizeof position);
  if (position >= kPressurePositions) return kStatusNoItem;
  DropStatus(GetSource(kCurve)->Set(&position), "a refused curve shows in the curve item");
  DropStatus(GetSource(kClick)->Set(&position), "a refused threshold shows in the click item");
  return kStatusOk;
}

Status CPressureFeelData::Revert() {
  DropStatus(CCompositeData::Revert(), "the parts keep their own statuses");
  return kStatusOk;
}
