#pragma once

#include <cstdint>
#include <string>

#include "host/ControlPanel.h"

// One Control Panel applet module, loaded with dlopen, driven the way the
// Control Panel drives it: process attach, CPL_INIT ... CPL_EXIT, detach.
class CAppletModule {
 public:
  CAppletModule() = default;
  ~CAppletModule();
  CAppletModule(const CAppletModule&) = delete;
  CAppletModule& operator=(const CAppletModule&) = delete;

  // Loads the module and calls DllMain with process attach. False with
  // GetError() set when the module or one of its entries is missing.
  bool Load(const std::string& path);
  // DllMain with process detach, then dlclose (also done by the destructor).
  void Unload();

  std::int32_t Send(std::uint32_t message, std::intptr_t param1 = 0, std::intptr_t param2 = 0);

  [[nodiscard]] const std::string& GetError() const { return m_error; }

 private:
  void* m_handle = nullptr;
  CplAppletEntry m_applet = nullptr;
  DllMainEntry m_dllMain = nullptr;
  std::string m_error;
};
