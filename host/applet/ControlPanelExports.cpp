// The module's two entries, with C linkage, as the Control Panel finds them.
#include "host/ControlPanel.h"
#include "host/applet/CAppletEntry.h"
#include "host/applet/StartupEntry.h"

namespace {
CAppletEntry& Applet() {
  static CAppletEntry applet([](void* instance) { return StartupEntry(instance, nullptr, nullptr, 0); });
  return applet;
}
}  // namespace

extern "C" __attribute__((visibility("default"))) std::int32_t DllMain(void* instance, std::uint32_t reason,
                                                                       void* /*reserved*/) {
  return Applet().DllMain(instance, reason);
}

extern "C" __attribute__((visibility("default"))) std::int32_t CPlApplet(void* hostWindow, std::uint32_t message,
                                                                         std::intptr_t param1, std::intptr_t param2) {
  return Applet().CPlApplet(hostWindow, message, param1, param2);
}
