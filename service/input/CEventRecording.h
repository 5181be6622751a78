#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "protocol/Status.h"
#include "service/input/StInputEvent.h"

// An event stream with the description of the device it came from, as the
// text that `tabletctl record` writes and replays read (docs/event-recordings.md).
class CEventRecording {
 public:
  // Replaces what the recording held; on failure `error` names the line and
  // the recording is left empty.
  [[nodiscard]] Status Read(std::string_view text, std::string& error);
  [[nodiscard]] std::string Write() const;
  // One event line, without the line end.
  [[nodiscard]] static std::string EventLine(const StInputEvent& event);

  StDeviceDescription m_device;
  std::vector<StInputEvent> m_events;

  static constexpr std::string_view kMagic = "kelvo-events 1";
};
