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
// names are case-insensitive, as on Windows. A malformed line is skipped and
// noted; the lines after it are still read (values under a key line that
// cannot be read belong to no key).
class CRegistryFile {
 public:
  // Replaces the contents with what `text` holds.
  void Parse(std::string_view text);
  // Reads the file at `path`. A missing file is an empty registry; a file
  // that is there but not read (a folder, a pipe, too large, unreadable)
  // is one too, and the answer says why. Empty when it was read.
  std::string Load(const std::string& path);
  // What Load does in two steps: the file's bytes (empty, with the problem
  // said, when it is not read), and those bytes in either encoding a
  // registry editor saves (8-bit, or UTF-16 with a byte-order mark).
  [[nodiscard]] static std::string ReadBytes(const std::string& path, std::string& problem);
  void ParseBytes(std::string_view bytes);

  // True when the key, or a key below it, is described. Roots always exist.
  [[nodiscard]] bool HasKey(std::string_view path) const;
  [[nodiscard]] const StRegistryValue* FindValue(std::string_view keyPath,
                                                 std::string_view name) const;

  // 1-based numbers of the lines that were skipped, in order; a value
  // continued over several lines counts as its first.
  [[nodiscard]] const std::vector<std::size_t>& GetBadLines() const { return m_badLines; }
  [[nodiscard]] std::size_t GetKeyCount() const { return m_keys.size(); }

  // "HKEY_USERS\\.default\\Software" → "HKEY_USERS\\.DEFAULT\\SOFTWARE"; empty
  // components dropped. Empty when the root is not one the file may name.
  [[nodiscard]] static std::string CanonicalPath(std::string_view path);

 private:
  using ValueMap = std::map<std::string, StRegistryValue>;

  bool ParseLine(std::string_view line, ValueMap*& section);

  std::map<std::string, ValueMap> m_keys;
  std::vector<std::size_t> m_badLines;
};

// Where the registry file lives: $KELVO_REGISTRY, else
// $XDG_CONFIG_HOME/kelvo/registry.reg, else ~/.config/kelvo/registry.reg.
[[nodiscard]] std::string RegistryFilePath();
