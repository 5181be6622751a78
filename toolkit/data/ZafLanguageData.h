#pragma once

// The language strings: for each language code, texts by identifier
// ("Window~Control", "Window~Control_QTIP", "Table~Index"). One language is
// chosen; what it lacks comes from the default language.

#include <map>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "toolkit/data/ZafData.h"

class ZafLanguageData : public ZafData {
 public:
  using Strings = std::map<std::string, std::string>;

  ZafLanguageData(std::string name, std::map<std::string, Strings> languages, std::string defaultLanguage);

  // The code of a language index of the language selection; "en" outside the table.
  [[nodiscard]] static std::string_view CodeForIndex(int index);

  [[nodiscard]] const std::string& Language() const { return m_language; }
  [[nodiscard]] const std::string& DefaultLanguage() const { return m_default; }
  // A language without strings of its own leaves every text in the default language.
  void SetLanguage(std::string code) { m_language = std::move(code); }
  [[nodiscard]] bool HasLanguage(const std::string& code) const { return m_languages.count(code) != 0; }
  // The codes of every language with strings of its own, sorted.
  [[nodiscard]] std::vector<std::string> Languages() const;

  // The text of an identifier in the chosen language, else in the default
  // language; nullptr when neither has it.
  [[nodiscard]] const std::string* Text(const std::string& identifier) const;
  // Every identifier with its text, chosen language over default, sorted by identifier.
  [[nodiscard]] std::vector<std::pair<std::string, std::string>> Entries() const;

 private:
  std::map<std::string, Strings> m_languages;
  std::string m_default;
  std::string m_language;
};
