#include "calibration/CCalibrationLauncher.h"

#include <string>

#include "calibration/CCalibrateDialog.h"
#include "calibration/CalibrationTables.h"
#include "model/ModelCodes.h"
#include "platform/Kernel.h"
#include "platform/Shell.h"
#include "services/CRegistryManager.h"
#include "toolkit/ZafApplication.h"
#include "toolkit/ZafEventManager.h"
#include "toolkit/ZafTimer.h"
#include "toolkit/ZafWindowManager.h"
#include "toolkit/controls/ZafList.h"
#include "views/CKelvoView.h"
#include "views/ControlIds.h"

namespace {

constexpr char kDefaultProgram[] = "%windir%\\system32\\TabCal.exe";
// A registry value of the applet's parameters may name another program.
constexpr char kProgramValue[] = "CalibrationProgram";
constexpr DWORD kPollMs = 10;
constexpr std::size_t kProgramLength = 260;

void SendToViews(std::uint32_t operation, std::uint32_t id) {
  DropStatus(SendViewRequest(operation, id), "the views answer for themselves");
}

std::string ProgramName() {
  char name[kProgramLength] = {};
  if (CRegistryManager* registry = GetRegistryManager();
      registry != nullptr && registry->ReadString(kProgramValue, name, sizeof name) == kStatusOk && name[0] != '\0')
    return name;
  return kDefaultProgram;
}

void ReportMissingProgram(ZafApplication& application, CCalibrateDialog* dialog, const std::string& program) {
  ZafWindowObject* text = dialog != nullptr ? dialog->Find("CalibrateProgramMissing") : nullptr;
  std::string message = text != nullptr ? text->Text() : std::string("The calibration program could not be started.");
  application.ErrorBox(dialog != nullptr ? dialog->Text() : std::string(), message + " (" + program + ")");
}

}  // namespace

bool CCalibrationLauncher::UsesSystemProgram(CMonitorFunctions& functions, std::uint32_t useHid,
                                             std::uint16_t tabletModel) {
  return (useHid & 0x1U) != 0 && IsTabletPcModel(tabletModel) && functions.SystemMetrics(SM_TABLETPC) != 0;
}

void CCalibrationLauncher::Start(const StCalibrationStart& start) {
  if (start.dialog != nullptr && UsesSystemProgram(start.dialog->Monitors(), start.useHid, start.tabletModel))
    return RunSystemProgram(start);
  RunDialog(start);
}

void CCalibrationLauncher::SetTimer(const StCalibrationStart& start, bool running) {
  if (start.refreshTimer != nullptr)
    start.application.EventManager().SendTimerEvent(*start.refreshTimer,
                                                    running ? kZafEventTimerOn : kZafEventTimerOff);
}

void CCalibrationLauncher::RunSystemProgram(const StCalibrationStart& start) {
  SetTimer(start, false);
  const std::string program = ProgramName();
  SHELLEXECUTEINFOA info;
  info.fMask = SEE_MASK_NOCLOSEPROCESS | SEE_MASK_DOENVSUBST;
  info.lpVerb = "open";
  info.lpFile = program.c_str();
  info.nShow = SW_SHOWNORMAL;
  if (ShellExecuteExA(&info) == FALSE || info.hProcess == nullptr) {
    ReportMissingProgram(start.application, start.dialog, program);
  } else {
    // The window waits: the program owns the screen until it ends.
    while (WaitForSingleObject(info.hProcess, kPollMs) == WAIT_TIMEOUT) {
    }
    CloseHandle(info.hProcess);
  }
  for (std::uint32_t id : {ControlId::kCalibrateDialog, ControlId::kCalibratedFlag, ControlId::kCalibratedOrigin,
                           ControlId::kCalibratedExtent})
    SendToViews(kViewRevert, id);
  SetTimer(start, true);
}

void CCalibrationLauncher::RunDialog(const StCalibrationStart& start) {
  const ZafListEntry* entry = start.monitorList != nullptr ? start.monitorList->SelectedEntry() : nullptr;
  MONITORINFO info;
  const auto monitor = reinterpret_cast<HMONITOR>(
      static_cast<std::uintptr_t>(static_cast<std::uint32_t>(entry != nullptr ? entry->value : 0)));
  if (entry == nullptr || start.dialog == nullptr || start.dialog->Monitors().MonitorInfo(monitor, &info) == FALSE) {
    SendToViews(kViewRevert, ControlId::kCalibrateDialog);
    return;
  }
  SetTimer(start, false);
  ZafWindowManager& windows = start.application.WindowManager();
  windows.Add(*start.dialog);
  ZafEventStruct rect;
  rect.type = kZafEventMonitorRect;
  rect.target = start.dialog;
  rect.data = {info.rcMonitor.left, info.rcMonitor.top, info.rcMonitor.right, info.rcMonitor.bottom};
  start.application.EventManager().Post(rect);
  (void)windows.RunModal(*start.dialog);
  if (start.focusAfter != nullptr) start.focusAfter->SetFocus();
  SetTimer(start, true);
}
