#pragma once

// The real main window over the real resource file, on the headless
// presenter, with the tablet service in this process, and what a user would
// do to its tabs and what the service then holds. Each test has its own
// runtime folder, so the single-instance lock of one never holds another.
#include <cstdint>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "host/applet/CUserPersist.h"
#include "host/mainwindow/CCPLMainWindow.h"
#include "support/CRecordingDriverInterface.h"
#include "support/CScopedEnv.h"
#include "support/CTempDir.h"
#include "toolkit/ZafApplication.h"
#include "toolkit/automation/ZafHeadlessPresenter.h"
#include "toolkit/storage/ZafStorage.h"

class CItemView;
class ZafWindowObject;

// The headless presenter, noting which windows were on screen whenever a
// dialog or message box came up.
class CWatchingPresenter : public ZafHeadlessPresenter {
 public:
  void BeginModal(ZafWindow& window) override;
  ZafMessageAnswer MessageBox(const std::string& title, const std::string& text,
                              ZafMessageButtons buttons) override;

  // For each dialog, by its name (a message box by its title): what was shown then.
  std::vector<std::pair<std::string, std::vector<std::string>>> behindDialogs;

 private:
  void Note(const std::string& dialog);
};

class CTabsFixture : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  // Opens the main window on a profile of service/profiles (empty: built-in),
  // closing the one open, and answers what its start-up answered.
  Status Open(const std::string& profile = {});
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
  // The value at a path as a little-endian number (its first four bytes);
  // with `factory`, the driver's factory value.
  [[nodiscard]] std::uint32_t Read(const std::string& pattern, bool factory = false);
  [[nodiscard]] std::vector<std::uint8_t> ReadBytes(const std::string& pattern, bool factory = false);
  // Changes a value as the driver itself would (another program, a battery
  // running down), read-only values included.
  void Change(const std::string& pattern, std::uint32_t value);
  void Restore(const std::string& pattern, const std::vector<std::uint8_t>& bytes);

  // A control of the main window by name.
  [[nodiscard]] ZafWindowObject& Control(const std::string& name);
  // What the control shows as the value it stands for: a slider's position,
  // 1 or 0 for a check box, the checked button's value minus 1 for a radio
  // group, the selected entry's value minus 1 for a list, the number of a
  // spin control, the number ending an image's picture name.
  [[nodiscard]] std::int32_t Shown(const std::string& name);
  // Sets the control to what it stands for, as a user would.
  void Act(const std::string& name, std::int32_t value);
  void SelectTab(const std::string& page);
  // One tick of the refresh timer.
  void Tick();
  // The item views bound to an item in the window's views, its current tab's included.
  [[nodiscard]] std::vector<CItemView*> BoundViews();

  CTempDir m_temp;
  CScopedEnv m_runtime{"KELVO_RUNTIME_DIR", m_temp.Path()};
  CScopedEnv m_registry{"KELVO_REGISTRY", m_temp.Path() + "/registry.reg"};
  CScopedEnv m_language{"LC_ALL", std::string("C")};
  CWatchingPresenter* m_presenter = nullptr;
  std::unique_ptr<ZafApplication> m_application;
  ZafStorage m_storage;
  std::unique_ptr<CUserPersist> m_persistence;
  std::unique_ptr<CCPLMainWindow> m_window;

 private:
  // Closes the window; the next opening gets a runtime folder of its own, as
  // the closed one's single-instance lock stays taken.
  void CloseWindow();

  std::string m_pen;
  std::string m_puck;
  int m_closed = 0;
};
