#include "settings/mapping/CMappingTabletAreaData.h"

#include <cstdint>
#include <cstring>

#include "settings/mapping/MappingValues.h"

namespace {

// The driver's tablet area modes and the choices they show as.
constexpr std::uint16_t kModeFirst = 1;    // choice 2
constexpr std::uint16_t kModeSecond = 2;   // choice 3
constexpr std::uint16_t kModeFlagged = 3;  // choice 1 with the flag set, 0 without
constexpr std::uint16_t kChoiceFirst = 2;
constexpr std::uint16_t kChoiceSecond = 3;

}  // namespace

CMappingTabletAreaData::CMappingTabletAreaData() : CCompositeData(DataType::kType2) {}

Status CMappingTabletAreaData::SetSources(CDriverData* flag, CDriverData* mode) {
  return AssignSources({flag, mode});
}

Status CMappingTabletAreaData::Get(void* out) {
  if (GetSourceCount() != 2) return GetMissingSourceStatus();
  const auto flag = SourceValue<std::uint16_t>(*GetSource(0));
  const auto mode = SourceValue<std::uint16_t>(*GetSource(1));
  std::uint16_t choice = 0;
  if (mode == kModeFirst) {
    choice = kChoiceFirst;
  } else if (mode == kModeSecond) {
    choice = kChoiceSecond;
  } else if (mode == kModeFlagged) {
    choice = flag != 0 ? 1 : 0;
  }
  std::memcpy(out, &choice, sizeof(choice));
  return kStatusOk;
}

Status CMappingTabletAreaData::Set(const void* value) {
  if (GetSourceCount() != 2) return GetMissingSourceStatus();
  std::uint16_t choice = 0;
  std::memcpy(&choice, value, sizeof(choice));
  if (choice == kChoiceFirst) return SetSourceValue(*GetSource(1), kModeFirst);
  if (choice == kChoiceSecond) return SetSourceValue(*GetSource(1), kModeSecond);
  // 0 clears the flag; 1 and anything past the choices set it.
  const std::uint16_t flag = choice == 0 ? 0 : 1;
  const Status flagStatus = SetSourceValue(*GetSource(0), flag);
  const Status modeStatus = SetSourceValue(*GetSource(1), kModeFlagged);
  return PreferFailure(modeStatus, flagStatus);
}
