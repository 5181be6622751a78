#include "host/mainwindow/CCPLMainWindow.h"

#include <cstring>

#include "functions/CAppletModelFactory.h"
#include "host/applet/AppletMessageBox.h"
#include "host/applet/SingleInstance.h"
#include "host/upperview/CUpperView.h"
#include "model/CDriverLink.h"
#include "model/DriverVersion.h"
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

CCPLMainWindow::CCPLMainWindow(ZafApplication& application) : m_application(application) {}

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
  CRegistryManager* registry = GetRegistryManager();
  if (registry == nullptr) return kStatusOutOfMemory;
  KELVO_TRY(AcquireSingleInstance(registry->GetWindowsVersion()));
  m_useHid = ReadUseHid();
  KELVO_TRY(LoadWindowTable());

  m_application.WindowManager().Add(*this);
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
    ShowVersionMismatch();
    return linked;
  }
  if (linked == kStatusNoDriverInterface) {
    (void)RunModal(kDriverNotFoundWindow);
    return linked;
  }
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
