#include "settings/mapping/CMappingDisplayAreaData.h"

#include <cstring>

#include "settings/mapping/MappingValues.h"

namespace {

// The mode that addresses one monitor, and the choices below the monitors.
constexpr std::uint16_t kModeMonitor = 1;
constexpr std::uint16_t kChoiceLastMonitor = 2;

}  // namespace

CMappingDisplayAreaData::CMappingDisplayAreaData() : CCompositeData(DataType::kType2) {}

Status CMappingDisplayAreaData::SetSources(CDriverData* mode, CDriverData* monitor) {
  return AssignSources({mode, monitor});
}

std::uint16_t CMappingDisplayAreaData::Choice() {
  const auto mode = SourceValue<std::uint16_t>(*GetSource(0));
  const auto monitor = SourceValue<std::uint16_t>(*GetSource(1));
  if (mode != kModeMonitor || monitor == 0) return mode;
  if (m_monitorShown == 0) return kChoiceLastMonitor;
  return static_cast<std::uint16_t>(kChoiceLastMonitor + monitor);
}

Status CMappingDisplayAreaData::Get(void* out) {
  if (GetSourceCount() != 2) return GetMissingSourceStatus();
  const std::uint16_t choice = Choice();
  std::memcpy(out, &choice, sizeof(choice));
  return kStatusOk;
}

Status CMappingDisplayAreaData::Set(const void* value) {
  if (GetSourceCount() != 2) return GetMissingSourceStatus();
  std::uint16_t choice = 0;
  std::memcpy(&choice, value, sizeof(choice));
  if (const std::uint16_t shown = Choice(); shown > kChoiceLastMonitor)
    m_rememberedMonitor = static_cast<std::uint16_t>(shown - kChoiceLastMonitor);
  std::uint16_t mode = choice;
  std::uint16_t monitor = 0;
  if (choice > kChoiceLastMonitor) {
    m_monitorShown = 1;
    monitor = static_cast<std::uint16_t>(choice - kChoiceLastMonitor);
    mode = kModeMonitor;
  } else if (choice == kChoiceLastMonitor) {
    m_monitorShown = 0;
    monitor = m_rememberedMonitor;
    mode = kModeMonitor;
  }
  const Status monitorStatus = SetSourceValue(*GetSource(1), monitor);
  const Status modeStatus = SetSourceValue(*GetSource(0), mode);
  return PreferFailure(monitorStatus, modeStatus);
}
