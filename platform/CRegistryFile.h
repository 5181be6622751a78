#pragma once

#include <cstddef>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "platform/WinTypes.h"

// One value of a registry key: its kind and its bytes as RegQueryValueExA
// hands them out (strings with their terminating zero).
struct StRegistryValue {
  DWORD type = REG_NONE;
  std::vector<BYTE> data;
};

// The registry as the ".reg" text file describes it. Key paths and value
// names are case-insensitive, as on Windows. A file is read line by line up
// to its first malformed line; everything before it stays valid.
class CRegistryFile {
 public:
  // Replaces the contents with what `text` holds.
  void Parse(std::string_view text);
  // Reads the file at `path`; a missing or unreadable file is an empty registry.
  void Load(const std::string& path);

  // True when the key, or a key below it, is described. Roots always exist.
  [[nodiscard]] bool HasKey(std::string_view path) const;
  [[nodiscard]] const StRegistryValue* FindValue(std::string_view keyPath,
                                                 std::string_view name) const;

  // 1-based line at which reading stopped, 0 when the whole text was valid.
  [[nodiscard]] std::size_t GetErrorLine() const { return m_errorLine; }
  [[nodiscard]] std::size_t GetKeyCount() const { return m_keys.size(); }

  // "HKEY_USERS\\.default\\Software" → "HKEY_USERS\\.DEFAULT\\SOFTWARE"; empty
  // components dropped. Empty when the root is not one the file may name.
  [[nodiscard]] static std::string CanonicalPath(std::string_view path);

 private:
  using ValueMap = std::map<std::string, StRegistryValue>;

  bool ParseLine(std::string_view line, ValueMap*& section);

  std::map<std::string, ValueMap> m_keys;
  std::size_t m_errorLine = 0;
};

// Where the registry file lives: $KELVO_REGISTRY, else
// $XDG_CONFIG_HOME/kelvo/registry.reg, else ~/.config/kelvo/registry.reg.
[[nodiscard]] std::string RegistryFilePath();
