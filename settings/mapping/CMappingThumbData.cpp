#include "settings/mapping/CMappingThumbData.h"

#include <cstdint>
#include <cstring>

#include "settings/mapping/MappingValues.h"

namespace {

enum Source : std::size_t { kScreen, kTablet, kSecond, kFirst, kTabletArea, kSourceCount };

// Tablet-area choices at or above this one show two tablet rectangles.
constexpr std::uint16_t kFirstTwoRectChoice = 2;

}  // namespace

CMappingThumbData::CMappingThumbData() : CCompositeData(DataType::kType18) {}

Status CMappingThumbData::SetSources(CDriverData* screen, CDriverData* tablet, CDriverData* second,
                                     CDriverData* first, CDriverData* tabletArea) {
  return AssignSources({screen, tablet, second, first, tabletArea});
}

Status CMappingThumbData::Get(void* out) {
  if (GetSourceCount() != kSourceCount) return GetMissingSourceStatus();
  std::array<Record, 3> records{};
  records[0] = SourceValue<Record>(*GetSource(kScreen));
  if (SourceValue<std::uint16_t>(*GetSource(kTabletArea)) < kFirstTwoRectChoice) {
    records[1] = SourceValue<Record>(*GetSource(kTablet));
  } else {
    records[1] = SourceValue<Record>(*GetSource(kFirst));
    records[2] = SourceValue<Record>(*GetSource(kSecond));
  }
  std::memcpy(out, records.data(), sizeof(records));
  return kStatusOk;
}

Status CMappingThumbData::Set(const void* /*value*/) {
  return kStatusOk;
}
Status CMappingThumbData::Revert() {
  return kStatusOk;
}
Status CMappingThumbData::Commit() {
  return kStatusOk;
}
Status CMappingThumbData::SetDefault() {
  return kStatusOk;
}
Status CMappingThumbData::Apply() {
  return kStatusOk;
}
