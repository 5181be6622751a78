#pragma once

#include <array>
#include <cstdint>
#include <map>
#include <memory>
#include <string>

#include "host/mainwindow/CMappingTabControls.h"
#include "host/mainwindow/ControlTable.h"
#include "protocol/Status.h"
#include "services/CWinEventTranslator.h"
#include "services/LanguageStringLookup.h"
#include "toolkit/ZafWindow.h"

class ZafApplication;
class ZafNotebook;
class ZafObjectPersistence;
class ZafTimer;

// The applet's one top-level window ("ConsumerCPLMainWindow"). It binds the
// named controls of its layout to control ids, turns what the user does into
// view requests, carries out the display changes the views ask for, owns the
// applet's dialogs, and refreshes every view periodically.
class CCPLMainWindow : public ZafWindow, public CWindowEventTarget {
 public:
  static constexpr std::int64_t kRefreshIntervalMs = 2500;

  // Window numbers of the window table.
  enum WindowNumber : int {
    kMainWindow = 0, kKeystrokeWindow = 1, kModifierWindow = 2, kDiagnosticsWindow = 3,
    kRunWindow = 4, kAboutWindow = 5, kDriverNotFoundWindow = 6, kManualNotFoundWindow = 7,
    kNoSupportedTabletWindow = 8, kSelectTabletWindow = 9, kCalibrateWindow = 14,
    kAdvancedWindow = 15, kWindowCount = 16
  };

  explicit CCPLMainWindow(ZafApplication& application);
  ~CCPLMainWindow() override;

  // The whole start-up: single-instance guard, windows, language strings,
  // binding, function lists, driver link, title, timer, manual check. 0 when
  // the window is up; 0xFFFF second instance; 4096 no driver; 4097 no tablet;
  // 4110 version mismatch; other statuses as the link start answered them.
  [[nodiscard]] virtual Status Run();
  // Why Run did not bring the window up, in a line a person can act on;
  // empty while it has not failed.
  [[nodiscard]] const std::string& FailureCause() const { return m_failureCause; }
  // A state event from the views (through the translator's routine).
  Status HandleWindowEvent(const StWindowEvent& event) override;
  // Shows, hides or greys a control (display state 0..2), or a tab.
  [[nodiscard]] virtual Status SetControlState(std::uint32_t controlId, std::uint32_t state);
  // Shows a control's value again (type 5), or runs the dialog behind an id.
  [[nodiscard]] virtual Status UpdateControl(std::uint32_t controlId, std::int32_t type);

  ZafEventType Event(const ZafEventStruct& event) override;

  // The window of the window table, or none.
  [[nodiscard]] ZafWindow* GetTableWindow(int number) const;
  // The control bound under an id in the control map, or none.
  [[nodiscard]] ZafWindowObject* GetControl(std::uint32_t controlId) const;
  [[nodiscard]] const LanguageStringTables& GetStringTables() const { return m_stringTables; }
  [[nodiscard]] std::uint32_t GetCurrentPage() const { return m_currentPage; }
  [[nodiscard]] std::uint32_t GetLanguage() const { return m_language; }
  [[nodiscard]] ZafTimer* GetRefreshTimer() const { return m_timer; }

  // The user's manual: kCheck tests that it exists, kOpen opens it.
  enum class ManualMode { kCheck, kOpen };
  [[nodiscard]] Status UseManual(ManualMode mode);

  // The string routine handed to the string manager; looks in the string
  // tables of the window that is running.
  static Status LookupString(const char* table, std::uint16_t number, char* out);

 private:
  // Start-up steps.
  [[nodiscard]] Status StartUp();
  [[nodiscard]] std::string DriverVersionText() const;
  [[nodiscard]] Status LoadWindowTable();
  [[nodiscard]] static Status ReadTableWindow(ZafObjectPersistence& persistence, int number, const char* name,
                                              std::unique_ptr<ZafWindow>& window);
  [[nodiscard]] Status ApplyLanguageStrings();
  void CollectStringTables();
  [[nodiscard]] Status BindControlTable();
  void Bind(const StControlRecord& record, ZafWindowObject& control);
  void FillFunctionLists();
  void ShowVersionMismatch() const;
  void SetTitle();

  // Control handlers (kChanged only).
  void OnControlChanged(ControlHandler handler, ZafWindowObject& control);
  void OnCheckBox(ZafWindowObject& control);
  void OnSlider(ZafWindowObject& control);
  void OnCombo(ZafWindowObject& control);
  void OnInteger();
  void OnRadio(ZafWindowObject& control);
  void OnTab(ZafWindowObject& control);
  void OnButton(ZafWindowObject& control);

  // Update control by kind, and the dialogs behind the special ids.
  [[nodiscard]] Status UpdateByKind(ZafWindowObject& control, std::uint32_t controlId);
  [[nodiscard]] Status UpdateRadioGroup(std::uint32_t controlId);
  [[nodiscard]] Status UpdateTabletList(ZafWindowObject& control);
  // Selects the tablet list's entry of that key.
  void PickTablet(std::uint32_t key);
  [[nodiscard]] Status UpdateMonitorList(ZafWindowObject& control);
  [[nodiscard]] Status UpdateImage(ZafWindowObject& control, std::uint32_t controlId);
  [[nodiscard]] Status UpdateWindowPosition();
  [[nodiscard]] Status RunDefineDialog(int number, std::uint32_t rootId, bool alwaysApply);
  [[nodiscard]] Status RunAdvancedSettings();
  [[nodiscard]] Status SetTabState(std::uint32_t tabId, std::uint32_t state);
  [[nodiscard]] ZafEventType RunModal(int number);
  void StopTimer();
  void StartTimer();
  [[nodiscard]] bool CtrlHeld() const;

  [[nodiscard]] ZafWindowObject* FindInTable(std::string_view name) const;
  [[nodiscard]] ZafWindowObject* FindNamed(std::string_view name) const;
  // As FindNamed, and in the pages of hidden tabs too.
  [[nodiscard]] ZafWindowObject* FindBound(std::string_view name) const;
  [[nodiscard]] Status Send(std::uint32_t operation, std::uint32_t controlId, void* data = nullptr) const;
  void Broadcast(std::uint32_t operation) const;

  // One slot per tab that views may hide: stylus, puck, tablet, calibrate, mapping.
  static constexpr std::size_t kTabSlotCount = 5;
  struct StTabSlot {
    std::unique_ptr<ZafWindow> page;
    ZafNotebook* notebook = nullptr;
  };

  ZafApplication& m_application;
  std::map<std::uint32_t, ZafWindowObject*> m_controls;
  std::map<int, std::unique_ptr<ZafWindow>> m_ownedWindows;
  std::map<int, ZafWindow*> m_windows;
  std::uint32_t m_currentPage = ControlId::kStylusTab;
  std::array<StTabSlot, kTabSlotCount> m_tabSlots;
  CMappingTabControls m_mapping;
  std::uint32_t m_useHid = 0;
  std::string m_manualPath;
  ZafTimer* m_timer = nullptr;
  LanguageStringTables m_stringTables;
  std::uint32_t m_language = 0;
  std::uint16_t m_tabletModel = 0;
  bool m_linkStarted = false;
  std::string m_failureCause;
  CWindowEventTarget* m_previousTarget = nullptr;
};
