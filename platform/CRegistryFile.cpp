#include "platform/CRegistryFile.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cctype>
#include <cerrno>
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "platform/CodePage.h"

#include <sys/stat.h>

namespace {

// Nobody writes a registry file this large by hand; refuse rather than swallow it.
constexpr std::size_t kMaxFileSize = 4U << 20;

constexpr std::array<std::string_view, 5> kRoots = {"HKEY_LOCAL_MACHINE", "HKEY_USERS",
                                                    "HKEY_CURRENT_USER", "HKEY_CLASSES_ROOT",
                                                    "HKEY_CURRENT_CONFIG"};

std::string Upper(std::string_view text) {
  std::string out(text);
  for (char& c : out) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return out;
}

std::string_view Trim(std::string_view text) {
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t' || text.back() == '\r'))
    text.remove_suffix(1);
  return text;
}

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// A quoted text with \\ and \" escapes; `text` starts at the opening quote and
// is advanced past the closing one.
bool ReadQuoted(std::string_view& text, std::string& out) {
  if (text.empty() || text.front() != '"') return false;
  out.clear();
  for (std::size_t i = 1; i < text.size(); ++i) {
    const char c = text[i];
    if (c == '"') {
      text.remove_prefix(i + 1);
      return true;
    }
    if (c == '\\') {
      if (i + 1 >= text.size()) return false;
      const char next = text[++i];
      if (next != '\\' && next != '"') return false;
      out.push_back(next);
    } else {
      out.push_back(c);
    }
  }
  return false;
}

bool ParseDword(std::string_view digits, StRegistryValue& value) {
  if (digits.empty() || digits.size() > 8) return false;
  DWORD number = 0;
  for (const char c : digits) {
    const int digit = HexDigit(c);
    if (digit < 0) return false;
    number = (number << 4) | static_cast<DWORD>(digit);
  }
  value.type = REG_DWORD;
  value.data = {static_cast<BYTE>(number), static_cast<BYTE>(number >> 8),
                static_cast<BYTE>(number >> 16), static_cast<BYTE>(number >> 24)};
  return true;
}

// "aa,bb, cc" after "hex:" or "hex(N):".
bool ParseHexBytes(std::string_view list, StRegistryValue& value) {
  value.data.clear();
  list = Trim(list);
  while (!list.empty()) {
    const std::size_t comma = list.find(',');
    const std::string_view item = Trim(list.substr(0, comma));
    if (item.size() != 2 || HexDigit(item[0]) < 0 || HexDigit(item[1]) < 0) return false;
    value.data.push_back(static_cast<BYTE>(HexDigit(item[0]) * 16 + HexDigit(item[1])));
    if (comma == std::string_view::npos) break;
    list = Trim(list.substr(comma + 1));
    if (list.empty()) return false;  // a trailing comma announces a byte that never came
  }
  return true;
}

bool ParseData(std::string_view text, StRegistryValue& value) {
  if (!text.empty() && text.front() == '"') {
    std::string content;
    if (!ReadQuoted(text, content) || !Trim(text).empty()) return false;
    value.type = REG_SZ;
    value.data.assign(content.begin(), content.end());
    value.data.push_back(0);
    return true;
  }
  const std::string lower = [&] {
    std::string out(text.substr(0, std::min<std::size_t>(text.size(), 8)));
    for (char& c : out) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return out;
  }();
  if (lower.rfind("dword:", 0) == 0) return ParseDword(Trim(text.substr(6)), value);
  if (lower.rfind("hex:", 0) == 0) {
    value.type = REG_BINARY;
    return ParseHexBytes(text.substr(4), value);
  }
  if (lower.rfind("hex(", 0) == 0) {
    const std::size_t close = text.find("):");
    if (close == std::string_view::npos || close <= 4 || close > 12) return false;
    DWORD type = 0;
    for (const char c : text.substr(4, close - 4)) {
      const int digit = HexDigit(c);
      if (digit < 0) return false;
      type = (type << 4) | static_cast<DWORD>(digit);
    }
    value.type = type;
    return ParseHexBytes(text.substr(close + 2), value);
  }
  return false;
}

// The file's bytes. Only a regular file is read, and never waited for (a
// pipe would hold start-up until someone wrote to it); `problem` says why a
// file that is there was not read. A missing file is no problem.
std::string ReadFileBytes(const std::string& path, std::string& problem) {
  const int fd = open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) {
    if (errno != ENOENT) problem = std::string("cannot be read (") + std::strerror(errno) + ")";
    return {};
  }
  std::string bytes;
  struct stat about {};
  if (fstat(fd, &about) != 0) {
    problem = std::string("cannot be read (") + std::strerror(errno) + ")";
  } else if (!S_ISREG(about.st_mode)) {
    problem = S_ISDIR(about.st_mode) ? "is a folder" : "is not a regular file";
  } else if (static_cast<std::uint64_t>(about.st_size) > kMaxFileSize) {
    problem = "is larger than " + std::to_string(kMaxFileSize >> 20) + " MiB";
  } else {
    bytes.resize(static_cast<std::size_t>(about.st_size));
    std::size_t done = 0;
    while (done < bytes.size()) {
      const ssize_t got = read(fd, bytes.data() + done, bytes.size() - done);
      if (got < 0 && errno == EINTR) continue;
      if (got < 0) problem = std::string("cannot be read (") + std::strerror(errno) + ")";
      if (got <= 0) break;
      done += static_cast<std::size_t>(got);
    }
    bytes.resize(done);
  }
  close(fd);
  if (!problem.empty()) bytes.clear();
  return bytes;
}

}  // namespace

std::string CRegistryFile::CanonicalPath(std::string_view path) {
  std::string out;
  std::size_t start = 0;
  while (start <= path.size()) {
    std::size_t end = path.find('\\', start);
    if (end == std::string_view::npos) end = path.size();
    const std::string_view part = path.substr(start, end - start);
    if (!part.empty()) {
      if (!out.empty()) out.push_back('\\');
      out += Upper(part);
    }
    start = end + 1;
  }
  const std::string_view root = std::string_view(out).substr(0, out.find('\\'));
  if (std::find(kRoots.begin(), kRoots.end(), root) == kRoots.end()) return {};
  return out;
}

bool CRegistryFile::ParseLine(std::string_view line, ValueMap*& section) {
  if (line.empty() || line.front() == ';') return true;
  if (line.front() == '[') {
    if (line.back() != ']') return false;
    std::string_view inner = line.substr(1, line.size() - 2);
    const bool remove = !inner.empty() && inner.front() == '-';
    if (remove) inner.remove_prefix(1);
    const std::string path = CanonicalPath(inner);
    if (path.empty()) return false;
    if (remove) {
      // A removed key takes its subkeys with it; values listed under it are dropped.
      const std::string below = path + '\\';
      std::erase_if(m_keys, [&](const auto& entry) {
        return entry.first == path || entry.first.rfind(below, 0) == 0;
      });
      section = nullptr;
    } else {
      section = &m_keys[path];
    }
    return true;
  }

  std::string name;
  std::string_view rest = line;
  if (rest.front() == '@') {
    rest.remove_prefix(1);
  } else if (!ReadQuoted(rest, name)) {
    return false;
  }
  rest = Trim(rest);
  if (rest.empty() || rest.front() != '=') return false;
  rest = Trim(rest.substr(1));
  const std::string key = Upper(name);
  if (rest == "-") {
    if (section != nullptr) section->erase(key);
    return true;
  }
  StRegistryValue value;
  if (!ParseData(rest, value)) return false;
  if (section != nullptr) (*section)[key] = std::move(value);
  return true;
}

void CRegistryFile::Parse(std::string_view text) {
  m_keys.clear();
  m_badLines.clear();
  if (text.rfind("\xEF\xBB\xBF", 0) == 0) text.remove_prefix(3);

  ValueMap* section = nullptr;
  bool sawHeader = false;
  bool inKey = false;
  std::size_t lineNumber = 0;
  std::string logical;
  std::size_t logicalStart = 0;
  while (!text.empty()) {
    const std::size_t newline = text.find('\n');
    const std::string_view raw = text.substr(0, newline);
    text.remove_prefix(newline == std::string_view::npos ? text.size() : newline + 1);
    ++lineNumber;
    std::string_view line = Trim(raw);
    if (logical.empty()) logicalStart = lineNumber;
    // Long hex lists go on over several lines, each but the last ending in '\'.
    if (!line.empty() && line.back() == '\\' &&
        (!logical.empty() || line.find('=') != std::string_view::npos)) {
      logical.append(line.substr(0, line.size() - 1));
      continue;
    }
    if (!logical.empty()) {
      logical.append(line);
      line = logical;
    }
    bool valid = true;
    if (!sawHeader && !line.empty()) {
      sawHeader = true;
      if (line == "Windows Registry Editor Version 5.00" || line == "REGEDIT4") {
        logical.clear();
        continue;
      }
      // No header: say so, and read on as if it had been there.
      m_badLines.push_back(logicalStart);
    }
    if (!line.empty() && line.front() != '[' && line.front() != ';' && !inKey) {
      valid = false;  // a value before any key
    } else if (!line.empty() && line.front() == '[') {
      inKey = true;
      valid = ParseLine(line, section);
      // Values under a key that could not be read belong to no key.
      if (!valid) section = nullptr;
    } else {
      valid = ParseLine(line, section);
    }
    logical.clear();
    if (!valid && (m_badLines.empty() || m_badLines.back() != logicalStart))
      m_badLines.push_back(logicalStart);
  }
  if (!logical.empty())
    m_badLines.push_back(logicalStart);  // the file ended inside a continued line
}

std::string CRegistryFile::Load(const std::string& path) {
  std::string problem;
  ParseBytes(ReadBytes(path, problem));
  return problem;
}

void CRegistryFile::ParseBytes(std::string_view bytes) {
  // Registry editors save UTF-16 with a byte-order mark.
  if (bytes.size() >= 2 && static_cast<unsigned char>(bytes[0]) == 0xFF &&
      static_cast<unsigned char>(bytes[1]) == 0xFE) {
    Parse(DecodeUtf16Le(bytes.substr(2)));
    return;
  }
  Parse(bytes);
}

std::string CRegistryFile::ReadBytes(const std::string& path, std::string& problem) {
  problem.clear();
  return ReadFileBytes(path, problem);
}

bool CRegistryFile::HasKey(std::string_view path) const {
  const std::string canonical = CanonicalPath(path);
  if (canonical.empty()) return false;
  if (canonical.find('\\') == std::string::npos) return true;
  if (m_keys.contains(canonical)) return true;
  // Windows keeps the keys above a described key, so a descendant is enough.
  const std::string below = canonical + '\\';
  const auto found = m_keys.lower_bound(below);
  return found != m_keys.end() && found->first.rfind(below, 0) == 0;
}

const StRegistryValue* CRegistryFile::FindValue(std::string_view keyPath,
                                                std::string_view name) const {
  const auto key = m_keys.find(CanonicalPath(keyPath));
  if (key == m_keys.end()) return nullptr;
  const auto value = key->second.find(Upper(name));
  return value == key->second.end() ? nullptr : &value->second;
}

std::string RegistryFilePath() {
  if (const char* path = std::getenv("KELVO_REGISTRY"); path != nullptr && *path != '\0')
    return path;
  if (const char* config = std::getenv("XDG_CONFIG_HOME"); config != nullptr && *config != '\0')
    return std::string(config) + "/kelvo/registry.reg";
  const char* home = std::getenv("HOME");
  return std::string(home != nullptr ? home : "") + "/.config/kelvo/registry.reg";
}
