#include "service/input/CReplay.h"

std::size_t CReplay::Play(const CEventRecording& recording) {
  std::size_t reports = 0;
  for (const StInputEvent& event : recording.m_events)
    if (Feed(event, recording.m_device)) ++reports;
  m_pipeline.Release();
  return reports;
}

bool CReplay::Feed(const StInputEvent& event, const StDeviceDescription& device) {
  m_closed = m_assembler.Feed(event);
  if (!m_closed) return false;
  const StInputReport& report = m_assembler.Report();
  // Settings are read each time a tool comes near, so that what the applet
  // changed meanwhile applies; a pen's tip and eraser ends are one tool.
  const ToolKind kind = report.tool == ToolKind::kEraser ? ToolKind::kPen : report.tool;
  const bool arriving = report.proximity && !m_near;
  m_near = report.proximity;
  if (report.proximity && (arriving || !m_configured || kind != m_kind || report.serial != m_serial)) {
    StToolSettings settings;
    m_configured = m_settingsFor(kind, report.serial, settings);
    if (m_configured) m_pipeline.Configure(settings, device);
    m_kind = kind;
    m_serial = report.serial;
  }
  if (!m_configured) return false;
  m_pipeline.Process(report);
  return true;
}
