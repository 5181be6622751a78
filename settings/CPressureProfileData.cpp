#include "settings/CPressureProfileData.h"

#include <cstddef>

namespace {

constexpr std::size_t kThreshold = 0;
constexpr std::size_t kCurve = 1;
constexpr std::size_t kThresholdBytes = 2;
constexpr std::size_t kCurveBytes = 12;

}  // namespace

CPressureProfileData::CPressureProfileData() : CCompositeData(DataType::kPressureProfile) {}

CPressureProfileData::~CPressureProfileData() = default;

Status CPressureProfileData::SetSources(CDriverData* threshold, CDriverData* curve) {
  return AssignSources({threshold, curve});
}

Status CPressureProfileData::Get(void* out) {
  if (GetSourceCount() == 0) return GetMissingSourceStatus();
  auto* bytes = static_cast<std::byte*>(out);
  DropStatus(ReadValue(*GetSource(kThreshold), bytes, kThresholdBytes),
             "the parts keep their statuses");
  DropStatus(ReadValue(*GetSource(kCurve), bytes + kThresholdBytes, kCurveBytes),
             "the parts keep their statuses");
  return kStatusOk;
}

Status CPressureProfileData::Set(const void* value) {
  if (GetSourceCount() == 0) return GetMissingSourceStatus();
  const auto* bytes = static_cast<const std::byte*>(value);
  DropStatus(WriteValue(*GetSource(kThreshold), bytes, kThresholdBytes),
             "the parts keep their statuses");
  DropStatus(WriteValue(*GetSource(kCurve), bytes + kThresholdBytes, kCurveBytes),
             "the parts keep their statuses");
  return kStatusOk;
}

Status CPressureProfileData::Revert() {
  DropStatus(CCompositeData::Revert(), "the parts keep their own statuses");
  return kStatusOk;
}
