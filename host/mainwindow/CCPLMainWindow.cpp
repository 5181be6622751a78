#include "host/mainwindow/CCPLMainWindow.h"

#include <cstdio>
#include <cstring>

#include "driver/CWinDriverInterface.h"
#include "functions/CAppletModelFactory.h"
#include "host/applet/AppletMessageBox.h"
#include "host/applet/SingleInstance.h"
#include "host/upperview/CUpperViewLink.h"
#include "model/CDriverLink.h"
#include "model/CDriverObject.h"
#include "model/DriverVersion.h"
#include "model/ModelCodes.h"
#include "model/ModelReads.h"
#include "platform/Registry.h"
#include "services/CEventTranslator.h"
#include "services/CRegistryManager.h"
#include "settings/MakeNoThrow.h"
#include "toolkit/ZafApplication.h"
#include "toolkit/ZafTimer.h"
#include "views/ControlIds.h"

namespace {

// The window whose string tables the string routine reads.
CCPLMainWindow* g_running = nullptr;

constexpr const char* kUseHidKeys[] = {
    "SYSTEM\\CurrentControlSet\\Services\\KelvoXFWPen\\Prefs",
    "SYSTEM\\CurrentControlSet\\Services\\KelvoVHidPen\\Prefs",
    "Software\\kelvo",
};

std::string Hex(Status status) {
  char text[8] = {};
  std::snprintf(text, sizeof text, "0x%04X", static_cast<unsigned>(status));
  return text;
}

std::uint32_t ReadUseHid() {
  for (const char* path : kUseHidKeys) {
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, path, 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS) continue;
    std::uint32_t value = 0;
    DWORD size = sizeof value;
    DWORD kind = 0;
    if (RegQueryValueExA(key, "UseHID", nullptr, &kind, reinterpret_cast<BYTE*>(&value), &size) != ERROR_SUCCESS)
      value = 0;
    RegCloseKey(key);
    return value;
  }
  return 0;
}

}  // namespace

CCPLMainWindow::CCPLMainWindow(ZafApplication& application)
    : m_application(application),
      m_mapping([this](std::uint32_t operation, std::uint32_t id, void* data) { return Send(operation, id, data); },
                [this](std::string_view name) { return FindNamed(name); },
                [](std::uint16_t number) {
                  char text[256] = {};
                  DropStatus(LookupString("3001", number, text), "a missing text shows blank");
                  return std::string(text);
                }) {}

CCPLMainWindow::~CCPLMainWindow() {
  if (m_linkStarted) {
    // The window's left-top corner is kept by the driver for the next opening.
    std::int32_t position[2] = {Region().left, Region().top};
    DropStatus(Send(kViewSet, ControlId::kWindowPosition, position),
               "the window is closing; a position not kept only costs the next opening its place");
  }
  if (m_timer != nullptr) {
    m_application.EventManager().RemoveTimer(m_timer);
    m_timer = nullptr;
  }
  for (StTabSlot& slot : m_tabSlots) slot.page.reset();
  for (auto& [number, window] : m_ownedWindows) {
    if (window) m_application.Forget(*window);
  }
  m_ownedWindows.clear();
  (void)SetNotificationTarget(m_previousTarget);
  StopDriverLink();
  m_controls.clear();
  m_windows.clear();
  m_application.Forget(*this);
  if (g_running == this) g_running = nullptr;
}

Status CCPLMainWindow::Run() {
  const Status result = StartUp();
  if (result != kStatusOk && m_failureCause.empty())
    m_failureCause = "the main window could not start (status " + Hex(result) + ")";
  return result;
}

Status CCPLMainWindow::StartUp() {
  CRegistryManager* registry = GetRegistryManager();
  if (registry == nullptr) return kStatusOutOfMemory;
  KELVO_TRY(AcquireSingleInstance(registry->GetWindowsVersion(), m_failureCause));
  m_useHid = ReadUseHid();
  if (const Status loaded = LoadWindowTable(); loaded != kStatusOk) {
    m_failureCause = "the windows of the resource file cannot be read (status " + Hex(loaded) + ")";
    return loaded;
  }

  // The window goes on screen only once the driver link has started (below),
  // so that a failure's dialog never stands before a half-built window.
  m_language = registry->SelectLanguage();
  (void)SetMessageBoxCodePage(CodePageOfLanguage(m_language));
  DropStatus(ApplyLanguageStrings(), "a language without strings keeps the layout's own texts");
  CollectStringTables();
  g_running = this;
  m_previousTarget = SetNotificationTarget(this);

  KELVO_TRY(BindControlTable());
  FillFunctionLists();

  StDriverLinkStart start;
  start.notify = NotifyTargetWindow;
  start.strings = LookupString;
  start.makeUpperView = CUpperViewLink::Make;
  start.makeModelFactory = [] { return MakeNoThrow<CAppletModelFactory>(); };
  m_linkStarted = true;
  const Status linked = StartDriverLink(start);
  if (linked == kStatusVersionMismatch) {
    m_failureCause = "the tablet driver's version " + DriverVersionText() +
                     " does not fit this applet (" + kAppletVersionString + ")";
    ShowVersionMismatch();
    return linked;
  }
  if (linked == kStatusNoDriverInterface) {
    m_failureCause = "no tablet driver: " + CWinDriverInterface::DescribeAbsence();
    (void)RunModal(kDriverNotFoundWindow);
    return linked;
  }
  if (linked == kStatusNoTablet) m_failureCause = "no supported tablet is attached";
  if (linked != kStatusOk) return linked;

  SetTitle();
  if (const auto& arguments = m_application.Arguments();
      arguments.size() > 1 && arguments[1] == "diagnostics")
    DropStatus(Send(kViewRefresh, ControlId::kOpenDiagnostics),
               "the window opens even when the diagnostics cannot");

  m_application.WindowManager().Add(*this);
  auto timer = std::make_unique<ZafTimer>(kRefreshIntervalMs, this);
  m_timer = m_application.EventManager().AddTimer(std::move(timer));
  // The window opens with the driver's values, not the layout's.
  Broadcast(kViewRefresh);
  if (UseManual(ManualMode::kCheck) != kStatusOk)
    DropStatus(SetControlState(ControlId::kHelpButton, kStateHidden),
               "a layout without the button has nothing to hide");
  return kStatusOk;
}

std::string CCPLMainWindow::DriverVersionText() const {
  VersionRecord version{};
  CDriverObject* driver = GetDriverObject();
  if (driver == nullptr || ReadItem(*driver, kItemDriverVersion, version) != kStatusOk)
    return "(unreadable)";
  return std::to_string(version[0]) + "." + std::to_string(version[1]) + std::to_string(version[2]);
}

void CCPLMainWindow::SetTitle() {
  std::string title = Text();
  char name[200] = {};
  if (CRegistryManager* registry = GetRegistryManager();
      registry != nullptr && registry->ReadString("OEMCPLName", name, sizeof name) == kStatusOk)
    title = name;
  SetText(title);
}

void CCPLMainWindow::ShowVersionMismatch() const {
  const StVersionMismatchMessage* message = &GetVersionMismatchMessage(m_language);
  std::uint32_t codePage = CodePageOfLanguage(m_language);
  // Swedish has no message of its own; English says it rather than nothing.
  if (message->title[0] == '\0') {
    message = &GetVersionMismatchMessage(kLanguageEnglish);
    codePage = CodePageOfLanguage(kLanguageEnglish);
  }
  const std::uint32_t previous = SetMessageBoxCodePage(codePage);
  (void)MessageBoxA(nullptr, message->text, message->title, MB_OK);
  (void)SetMessageBoxCodePage(previous);
}

Status CCPLMainWindow::HandleWindowEvent(const StWindowEvent& event) {
  if (event.value != nullptr) {
    if (event.type != kWindowEventControl) return kStatusNoItem;
    return SetControlState(event.controlId, *event.value);
  }
  return UpdateControl(event.controlId, event.type);
}

ZafEventType CCPLMainWindow::Event(const ZafEventStruct& event) {
  if (event.type == kZafEventTimer || event.type == kZafEventRefresh) Broadcast(kViewRefresh);
  return ZafWindow::Event(event);
}

ZafWindow* CCPLMainWindow::GetTableWindow(int number) const {
  const auto it = m_windows.find(number);
  return it != m_windows.end() ? it->second : nullptr;
}

ZafWindowObject* CCPLMainWindow::GetControl(std::uint32_t controlId) const {
  const auto it = m_controls.find(controlId);
  return it != m_controls.end() ? it->second : nullptr;
}

Status CCPLMainWindow::Send(std::uint32_t operation, std::uint32_t controlId, void* data) const {
  CEventTranslator* translator = GetEventTranslator();
  if (translator == nullptr) return kStatusOutOfMemory;
  return translator->Send(operation, controlId, data);
}

void CCPLMainWindow::Broadcast(std::uint32_t operation) const {
  DropStatus(Send(operation, kBroadcastId),
             "a broadcast goes to every view; failures stay with each view");
}

Status CCPLMainWindow::LookupString(const char* table, std::uint16_t number, char* out) {
  if (g_running == nullptr) return kStatusNotFound;
  return LookupLanguageString(g_running->m_stringTables, table, number, out);
}
