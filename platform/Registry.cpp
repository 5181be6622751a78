#include "platform/Registry.h"

#include <cstring>
#include <map>
#include <memory>
#include <mutex>
#include <string>

#include "platform/CRegistryFile.h"

namespace {

struct StOpenKey {
  std::string path;
  std::shared_ptr<const CRegistryFile> file;
};

std::mutex g_mutex;
std::map<HKEY, std::unique_ptr<StOpenKey>> g_openKeys;

// The path a handle stands for; empty for a handle we never gave out.
std::string PathOf(HKEY key, std::shared_ptr<const CRegistryFile>* file) {
  if (key == HKEY_USERS) return "HKEY_USERS";
  if (key == HKEY_LOCAL_MACHINE) return "HKEY_LOCAL_MACHINE";
  const auto found = g_openKeys.find(key);
  if (found == g_openKeys.end()) return {};
  if (file != nullptr) *file = found->second->file;
  return found->second->path;
}

}  // namespace

LONG RegOpenKeyExA(HKEY key, LPCSTR subKey, DWORD /*options*/, REGSAM /*access*/, PHKEY result) {
  if (result == nullptr) return ERROR_INVALID_PARAMETER;
  *result = nullptr;
  std::lock_guard lock(g_mutex);
  std::string path = PathOf(key, nullptr);
  if (path.empty()) return ERROR_INVALID_HANDLE;
  if (subKey != nullptr && *subKey != '\0') path += std::string("\\") + subKey;

  auto file = std::make_shared<CRegistryFile>();
  file->Load(RegistryFilePath());
  if (!file->HasKey(path)) return ERROR_PATH_NOT_FOUND;

  auto opened = std::make_unique<StOpenKey>();
  opened->path = CRegistryFile::CanonicalPath(path);
  opened->file = std::move(file);
  const HKEY handle = reinterpret_cast<HKEY>(opened.get());
  g_openKeys.emplace(handle, std::move(opened));
  *result = handle;
  return ERROR_SUCCESS;
}

LONG RegQueryValueExA(HKEY key, LPCSTR valueName, DWORD* reserved, DWORD* type, BYTE* data,
                      DWORD* dataSize) {
  if (reserved != nullptr) return ERROR_INVALID_PARAMETER;
  if (data != nullptr && dataSize == nullptr) return ERROR_INVALID_PARAMETER;
  std::lock_guard lock(g_mutex);
  std::shared_ptr<const CRegistryFile> file;
  const std::string path = PathOf(key, &file);
  if (path.empty()) return ERROR_INVALID_HANDLE;
  if (!file) {
    // A root used directly: read the file now.
    auto loaded = std::make_shared<CRegistryFile>();
    loaded->Load(RegistryFilePath());
    file = std::move(loaded);
  }
  const StRegistryValue* value = file->FindValue(path, valueName != nullptr ? valueName : "");
  if (value == nullptr) return ERROR_FILE_NOT_FOUND;
  if (type != nullptr) *type = value->type;
  const auto size = static_cast<DWORD>(value->data.size());
  if (data == nullptr) {
    if (dataSize != nullptr) *dataSize = size;
    return ERROR_SUCCESS;
  }
  if (*dataSize < size) {
    *dataSize = size;
    return ERROR_MORE_DATA;
  }
  if (size != 0) std::memcpy(data, value->data.data(), size);
  *dataSize = size;
  return ERROR_SUCCESS;
}

LONG RegCloseKey(HKEY key) {
  if (key == HKEY_USERS || key == HKEY_LOCAL_MACHINE) return ERROR_SUCCESS;
  std::lock_guard lock(g_mutex);
  return g_openKeys.erase(key) == 1 ? ERROR_SUCCESS : ERROR_INVALID_HANDLE;
}
