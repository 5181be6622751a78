#pragma once

// An automation script: one command per line, words separated by blanks,
// "double quotes" around words with blanks (\" and \\ inside), # starts a
// comment line. See docs/automation.md.

#include <string>
#include <vector>

#include "protocol/Status.h"

struct StScriptLine {
  int number = 0;                  // 1-based line in the file
  std::vector<std::string> words;  // the verb first
};

class ZafScript {
 public:
  // kStatusResourceMissing when the file cannot be read; a line with an
  // unterminated quote gives kStatusResourceDamaged and names the line in Error().
  [[nodiscard]] Status Load(const std::string& path);
  [[nodiscard]] Status Parse(const std::string& text, const std::string& name = "script");

  [[nodiscard]] const std::vector<StScriptLine>& Lines() const { return m_lines; }
  [[nodiscard]] const std::string& Name() const { return m_name; }
  [[nodiscard]] const std::string& Error() const { return m_error; }

 private:
  std::vector<StScriptLine> m_lines;
  std::string m_name;
  std::string m_error;
};
