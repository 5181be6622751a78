#pragma once

#include <cstdint>
#include <functional>

#include "service/input/CEventRecording.h"
#include "service/input/CInputPipeline.h"
#include "service/input/CReportAssembler.h"
#include "service/input/StToolSettings.h"

// Plays a recording through the pipeline as the service plays a device: the
// events become reports, and each report goes through the settings of the
// tool it comes from. `settingsFor` answers them (from the driver model in
// the service, from a table in tests); a tool without settings is skipped.
class CReplay {
 public:
  using SettingsSource = std::function<bool(ToolKind kind, std::uint32_t serial, StToolSettings& out)>;

  CReplay(CInputPipeline& pipeline, SettingsSource settingsFor)
      : m_pipeline(pipeline), m_settingsFor(std::move(settingsFor)) {}

  // Returns the number of reports processed.
  std::size_t Play(const CEventRecording& recording);
  // One event; true when it closed a report that went through the pipeline.
  bool Feed(const StInputEvent& event, const StDeviceDescription& device);
  // Whether the last event fed closed a report (gone through or not), and that report.
  [[nodiscard]] bool Closed() const { return m_closed; }
  [[nodiscard]] const StInputReport& Report() const { return m_assembler.Report(); }

 private:
  CInputPipeline& m_pipeline;
  SettingsSource m_settingsFor;
  CReportAssembler m_assembler;
  ToolKind m_kind = ToolKind::kNone;
  std::uint32_t m_serial = 0;
  bool m_configured = false;
  bool m_near = false;
  bool m_closed = false;
};
