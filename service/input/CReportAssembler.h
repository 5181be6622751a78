#pragma once

#include "service/input/StInputEvent.h"
#include "service/input/StInputReport.h"

// Gathers a device's events into reports: each SYN_REPORT closes one. After
// SYN_DROPPED the events up to the next SYN_REPORT are lost in the kernel,
// so they are skipped rather than taken for a whole report.
class CReportAssembler {
 public:
  // True when `event` closed a report; Report() then holds it.
  [[nodiscard]] bool Feed(const StInputEvent& event);
  [[nodiscard]] const StInputReport& Report() const { return m_report; }

 private:
  StInputReport m_state;
  StInputReport m_report;
  bool m_dropping = false;
};
