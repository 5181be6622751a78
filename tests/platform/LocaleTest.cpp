#include <gtest/gtest.h>

#include "platform/Locale.h"
#include "support/CScopedEnv.h"

namespace {

TEST(LocaleId, FromLocaleNames) {
  struct Case {
    const char* name;
    LCID expected;
  };
  // Encodings, modifiers and territories of one language; a bare language;
  // the C locale; Chinese by territory; unknown names.
  const Case cases[] = {
      {"de_DE.UTF-8", 0x0407}, {"de_AT", 0x0C07}, {"de", 0x0407},          {"C", 0x0409},
      {"C.UTF-8", 0x0409},     {"", 0x0409},      {"zh_TW.UTF-8", 0x0404}, {"zh_CN.GB2312", 0x0804},
      {"zh_HK", 0x0C04},       {"zh", 0x0804},    {"pt_PT", 0x0816},       {"sv_FI", 0x081D},
      {"sr_RS@latin", 0x0400}, {"xx_YY", 0x0400},
  };
  for (const Case& c : cases)
    EXPECT_EQ(LcidFromLocaleName(c.name), c.expected) << '"' << c.name << '"';
}

TEST(LocaleId, VariablePrecedence) {
  struct Case {
    const char* all;
    const char* messages;
    const char* lang;
    LCID expected;
  };
  const Case cases[] = {
      {"de_DE", "fr_FR", "ja_JP", 0x0407},
      {"", "fr_FR", "ja_JP", 0x040C},
      {nullptr, nullptr, "ja_JP", 0x0411},
      {nullptr, nullptr, nullptr, 0x0409},
  };
  for (const Case& c : cases) {
    CScopedEnv all("LC_ALL", c.all);
    CScopedEnv messages("LC_MESSAGES", c.messages);
    CScopedEnv lang("LANG", c.lang);
    EXPECT_EQ(GetUserDefaultLCID(), c.expected);
  }
}

TEST(LocaleId, AnsiCodePages) {
  struct Case {
    LCID lcid;
    UINT codePage;
  };
  const Case cases[] = {
      {0x1004, 936}, {0x0C04, 950}, {0x0419, 1251}, {0x0415, 1250}, {0x0407, 1252}};
  for (const Case& c : cases) EXPECT_EQ(AnsiCodePageOfLcid(c.lcid), c.codePage) << c.lcid;
}

}  // namespace
