#include "platform/User.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cstring>
#include <string>

#include "platform/CDesktop.h"

namespace {
DWORD g_dialogError = 0;

// "All Files (*.*)\0*.*\0\0" as "All Files (*.*)|*.*".
std::string FilterText(LPCSTR filter) {
  std::string out;
  if (filter == nullptr) return out;
  for (const char* at = filter; *at != '\0'; at += std::strlen(at) + 1) {
    if (!out.empty()) out += '|';
    out += at;
  }
  return out;
}
}  // namespace

BOOL MessageBeep(UINT /*type*/) {
  if (isatty(STDERR_FILENO) == 1) {
    const char bell = '\a';
    if (write(STDERR_FILENO, &bell, 1) != 1) return FALSE;
  }
  return TRUE;
}

BOOL GetOpenFileNameA(OPENFILENAMEA* openFileName) {
  g_dialogError = 0;
  CDesktop* desktop = GetDesktop();
  if (openFileName == nullptr || openFileName->lpstrFile == nullptr || openFileName->nMaxFile == 0 ||
      desktop == nullptr) {
    return FALSE;
  }
  OPENFILENAMEA& ofn = *openFileName;
  std::string path(ofn.lpstrFile, strnlen(ofn.lpstrFile, ofn.nMaxFile));
  const std::string title = ofn.lpstrTitle != nullptr ? ofn.lpstrTitle : "";
  if (!desktop->ChooseFile(ofn.hwndOwner, title, FilterText(ofn.lpstrFilter), path)) return FALSE;
  struct stat status {};
  if ((ofn.Flags & OFN_FILEMUSTEXIST) != 0 && stat(path.c_str(), &status) != 0) return FALSE;
  if (path.size() + 1 > ofn.nMaxFile) {
    g_dialogError = FNERR_BUFFERTOOSMALL;
    if (ofn.nMaxFile >= 2) {
      const auto needed = static_cast<WORD>(path.size() + 1 > 0xFFFF ? 0xFFFF : path.size() + 1);
      std::memcpy(ofn.lpstrFile, &needed, sizeof needed);
    }
    return FALSE;
  }
  std::memcpy(ofn.lpstrFile, path.c_str(), path.size() + 1);
  const std::size_t slash = path.find_last_of("/\\");
  const std::size_t name = slash == std::string::npos ? 0 : slash + 1;
  const std::size_t dot = path.find('.', name);
  ofn.nFileOffset = static_cast<WORD>(name);
  ofn.nFileExtension = static_cast<WORD>(dot == std::string::npos ? path.size() : dot + 1);
  return TRUE;
}

DWORD CommDlgExtendedError() { return g_dialogError; }
