#pragma once

#include <cstdint>

#include "settings/CCompositeData.h"

// The display-area choice over the driver's display area mode and monitor
// number: 0 and 1 are the modes without a monitor, 3 and up address monitor
// (choice - 2), and 2 addresses the monitor chosen last while the control
// shows 2. Which monitor that is, and whether the control shows it, lives
// only here, not in the driver.
class CMappingDisplayAreaData : public CCompositeData {
 public:
  CMappingDisplayAreaData();

  [[nodiscard]] Status SetSources(CDriverData* mode, CDriverData* monitor);

  [[nodiscard]] Status Get(void* out) override;
  // Writes the monitor, then the mode; the monitor's failure wins.
  [[nodiscard]] Status Set(const void* value) override;

  [[nodiscard]] std::uint16_t GetRememberedMonitor() const { return m_rememberedMonitor; }
  [[nodiscard]] bool IsMonitorShown() const { return m_monitorShown != 0; }

 private:
  [[nodiscard]] std::uint16_t Choice();

  std::uint16_t m_rememberedMonitor = 1;
  std::uint16_t m_monitorShown = 1;
};
