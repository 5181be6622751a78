#include "service/CPathText.h"

#include <charconv>
#include <limits>

namespace {

bool ParseNumber(std::string_view text, std::uint64_t limit, std::uint32_t& out) {
  int base = 10;
  if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
    text.remove_prefix(2);
    base = 16;
  }
  std::uint64_t value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value, base);
  if (text.empty() || error != std::errc() || end != text.data() + text.size() || value > limit) return false;
  out = static_cast<std::uint32_t>(value);
  return true;
}

}  // namespace

std::optional<std::vector<StObjectKey>> CPathText::Parse(std::string_view text, std::string& error) {
  std::vector<StObjectKey> path;
  std::size_t start = 0;
  while (start <= text.size()) {
    const std::size_t slash = std::min(text.find('/', start), text.size());
    const std::string_view level = text.substr(start, slash - start);
    const std::string where = "level " + std::to_string(path.size() + 1) + " \"" + std::string(level) + "\"";
    if (path.size() == 10) {
      error = "a path has at most 10 levels";
      return std::nullopt;
    }
    const std::size_t colon = level.find(':');
    const std::size_t at = level.find('@');
    std::uint32_t code = 0;
    StObjectKey key;
    if (!ParseNumber(level.substr(0, std::min(colon, at)), kMaxObjectKeyCode, code) || code == 0) {
      error = where + ": the code must be a number from 1 to 262";
      return std::nullopt;
    }
    key.code = static_cast<std::uint16_t>(code);
    if (colon != std::string_view::npos) {
      const std::size_t indexEnd = at == std::string_view::npos ? level.size() : at;
      if (indexEnd < colon || !ParseNumber(level.substr(colon + 1, indexEnd - colon - 1),
                                           std::numeric_limits<std::uint32_t>::max(), key.index)) {
        error = where + ": the index must be a 32-bit number";
        return std::nullopt;
      }
    }
    if (at != std::string_view::npos &&
        !ParseNumber(level.substr(at + 1), std::numeric_limits<std::uint32_t>::max(), key.qualifier)) {
      error = where + ": the qualifier must be a 32-bit number";
      return std::nullopt;
    }
    path.push_back(key);
    start = slash + 1;
    if (slash == text.size()) break;
  }
  return path;
}

std::string CPathText::Format(const std::vector<StObjectKey>& path) {
  std::string text;
  for (const StObjectKey& key : path) {
    if (!text.empty()) text += '/';
    text += std::to_string(key.code);
    if (key.index != 0 || key.qualifier != 0) text += ":" + std::to_string(key.index);
    if (key.qualifier != 0) text += "@" + std::to_string(key.qualifier);
  }
  return text;
}
