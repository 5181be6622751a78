#include <gtest/gtest.h>

#include "platform/Locale.h"
#include "support/CScopedEnv.h"

namespace {

TEST(LocaleId, FromLocaleNames) {
  struct Case {
    const char* name;
    LCID expected;
  };
  const Case cases[] = {
      {"de_DE.UTF-8", 0x0407}, {"de_AT", 0x0C07},        {"de", 0x0407},
      {"en_US.UTF-8", 0x0409}, {"en_GB", 0x0809},        {"C", 0x0409},
      {"POSIX", 0x0409},       {"C.UTF-8", 0x0409},      {"", 0x0409},
      {"zh_TW.UTF-8", 0x0404}, {"zh_CN.GB2312", 0x0804}, {"zh_HK", 0x0C04},
      {"zh_SG", 0x1004},       {"zh_MO", 0x1404},        {"zh", 0x0804},
      {"fr_FR", 0x040C},       {"fr_CA", 0x0C0C},        {"es_ES", 0x0C0A},
      {"it_IT", 0x0410},       {"ja_JP.eucJP", 0x0411},  {"ko_KR", 0x0412},
      {"nl_NL", 0x0413},       {"pt_BR", 0x0416},        {"pt_PT", 0x0816},
      {"ru_RU", 0x0419},       {"sv_SE", 0x041D},        {"sv_FI", 0x081D},
      {"pl_PL", 0x0415},       {"sr_RS@latin", 0x0400},  {"xx_YY", 0x0400},
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
  const auto value = [](const char* text) {
    return text != nullptr ? std::optional<std::string>(text) : std::nullopt;
  };
  for (const Case& c : cases) {
    CScopedEnv all("LC_ALL", value(c.all));
    CScopedEnv messages("LC_MESSAGES", value(c.messages));
    CScopedEnv lang("LANG", value(c.lang));
    EXPECT_EQ(GetUserDefaultLCID(), c.expected);
  }
}

TEST(LocaleId, AnsiCodePages) {
  struct Case {
    LCID lcid;
    UINT codePage;
  };
  const Case cases[] = {{0x0804, 936},  {0x1004, 936}, {0x0404, 950},  {0x0C04, 950},
                        {0x0411, 932},  {0x0412, 949}, {0x0419, 1251}, {0x0415, 1250},
                        {0x0407, 1252}, {0x0409, 1252}};
  for (const Case& c : cases) EXPECT_EQ(AnsiCodePageOfLcid(c.lcid), c.codePage) << c.lcid;
}

}  // namespace
