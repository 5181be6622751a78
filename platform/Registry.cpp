#include "platform/Registry.h"

#include <cstdio>
#include <cstring>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "platform/CRegistryFile.h"

namespace {

struct StOpenKey {
  std::string path;
  std::shared_ptr<const CRegistryFile> file;
};

std::mutex g_mutex;
std::map<HKEY, std::unique_ptr<StOpenKey>> g_openKeys;

// Bad lines named one by one before the rest are only counted.
constexpr std::size_t kBadLinesNamed = 10;

// The registry file as last read: it is parsed again only when its bytes
// changed, so its complaints are told once per version of it.
std::string g_loadedPath;
std::string g_loadedBytes;
std::string g_loadedProblem;
std::shared_ptr<const CRegistryFile> g_loaded;

void Complain(const std::string& path, const std::string& problem,
              const std::vector<std::size_t>& badLines) {
  if (!problem.empty())
    std::fprintf(stderr, "registry: %s %s; its values are not read\n", path.c_str(),
                 problem.c_str());
  for (std::size_t i = 0; i < badLines.size() && i < kBadLinesNamed; ++i)
    std::fprintf(stderr, "registry: %s:%zu: not a key, value or comment; line skipped\n",
                 path.c_str(), badLines[i]);
  if (badLines.size() > kBadLinesNamed)
    std::fprintf(stderr, "registry: %s: %zu more bad lines skipped\n", path.c_str(),
                 badLines.size() - kBadLinesNamed);
}

// The registry file as it is now; the caller holds g_mutex.
std::shared_ptr<const CRegistryFile> CurrentFile() {
  const std::string path = RegistryFilePath();
  std::string problem;
  std::string bytes = CRegistryFile::ReadBytes(path, problem);
  if (g_loaded && path == g_loadedPath && bytes == g_loadedBytes && problem == g_loadedProblem)
    return g_loaded;
  auto file = std::make_shared<CRegistryFile>();
  file->ParseBytes(bytes);
  Complain(path, problem, file->GetBadLines());
  g_loaded = std::move(file);
  g_loadedPath = path;
  g_loadedBytes = std::move(bytes);
  g_loadedProblem = std::move(problem);
  return g_loaded;
}

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

  std::shared_ptr<const CRegistryFile> file = CurrentFile();
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
  // A root used directly: the file as it is now.
  if (!file) file = CurrentFile();
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
