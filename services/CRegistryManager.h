#pragma once

#include <array>
#include <cstdint>

#include "platform/WinTypes.h"
#include "protocol/Status.h"

// Windows version codes; 4, 9 and 10 are never produced.
inline constexpr std::uint32_t kWindowsUnknown = 0;
inline constexpr std::uint32_t kWindows95 = 1;
inline constexpr std::uint32_t kWindows98 = 2;
inline constexpr std::uint32_t kWindowsMe = 3;
inline constexpr std::uint32_t kWindowsNt3 = 5;
inline constexpr std::uint32_t kWindowsNt4 = 6;
inline constexpr std::uint32_t kWindows2000 = 7;
inline constexpr std::uint32_t kWindowsXp = 8;
inline constexpr std::uint32_t kWindowsServer2003 = 11;

// Language indices of the user interface (index into the language table).
inline constexpr std::uint32_t kLanguageEnglish = 0;
inline constexpr std::uint32_t kLanguageSimplifiedChinese = 1;
inline constexpr std::uint32_t kLanguageTraditionalChinese = 2;
inline constexpr std::uint32_t kLanguageFrench = 4;
inline constexpr std::uint32_t kLanguageGerman = 5;
inline constexpr std::uint32_t kLanguageJapanese = 6;
inline constexpr std::uint32_t kLanguageKorean = 7;
inline constexpr std::uint32_t kLanguageItalian = 8;
inline constexpr std::uint32_t kLanguageSpanish = 9;
inline constexpr std::uint32_t kLanguagePortuguese = 10;
inline constexpr std::uint32_t kLanguageDutch = 12;
inline constexpr std::uint32_t kLanguageRussian = 13;
inline constexpr std::uint32_t kLanguageSwedish = 14;
inline constexpr std::size_t kLanguageCount = 15;

// The key under HKEY_USERS that holds the applet's own values.
inline constexpr char kParametersKey[] = ".DEFAULT\\Software\\Kelvo\\Parameters";

// Knows the Windows version, reads the applet's values from the registry and
// picks the language of the user interface.
class CRegistryManager {
 public:
  CRegistryManager() = default;
  virtual ~CRegistryManager();
  CRegistryManager(const CRegistryManager&) = delete;
  CRegistryManager& operator=(const CRegistryManager&) = delete;

  // Worked out on the first call and kept.
  [[nodiscard]] std::uint32_t GetWindowsVersion();
  // The code for what GetVersionExA reported; null when the call failed.
  [[nodiscard]] static std::uint32_t ClassifyWindowsVersion(const OSVERSIONINFOA* info);

  // Reads value `name` of the parameters key into `buffer` (`*size` bytes;
  // out: the value's size). Answers a Windows error code: 13 for a missing
  // argument, 21 on an unknown system, 3 when the key does not exist, else
  // what the read answered.
  [[nodiscard]] LONG ReadValue(const char* name, void* buffer, DWORD* size, DWORD* kind);
  // A text value cut to `size` − 1 characters. A value the installation
  // provides ("OEMDocLocation": "doc" beside the module) answers when the
  // registry lacks it. 0, or 1548 value missing, 1542
  // key missing, 1536 anything else (the out text is then left unchanged).
  [[nodiscard]] Status ReadString(const char* name, char* out, std::uint32_t size);
  // A 32-bit value, with the same answers as ReadString.
  [[nodiscard]] Status ReadNumber(const char* name, std::uint32_t* out);

  // The language index of the user's locale; `known` (may be null) says
  // whether the table has that language.
  [[nodiscard]] static std::uint32_t UserLanguage(bool* known);
  [[nodiscard]] static std::uint32_t LanguageOfLcid(LCID lcid, bool* known);
  // The user language, unless "TestLanguages" (or, for a language the table
  // does not know, "BaseLanguages") asks for another.
  [[nodiscard]] std::uint32_t SelectLanguage();

  // "en", "zhc", "zht" ...; null past the table.
  [[nodiscard]] static const char* GetLanguageCode(std::uint32_t index);
  // Registry error code → status, as ReadString and ReadNumber answer.
  [[nodiscard]] static Status StatusOfRegistryError(LONG error);

 private:
  [[nodiscard]] static bool InstalledDefault(const char* name, char* out, std::size_t size);

  static constexpr std::uint32_t kNotWorkedOut = 0xFFFFFFFFU;
  std::uint32_t m_windowsVersion = kNotWorkedOut;
};

// The process-wide registry manager, made on first use (none when memory is
// exhausted, tried again on the next call).
[[nodiscard]] CRegistryManager* GetRegistryManager();
void ReleaseRegistryManager();
