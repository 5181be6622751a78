#include "host/applet/CAppletEntry.h"

#include <algorithm>
#include <cstring>

#include "host/applet/IconTable.h"
#include "platform/Kernel.h"
#include "services/CRegistryManager.h"

namespace {
constexpr char kDefaultName[] = "Tablet Properties";

void CopyCut(char* out, std::size_t size, const char* text) {
  const std::size_t length = std::min(std::strlen(text), size - 1);
  std::memcpy(out, text, length);
  out[length] = '\0';
}
}  // namespace

StAppletInfo ReadAppletInfo() {
  StAppletInfo info{};
  CopyCut(info.name, sizeof info.name, kDefaultName);
  CopyCut(info.description, sizeof info.description, kDefaultName);
  info.iconId = kAppletIcon;
  CRegistryManager* registry = GetRegistryManager();
  if (registry == nullptr) return info;
  // Missing or unreadable values leave the defaults; nothing is reported.
  DropStatus(registry->ReadString("OEMCPLName", info.name, sizeof info.name),
             "a missing value leaves the default name");
  DropStatus(registry->ReadString("OEMCPLComment", info.description, sizeof info.description),
             "a missing value leaves the default description");
  std::uint32_t icon = 0;
  if (registry->ReadNumber("CPLIcon", &icon) == kStatusOk &&
      (icon == kAppletIcon || icon == kAppletIconAlternative))
    info.iconId = static_cast<std::int32_t>(icon);
  return info;
}

std::int32_t CAppletEntry::DllMain(void* instance, std::uint32_t reason) {
  if (reason == kDllProcessAttach) m_instance = instance;
  else if (reason == kDllProcessDetach) {
    m_instance = nullptr;
    // The registry manager outlives every run; it goes with the module.
    ReleaseRegistryManager();
  }
  return 1;
}

std::int32_t CAppletEntry::Init(void* hostWindow, const StAppletInfo& info) {
  if (m_instance == nullptr || m_hostWindow != nullptr || m_icon != 0) return 0;
  m_hostWindow = hostWindow;
  char file[260] = {};
  const HMODULE module = GetModuleHandleFromAddress(reinterpret_cast<const void*>(&ReadAppletInfo));
  if (GetModuleFileNameA(module, file, sizeof file) == 0) return 0;
  m_icon = ExtractIconA(nullptr, file, -info.iconId);
  return 1;
}

std::int32_t CAppletEntry::CPlApplet(void* hostWindow, std::uint32_t message, std::intptr_t /*param1*/,
                                     std::intptr_t param2) {
  const StAppletInfo info = ReadAppletInfo();
  switch (message) {
    case kCplInit: return Init(hostWindow, info);
    case kCplGetCount: return 1;
    case kCplInquire:
      if (param2 != 0) std::memset(reinterpret_cast<void*>(param2), 0, sizeof(StCplInfo));
      return 0;
    case kCplDblClk: (void)m_runner(m_instance); return 0;
    case kCplExit:
      m_hostWindow = nullptr;
      if (m_icon != 0) (void)DestroyIcon(m_icon);
      m_icon = 0;
      return 0;
    case kCplNewInquire: {
      if (param2 == 0) return 0;
      auto* block = reinterpret_cast<StNewCplInfo*>(param2);
      std::memset(block, 0, sizeof *block);
      block->size = sizeof *block;
      block->icon = m_icon;
      CopyCut(block->name, sizeof block->name, info.name);
      CopyCut(block->info, sizeof block->info, info.description);
      return 0;
    }
    case kCplStartWithParamsA:
    case kCplStartWithParamsW: (void)m_runner(m_instance); return 1;
    default: return 0;
  }
}
