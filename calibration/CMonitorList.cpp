#include "calibration/CMonitorList.h"

#include <cstdio>
#include <string>

#include "calibration/CMonitorFunctions.h"
#include "calibration/CalibrationTables.h"
#include "model/ModelCodes.h"
#include "views/CKelvoView.h"
#include "views/ControlIds.h"

namespace {

constexpr std::size_t kProductCodeLength = 4;

std::string EntryText(std::string_view name, std::uint32_t number) {
  char text[160] = {};
  std::snprintf(text, sizeof text, "%.*s (%u)", static_cast<int>(name.size()), name.data(), number);
  return text;
}

// Scripts choose a monitor by its number.
std::string EntryId(std::uint32_t number) { return "Monitor" + std::to_string(number); }

// Attached to the desktop, not a mirror.
bool Counts(DWORD flags) {
  return (flags & DISPLAY_DEVICE_ACTIVE) != 0 && (flags & DISPLAY_DEVICE_ATTACHED) != 0 &&
         (flags & DISPLAY_DEVICE_MIRRORING_DRIVER) == 0;
}

bool SizeAllowed(std::uint16_t model, const RECT& rect) {
  for (const StMonitorSize& size : AllowedMonitorSizes(model)) {
    if (rect.right - rect.left == size.width && rect.bottom - rect.top == size.height) return true;
  }
  return false;
}

BOOL CollectMonitor(HMONITOR monitor, HDC /*dc*/, LPRECT /*rect*/, LPARAM data) {
  reinterpret_cast<std::vector<HMONITOR>*>(data)->push_back(monitor);
  return TRUE;
}

void Send(std::uint32_t operation, void* data = nullptr) {
  DropStatus(SendViewRequest(operation, ControlId::kCalibrationMonitorComboBox, data),
             "the list shows the choice either way");
}

}  // namespace

std::vector<ZafListEntry> CMonitorList::Entries(std::uint16_t tabletModel, const std::string& prompt) {
  std::vector<HMONITOR> monitors;
  m_functions.EnumMonitors(nullptr, nullptr, CollectMonitor, reinterpret_cast<LPARAM>(&monitors));
  std::vector<ZafListEntry> entries;
  std::uint32_t number = 0;
  for (HMONITOR monitor : monitors) {
    ++number;
    const auto handle = static_cast<std::int32_t>(reinterpret_cast<std::uintptr_t>(monitor));
    if (IsTabletPcModel(tabletModel)) {
      // The digitizer is the first monitor; nothing else is looked at.
      entries.push_back({EntryText(prompt, number), EntryId(number), handle, number});
      break;
    }
    std::string text;
    if (!Examine(monitor, tabletModel, prompt, text)) continue;
    entries.push_back({EntryText(text, number), EntryId(number), handle, number});
  }
  return entries;
}

bool CMonitorList::Examine(HMONITOR monitor, std::uint16_t tabletModel, const std::string& prompt,
                           std::string& text) {
  MONITORINFOEXA info;
  if (m_functions.MonitorInfo(monitor, &info) == FALSE) return false;
  text = prompt;
  DISPLAY_DEVICEA device;
  DWORD number = 0;
  for (; m_functions.DisplayDevices(info.szDevice, number, &device, 0) != FALSE; ++number) {
    if (!Counts(device.StateFlags)) continue;
    const std::string_view id(device.DeviceID);
    if (const std::size_t at = id.find(kPenDisplayPrefix); at != std::string_view::npos) {
      const std::string_view code = id.substr(at + kPenDisplayPrefix.size(), kProductCodeLength);
      if (const StPenDisplayModel* display = FindPenDisplay(code)) text = std::string(display->name);
      return true;
    }
    if (SizeAllowed(tabletModel, info.rcMonitor)) return true;
  }
  // A monitor none of whose devices could be looked at may still be the one.
  return number == 0;
}

void CMonitorList::Fill(ZafList& list, std::uint32_t useHid, const std::string& prompt) {
  if (list.Count() != 0) return;
  std::uint16_t model = 0;
  DropStatus(SendViewRequest(kViewGet, ControlId::kTabletModel, &model), "an unknown model allows no sizes");
  for (ZafListEntry& entry : Entries(model, prompt)) list.AddEntry(std::move(entry));
  Select(list, model, useHid);
}

void CMonitorList::Select(ZafList& list, std::uint16_t tabletModel, std::uint32_t useHid) {
  if (list.Count() == 0) return;
  const auto sendFirst = [&list] {
    list.SetSelection(0);
    auto number = static_cast<std::uint32_t>(list.Entries().front().data);
    Send(kViewSet, &number);
    Send(kViewApply);
  };
  if (list.Count() == 1 || (IsTabletPcModel(tabletModel) && (useHid & 0x3U) != 0)) return sendFirst();
  std::uint32_t stored = 0;
  Send(kViewGet, &stored);
  stored &= 0xFFFFU;
  if (stored == 0) return list.SetSelection(0);
  if (stored > list.Count()) return sendFirst();
  list.SetSelection(static_cast<int>(stored) - 1);
}
