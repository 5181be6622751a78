#include "host/applet/SingleInstance.h"

#include "platform/Kernel.h"
#include "services/CRegistryManager.h"

std::string SingleInstanceMutexName(std::uint32_t windowsVersion) {
  const bool global = windowsVersion == kWindows2000 || windowsVersion == kWindowsXp ||
                      windowsVersion == kWindowsServer2003;
  return global ? std::string("Global\\") + kSingleInstanceMutex : std::string(kSingleInstanceMutex);
}

Status AcquireSingleInstance(std::uint32_t windowsVersion) {
  const std::string name = SingleInstanceMutexName(windowsVersion);
  HANDLE mutex = CreateMutexA(nullptr, FALSE, name.c_str());
  if (mutex == nullptr) return kStatusUnknown;
  if (GetLastError() == ERROR_ALREADY_EXISTS) {
    CloseHandle(mutex);
    return kStatusUnknown;
  }
  // Left open on purpose: a second opening in this or another process finds it.
  return kStatusOk;
}
