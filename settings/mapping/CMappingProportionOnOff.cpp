#include "settings/mapping/CMappingProportionOnOff.h"

#include <cstdint>
#include <cstring>

#include "settings/mapping/MappingValues.h"

namespace {

constexpr std::uint16_t kProportionsOn = 1;
constexpr std::uint16_t kProportionsOff = 2;

}  // namespace

CMappingProportionOnOff::CMappingProportionOnOff() : CCompositeData(DataType::kType2) {}

Status CMappingProportionOnOff::SetSources(CDriverData* proportions) {
  return AssignSources({proportions});
}

Status CMappingProportionOnOff::Get(void* out) {
  if (GetSourceCount() != 1) return GetMissingSourceStatus();
  const std::uint16_t on = SourceValue<std::uint16_t>(*GetSource(0)) == kProportionsOn ? 1 : 0;
  std::memcpy(out, &on, sizeof(on));
  return kStatusOk;
}

Status CMappingProportionOnOff::Set(const void* value) {
  if (GetSourceCount() != 1) return GetMissingSourceStatus();
  std::uint16_t on = 0;
  std::memcpy(&on, value, sizeof(on));
  return SetSourceValue(*GetSource(0), on == 0 ? kProportionsOff : kProportionsOn);
}
