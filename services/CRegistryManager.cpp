#include "services/CRegistryManager.h"

#include <algorithm>
#include <cstring>
#include <new>
#include <string>
#include <string_view>
#include <vector>

#include "platform/Kernel.h"
#include "platform/Locale.h"
#include "platform/Registry.h"
#include "protocol/LittleEndian.h"

namespace {

CRegistryManager* g_registryManager = nullptr;

// Four bytes per entry: the longest code is three characters.
constexpr std::array<std::array<char, 4>, kLanguageCount> kLanguageCodes = {{
    {"en"},
    {"zhc"},
    {"zht"},
    {"en"},
    {"fr"},
    {"de"},
    {"ja"},
    {"ko"},
    {"it"},
    {"es"},
    {"pt"},
    {"en"},
    {"nl"},
    {"ru"},
    {"sv"},
}};

constexpr std::uint32_t kStringReadSize = 256;
constexpr std::uint32_t kLanguageListSize = 200;

std::vector<std::string_view> SplitAtBlanks(std::string_view list) {
  std::vector<std::string_view> codes;
  while (!list.empty()) {
    const std::size_t blank = list.find(' ');
    if (blank != 0) codes.push_back(list.substr(0, blank));
    if (blank == std::string_view::npos) break;
    list.remove_prefix(blank + 1);
  }
  return codes;
}

}  // namespace

CRegistryManager::~CRegistryManager() {
  if (g_registryManager == this) g_registryManager = nullptr;
}

std::uint32_t CRegistryManager::ClassifyWindowsVersion(const OSVERSIONINFOA* info) {
  if (info == nullptr) return kWindowsUnknown;
  if (info->dwPlatformId == VER_PLATFORM_WIN32_WINDOWS) {
    if (info->dwMinorVersion == 0) return kWindows95;
    if (info->dwMinorVersion == 10) return kWindows98;
    return kWindowsMe;
  }
  if (info->dwPlatformId != VER_PLATFORM_WIN32_NT) return kWindowsUnknown;
  switch (info->dwMajorVersion) {
    case 3: return kWindowsNt3;
    case 4: return kWindowsNt4;
    case 5:
      if (info->dwMinorVersion == 0) return kWindows2000;
      if (info->dwMinorVersion == 2) return kWindowsServer2003;
      return kWindowsXp;
    default: return kWindowsXp;
  }
}

std::uint32_t CRegistryManager::GetWindowsVersion() {
  if (m_windowsVersion == kNotWorkedOut) {
    OSVERSIONINFOA info;
    info.dwOSVersionInfoSize = sizeof info;
    m_windowsVersion = ClassifyWindowsVersion(GetVersionExA(&info) != FALSE ? &info : nullptr);
  }
  return m_windowsVersion;
}

LONG CRegistryManager::ReadValue(const char* name, void* buffer, DWORD* size, DWORD* kind) {
  if (name == nullptr || buffer == nullptr || size == nullptr) return ERROR_INVALID_DATA;
  std::memset(buffer, 0, *size);
  if (kind != nullptr) *kind = REG_NONE;
  const std::uint32_t version = GetWindowsVersion();
  if (version == kWindowsUnknown || version == 4 || version >= 12) return ERROR_NOT_READY;

  HKEY key = nullptr;
  const LONG opened = RegOpenKeyExA(HKEY_USERS, kParametersKey, 0, KEY_QUERY_VALUE, &key);
  if (opened != ERROR_SUCCESS) return opened;
  const LONG read = RegQueryValueExA(key, name, nullptr, kind, static_cast<BYTE*>(buffer), size);
  RegCloseKey(key);
  return read;
}

Status CRegistryManager::StatusOfRegistryError(LONG error) {
  switch (error) {
    case ERROR_SUCCESS: return kStatusOk;
    case ERROR_FILE_NOT_FOUND: return kStatusHandled;
    case ERROR_PATH_NOT_FOUND: return kStatusNoChild;
    default: return kStatusNoItem;
  }
}

bool CRegistryManager::InstalledDefault(const char* name, char* out, std::size_t size) {
  if (std::string_view(name) != "OEMDocLocation") return false;
  // The manual is installed in "doc" beside the module that reads this.
  char module[4096] = {};
  const HMODULE self = GetModuleHandleFromAddress(reinterpret_cast<const void*>(&g_registryManager));
  if (GetModuleFileNameA(self, module, sizeof module) == 0) return false;
  std::string folder(module);
  folder.erase(folder.find_last_of('/') + 1);
  folder += "doc";
  if (folder.size() >= size) return false;
  std::memcpy(out, folder.c_str(), folder.size() + 1);
  return true;
}

Status CRegistryManager::ReadString(const char* name, char* out, std::uint32_t size) {
  if (name == nullptr || out == nullptr || size == 0) return kStatusNoItem;
  char buffer[kStringReadSize + 1] = {};
  DWORD length = kStringReadSize;
  const LONG read = ReadValue(name, buffer, &length, nullptr);
  const bool missing = read == ERROR_FILE_NOT_FOUND || read == ERROR_PATH_NOT_FOUND;
  if (!missing || !InstalledDefault(name, buffer, sizeof buffer)) KELVO_TRY(StatusOfRegistryError(read));
  const std::size_t copied = std::min<std::size_t>(std::strlen(buffer), size - 1);
  std::memcpy(out, buffer, copied);
  out[copied] = '\0';
  return kStatusOk;
}

Status CRegistryManager::ReadNumber(const char* name, std::uint32_t* out) {
  if (name == nullptr || out == nullptr) return kStatusNoItem;
  BYTE bytes[4] = {};
  DWORD length = sizeof bytes;
  KELVO_TRY(StatusOfRegistryError(ReadValue(name, bytes, &length, nullptr)));
  *out = GetU32(bytes);
  return kStatusOk;
}

std::uint32_t CRegistryManager::LanguageOfLcid(LCID lcid, bool* known) {
  const LANGID language = LANGIDFROMLCID(lcid);
  bool isKnown = true;
  std::uint32_t index = kLanguageEnglish;
  switch (PRIMARYLANGID(language)) {
    case LANG_CHINESE:
      switch (SUBLANGID(language)) {
        case 1:
        case 3:
        case 5: index = kLanguageTraditionalChinese; break;
        case 2:
        case 4: index = kLanguageSimplifiedChinese; break;
        default: index = kLanguageSimplifiedChinese; isKnown = false;
      }
      break;
    case LANG_GERMAN: index = kLanguageGerman; break;
    case LANG_ENGLISH: index = kLanguageEnglish; break;
    case LANG_SPANISH: index = kLanguageSpanish; break;
    case LANG_FRENCH: index = kLanguageFrench; break;
    case LANG_ITALIAN: index = kLanguageItalian; break;
    case LANG_JAPANESE: index = kLanguageJapanese; break;
    case LANG_KOREAN: index = kLanguageKorean; break;
    case LANG_DUTCH: index = kLanguageDutch; break;
    case LANG_PORTUGUESE: index = kLanguagePortuguese; break;
    case LANG_RUSSIAN: index = kLanguageRussian; break;
    case LANG_SWEDISH: index = kLanguageSwedish; break;
    default: isKnown = false;
  }
  if (known != nullptr) *known = isKnown;
  return index;
}

std::uint32_t CRegistryManager::UserLanguage(bool* known) {
  return LanguageOfLcid(GetUserDefaultLCID(), known);
}

std::uint32_t CRegistryManager::SelectLanguage() {
  bool known = false;
  const std::uint32_t user = UserLanguage(&known);
  char base[kLanguageListSize] = {};
  char test[kLanguageListSize] = {};
  // Registry reads fail silently: a value that cannot be read is an empty list.
  if (ReadString("BaseLanguages", base, kLanguageListSize) != kStatusOk) base[0] = '\0';
  if (ReadString("TestLanguages", test, kLanguageListSize) != kStatusOk) test[0] = '\0';

  const char* list = test;
  if (test[0] == '\0') {
    if (known || base[0] == '\0') return user;
    list = base;
  }
  const std::vector<std::string_view> codes = SplitAtBlanks(list);
  const std::string_view userCode = GetLanguageCode(user);
  for (const std::string_view code : codes) {
    if (code == userCode) return user;
  }
  if (codes.empty()) return user;
  for (std::uint32_t index = 0; index < kLanguageCount; ++index) {
    if (codes.front() == GetLanguageCode(index)) return index;
  }
  return user;
}

const char* CRegistryManager::GetLanguageCode(std::uint32_t index) {
  return index < kLanguageCount ? kLanguageCodes[index].data() : nullptr;
}

CRegistryManager* GetRegistryManager() {
  if (g_registryManager == nullptr) g_registryManager = new (std::nothrow) CRegistryManager();
  return g_registryManager;
}

void ReleaseRegistryManager() {
  delete g_registryManager;
  g_registryManager = nullptr;
}
