// The user's manual: a PDF named by the general texts, in the directory the
// registry names.
#include "host/applet/ShellOpen.h"
#include "host/mainwindow/CCPLMainWindow.h"
#include "platform/Kernel.h"
#include "services/CRegistryManager.h"

namespace {
constexpr std::uint16_t kManualNameString = 1;
}  // namespace

Status CCPLMainWindow::UseManual(ManualMode mode) {
  char directory[256] = {};
  CRegistryManager* registry = GetRegistryManager();
  if (registry == nullptr) return kStatusOutOfMemory;
  KELVO_TRY(registry->ReadString("OEMDocLocation", directory, sizeof directory));
  if (m_manualPath.empty()) {
    char name[256] = {};
    DropStatus(LookupString("3001", kManualNameString, name),
               "a missing name leaves the file name empty, which the check then finds missing");
    // The registry names Windows-style directories; "\" is a separator here too.
    m_manualPath = std::string(directory) + "/" + name + ".pdf";
    if (m_manualPath.size() > 255) m_manualPath.resize(255);
  }
  if (mode == ManualMode::kCheck) {
    HANDLE file = CreateFileA(m_manualPath.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return kStatusNoChild;
    CloseHandle(file);
    return kStatusOk;
  }
  const std::intptr_t result = ShellOpen(m_manualPath, directory);
  return result == 2 || result == 3 || result == 31 ? kStatusNoChild : kStatusOk;
}
