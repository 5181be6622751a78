#include "toolkit/automation/ZafScript.h"

#include <sstream>
#include <vector>

#include "toolkit/storage/ReadRegularFile.h"

Status ZafScript::Load(const std::string& path) {
  constexpr std::size_t kMaxScript = 16U << 20;
  std::vector<std::uint8_t> bytes;
  std::string problem;
  if (!ReadRegularFile(path, kMaxScript, bytes, problem)) {
    m_error = path + ": " + problem;
    return kStatusResourceMissing;
  }
  return Parse(std::string(bytes.begin(), bytes.end()), path);
}

Status ZafScript::Parse(const std::string& text, const std::string& name) {
  m_name = name;
  m_lines.clear();
  m_error.clear();
  std::istringstream in(text);
  std::string raw;
  int number = 0;
  while (std::getline(in, raw)) {
    ++number;
    if (!raw.empty() && raw.back() == '\r') raw.pop_back();
    StScriptLine line{number, {}};
    std::size_t i = 0;
    while (i < raw.size()) {
      if (raw[i] == ' ' || raw[i] == '\t') {
        ++i;
        continue;
      }
      if (line.words.empty() && raw[i] == '#') break;
      std::string word;
      if (raw[i] == '"') {
        ++i;
        bool closed = false;
        while (i < raw.size()) {
          if (raw[i] == '\\' && i + 1 < raw.size()) {
            const char next = raw[i + 1];
            word.push_back(next == 'n' ? '\n' : next);
            i += 2;
          } else if (raw[i] == '"') {
            closed = true;
            ++i;
            break;
          } else {
            word.push_back(raw[i++]);
          }
        }
        if (!closed) {
          m_error = name + ":" + std::to_string(number) + ": unterminated quote";
          m_lines.clear();
          return kStatusResourceDamaged;
        }
      } else {
        while (i < raw.size() && raw[i] != ' ' && raw[i] != '\t') word.push_back(raw[i++]);
      }
      line.words.push_back(std::move(word));
    }
    if (!line.words.empty()) m_lines.push_back(std::move(line));
  }
  return kStatusOk;
}
