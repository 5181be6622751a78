#include "toolkit/data/ZafLanguageData.h"

#include <array>

#include "toolkit/storage/ZncFormat.h"

namespace {
// Language codes by the index the language selection answers.
constexpr std::array<std::string_view, 15> kLanguageCodes = {
    "en", "zhc", "zht", "en", "fr", "de", "ja", "ko", "it", "es", "pt", "en", "nl", "ru", "sv"};
}  // namespace

ZafLanguageData::ZafLanguageData(std::string name, std::map<std::string, Strings> languages,
                                 std::string defaultLanguage)
    : ZafData(std::string(znc::kLanguageClassName), std::move(name)),
      m_languages(std::move(languages)),
      m_default(std::move(defaultLanguage)),
      m_language(m_default) {}

std::string_view ZafLanguageData::CodeForIndex(int index) {
  if (index < 0 || static_cast<std::size_t>(index) >= kLanguageCodes.size()) return "en";
  return kLanguageCodes[static_cast<std::size_t>(index)];
}

std::vector<std::string> ZafLanguageData::Languages() const {
  std::vector<std::string> codes;
  for (const auto& [code, strings] : m_languages) codes.push_back(code);
  return codes;
}

const std::string* ZafLanguageData::Text(const std::string& identifier) const {
  for (const std::string* code : {&m_language, &m_default}) {
    auto language = m_languages.find(*code);
    if (language == m_languages.end()) continue;
    auto text = language->second.find(identifier);
    if (text != language->second.end()) return &text->second;
  }
  return nullptr;
}

std::vector<std::pair<std::string, std::string>> ZafLanguageData::Entries() const {
  Strings merged;
  if (auto d = m_languages.find(m_default); d != m_languages.end()) merged = d->second;
  if (auto l = m_languages.find(m_language); l != m_languages.end()) {
    for (const auto& [id, text] : l->second) merged[id] = text;
  }
  return {merged.begin(), merged.end()};
}
