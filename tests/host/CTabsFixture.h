#pragma once

// The real main window on a shipped profile, with what a user would do to its
// tabs and what the tablet service then holds.
#include <cstdint>
#include <string>
#include <vector>

#include "CMainWindowFixture.h"

class ZafWindowObject;

class CTabsFixture : public CMainWindowFixture {
 protected:
  // Opens the window on a profile of service/profiles ("default": the
  // built-in one) or, for "model-230", the tablet of the acceptance profiles
  // that has a tablet tab, used as a user does: Ctrl held as its "not
  // supported" dialog closes.
  void OpenProfile(const std::string& profile);

  [[nodiscard]] CTabletService& Service();
  // A service path with the tool and mapping parts filled in: {pen} and
  // {puck} the first stylus and puck ("2:0/4:n"), {tablet} the tablet,
  // {penmap} and {puckmap} the display part of their mapping context.
  [[nodiscard]] std::string Path(const std::string& pattern);
  // The value at a path as a little-endian number (its first four bytes).
  [[nodiscard]] std::uint32_t Read(const std::string& pattern);
  [[nodiscard]] std::vector<std::uint8_t> ReadBytes(const std::string& pattern);
  [[nodiscard]] std::uint32_t ReadDefault(const std::string& pattern);
  // Changes a value as the driver itself would (another program, a battery
  // running down), read-only values included.
  void Change(const std::string& pattern, std::uint32_t value);
  void Restore(const std::string& pattern, const std::vector<std::uint8_t>& bytes);

  // A control by name in the main window, else in the advanced settings.
  [[nodiscard]] ZafWindowObject& Control(const std::string& name);
  [[nodiscard]] bool Usable(const std::string& name);
  // What the control shows as the value it stands for: a slider's position,
  // 1 or 0 for a check box, the checked button's value minus 1 for a radio
  // group, the selected entry's value minus 1 for a list, the number of an
  // integer field or spin control, the number ending an image's picture name.
  [[nodiscard]] std::int32_t Shown(const std::string& name);
  // Sets the control to what it stands for, as a user would.
  void Act(const std::string& name, std::int32_t value);
  void SelectTab(const std::string& page);
  [[nodiscard]] std::string CurrentTab();
  // One tick of the refresh timer.
  void Tick();

 private:
  void FindTools();

  std::string m_pen;
  std::string m_puck;
};
