#include "platform/Locale.h"

#include <array>
#include <cstdlib>

namespace {

struct StLanguage {
  std::string_view code;
  unsigned primary;
};

constexpr std::array<StLanguage, 28> kLanguages = {{
    {"ar", 0x01},
    {"bg", 0x02},
    {"ca", 0x03},
    {"zh", LANG_CHINESE},
    {"cs", 0x05},
    {"da", 0x06},
    {"de", LANG_GERMAN},
    {"el", 0x08},
    {"en", LANG_ENGLISH},
    {"es", LANG_SPANISH},
    {"fi", 0x0B},
    {"fr", LANG_FRENCH},
    {"he", 0x0D},
    {"hu", 0x0E},
    {"is", 0x0F},
    {"it", LANG_ITALIAN},
    {"ja", LANG_JAPANESE},
    {"ko", LANG_KOREAN},
    {"nl", LANG_DUTCH},
    {"nb", 0x14},
    {"no", 0x14},
    {"pl", LANG_POLISH},
    {"pt", LANG_PORTUGUESE},
    {"ro", 0x18},
    {"ru", LANG_RUSSIAN},
    {"sk", 0x1B},
    {"sv", LANG_SWEDISH},
    {"tr", 0x1F},
}};

struct StRegion {
  unsigned primary;
  std::string_view country;
  unsigned sub;
};

// Countries whose sublanguage is not the default one.
constexpr std::array<StRegion, 24> kRegions = {{
    {LANG_CHINESE, "TW", SUBLANG_CHINESE_TRADITIONAL},
    {LANG_CHINESE, "CN", SUBLANG_CHINESE_SIMPLIFIED},
    {LANG_CHINESE, "HK", SUBLANG_CHINESE_HONGKONG},
    {LANG_CHINESE, "SG", SUBLANG_CHINESE_SINGAPORE},
    {LANG_CHINESE, "MO", SUBLANG_CHINESE_MACAU},
    {LANG_ENGLISH, "GB", 0x02},
    {LANG_ENGLISH, "AU", 0x03},
    {LANG_ENGLISH, "CA", 0x04},
    {LANG_ENGLISH, "NZ", 0x05},
    {LANG_ENGLISH, "IE", 0x06},
    {LANG_GERMAN, "CH", 0x02},
    {LANG_GERMAN, "AT", 0x03},
    {LANG_GERMAN, "LU", 0x04},
    {LANG_FRENCH, "BE", 0x02},
    {LANG_FRENCH, "CA", 0x03},
    {LANG_FRENCH, "CH", 0x04},
    {LANG_FRENCH, "LU", 0x05},
    {LANG_SPANISH, "ES", 0x03},  // modern sort, what current systems report
    {LANG_SPANISH, "MX", 0x02},
    {LANG_ITALIAN, "CH", 0x02},
    {LANG_DUTCH, "BE", 0x02},
    {LANG_PORTUGUESE, "PT", 0x02},
    {LANG_SWEDISH, "FI", 0x02},
    {LANG_CHINESE, "", SUBLANG_CHINESE_SIMPLIFIED},  // "zh" alone
}};

constexpr LCID kUsEnglish = 0x0409;

}  // namespace

LCID LcidFromLocaleName(std::string_view name) {
  // Drop ".codeset" and "@modifier".
  name = name.substr(0, name.find_first_of(".@"));
  if (name.empty() || name == "C" || name == "POSIX") return kUsEnglish;
  const std::size_t separator = name.find_first_of("_-");
  const std::string_view language = name.substr(0, separator);
  const std::string_view country =
      separator == std::string_view::npos ? std::string_view{} : name.substr(separator + 1);

  unsigned primary = LANG_NEUTRAL;
  for (const StLanguage& entry : kLanguages) {
    if (entry.code == language) primary = entry.primary;
  }
  if (primary == LANG_NEUTRAL) return MAKELANGID(LANG_NEUTRAL, SUBLANG_DEFAULT);
  unsigned sub = SUBLANG_DEFAULT;
  for (const StRegion& region : kRegions) {
    if (region.primary == primary && region.country == country) sub = region.sub;
  }
  return MAKELANGID(primary, sub);
}

LCID GetUserDefaultLCID() {
  for (const char* variable : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
    if (const char* value = std::getenv(variable); value != nullptr && *value != '\0')
      return LcidFromLocaleName(value);
  }
  return kUsEnglish;
}

UINT AnsiCodePageOfLcid(LCID lcid) {
  const LANGID language = LANGIDFROMLCID(lcid);
  switch (PRIMARYLANGID(language)) {
    case LANG_CHINESE: {
      const unsigned sub = SUBLANGID(language);
      return sub == SUBLANG_CHINESE_SIMPLIFIED || sub == SUBLANG_CHINESE_SINGAPORE ? 936U : 950U;
    }
    case LANG_JAPANESE: return 932;
    case LANG_KOREAN: return 949;
    case LANG_RUSSIAN:
    case 0x02: return 1251;  // Bulgarian
    case 0x05:
    case LANG_POLISH:
    case 0x0E:
    case 0x18:
    case 0x1B: return 1250;  // Central European
    default: return 1252;
  }
}
