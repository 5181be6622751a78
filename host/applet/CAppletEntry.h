#pragma once

#include <cstdint>
#include <functional>

#include "host/ControlPanel.h"

// What the Control Panel shows for the applet.
struct StAppletInfo {
  char name[32];
  char description[64];
  std::int32_t iconId;
};

inline constexpr std::int32_t kAppletIcon = 101;
inline constexpr std::int32_t kAppletIconAlternative = 102;

// The defaults, overridden by "OEMCPLName", "OEMCPLComment" and "CPLIcon".
[[nodiscard]] StAppletInfo ReadAppletInfo();

// The Control Panel side of the module: the instance, the host window and
// the icon, and the answer to each Control Panel message.
class CAppletEntry {
 public:
  // Runs the applet (start-up to close); answers its exit value.
  using Runner = std::function<std::int32_t(void* instance)>;

  explicit CAppletEntry(Runner runner) : m_runner(std::move(runner)) {}

  std::int32_t DllMain(void* instance, std::uint32_t reason);
  std::int32_t CPlApplet(void* hostWindow, std::uint32_t message, std::intptr_t param1, std::intptr_t param2);

  [[nodiscard]] void* Instance() const { return m_instance; }
  [[nodiscard]] HandleValue Icon() const { return m_icon; }

 private:
  std::int32_t Init(void* hostWindow, const StAppletInfo& info);

  Runner m_runner;
  void* m_instance = nullptr;
  void* m_hostWindow = nullptr;
  HandleValue m_icon = 0;
};
