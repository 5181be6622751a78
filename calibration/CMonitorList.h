#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/WinTypes.h"
#include "toolkit/controls/ZafList.h"

class CMonitorFunctions;

// Fills the monitor list of the Calibrate tab: an entry per monitor that can
// be the pen display, each carrying the monitor's handle (value) and its
// number in the system's order, from 1 (data), then selects the stored one.
class CMonitorList {
 public:
  explicit CMonitorList(CMonitorFunctions& functions) : m_functions(functions) {}

  // The entries for a tablet model; `prompt` names a monitor nothing more is known of.
  [[nodiscard]] std::vector<ZafListEntry> Entries(std::uint16_t tabletModel, const std::string& prompt);
  // Fills an empty list and selects in it; the stored monitor is read, and
  // written where the choice is the only one, through the views (1602).
  void Fill(ZafList& list, std::uint32_t useHid, const std::string& prompt);
  // Selects the stored monitor (or the first entry) in a filled list.
  static void Select(ZafList& list, std::uint16_t tabletModel, std::uint32_t useHid);

 private:
  // The entry of one monitor, or none (no device of it fits the tablet).
  [[nodiscard]] bool Examine(HMONITOR monitor, std::uint16_t tabletModel, const std::string& prompt,
                             std::string& text);

  CMonitorFunctions& m_functions;
};
