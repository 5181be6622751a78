#include "cplhost/CAppletModule.h"

#include <dlfcn.h>

CAppletModule::~CAppletModule() { Unload(); }

bool CAppletModule::Load(const std::string& path) {
  Unload();
  // A bare name would be looked up on the loader's path, not in the folder.
  const std::string where = path.find('/') == std::string::npos ? "./" + path : path;
  m_handle = dlopen(where.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (m_handle == nullptr) {
    const char* why = dlerror();
    m_error = why != nullptr ? why : "cannot load " + path;
    return false;
  }
  m_applet = reinterpret_cast<CplAppletEntry>(dlsym(m_handle, kCplAppletSymbol));
  m_dllMain = reinterpret_cast<DllMainEntry>(dlsym(m_handle, kDllMainSymbol));
  if (m_applet == nullptr || m_dllMain == nullptr) {
    m_error = path + " is not a Control Panel applet (no " +
              (m_applet == nullptr ? kCplAppletSymbol : kDllMainSymbol) + " entry)";
    dlclose(m_handle);
    m_handle = nullptr;
    m_applet = nullptr;
    m_dllMain = nullptr;
    return false;
  }
  m_dllMain(m_handle, kDllProcessAttach, nullptr);
  return true;
}

void CAppletModule::Unload() {
  if (m_handle == nullptr) return;
  m_dllMain(m_handle, kDllProcessDetach, nullptr);
  dlclose(m_handle);
  m_handle = nullptr;
  m_applet = nullptr;
  m_dllMain = nullptr;
}

std::int32_t CAppletModule::Send(std::uint32_t message, std::intptr_t param1,
                                 std::intptr_t param2) {
  if (m_applet == nullptr) return 0;
  // The host window is this process: the applet only records it.
  static int hostWindow = 0;
  return m_applet(&hostWindow, message, param1, param2);
}
