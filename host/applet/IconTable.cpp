#include "host/applet/IconTable.h"

#include <filesystem>
#include <fstream>
#include <map>
#include <string>

namespace {

std::map<HandleValue, std::string>& Icons() {
  static std::map<HandleValue, std::string> icons;
  return icons;
}
HandleValue g_nextIcon = 1;

bool IsPng(const std::filesystem::path& path) {
  static constexpr unsigned char kSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  std::ifstream in(path, std::ios::binary);
  char head[8] = {};
  if (!in.read(head, sizeof head)) return false;
  for (std::size_t i = 0; i < sizeof head; ++i)
    if (static_cast<unsigned char>(head[i]) != kSignature[i]) return false;
  return true;
}

}  // namespace

HandleValue ExtractIconA(void* /*instance*/, const char* moduleFile, std::int32_t index) {
  // Only icons named by resource id are kept in the module.
  if (moduleFile == nullptr || index >= 0) return 0;
  const std::filesystem::path icon =
      std::filesystem::path(moduleFile).parent_path() / "icons" / (std::to_string(-std::int64_t{index}) + ".png");
  if (!IsPng(icon)) return 0;
  const HandleValue handle = g_nextIcon++;
  Icons()[handle] = icon.string();
  return handle;
}

bool DestroyIcon(HandleValue icon) { return Icons().erase(icon) != 0; }

const char* IconFile(HandleValue icon) {
  const auto it = Icons().find(icon);
  return it != Icons().end() ? it->second.c_str() : nullptr;
}
