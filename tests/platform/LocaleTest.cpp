// What the user's locale says: its id, its code page and the text it
// decodes, and the keyboard layout's keys.
#include <string>

#include <gtest/gtest.h>

#include "platform/CodePage.h"
#include "platform/Keyboard.h"
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

TEST(CodePage, DecodesEachLanguageToUtf8) {
  struct Case {
    std::uint32_t codePage;
    std::string bytes;
    std::string utf8;
  };
  const Case cases[] = {
      {936, "\xD6\xD0\xCE\xC4", "\xE4\xB8\xAD\xE6\x96\x87"},  // 中文
      {932, "\x93\xFA\x96\x7B", "\xE6\x97\xA5\xE6\x9C\xAC"},  // 日本
      {1252, "Ger\xE4t \x80", "Ger\xC3\xA4t \xE2\x82\xAC"},   // Gerät €
      {65001, "\xC3\xA9", "\xC3\xA9"},
      {936, "", ""},
  };
  for (const Case& c : cases) EXPECT_EQ(DecodeCodePage(c.bytes, c.codePage), c.utf8) << c.codePage;
}

TEST(CodePage, BadBytesAreReplacedAndDecodingGoesOn) {
  // A lone lead byte of a double-byte code page, then ordinary text.
  EXPECT_EQ(DecodeCodePage("a\x81", 936), "a\xEF\xBF\xBD");
  EXPECT_EQ(DecodeCodePage("\xC3(x", 65001), "\xEF\xBF\xBD(x");
  EXPECT_EQ(DecodeCodePage("ok\xFFok", 12345), "ok\xEF\xBF\xBDok") << "unknown code page";
}

TEST(CodePage, Utf16CutInTheMiddleOfAUnit) {
  EXPECT_EQ(DecodeUtf16Le(std::string("A\0B", 3)), "A\xEF\xBF\xBD") << "a cut unit";
}

TEST(CodePage, OneCharacterEncodesToItsSingleByte) {
  struct Case {
    char32_t character;
    std::uint32_t codePage;
    int byte;
  };
  const Case cases[] = {
      {U'a', 936, 'a'},   {0xE4, 1252, 0xE4}, {0x20AC, 1252, 0x80}, {0x0436, 1251, 0xE6},
      {0x0436, 1252, -1}, {0x4E2D, 936, -1},  {0xE9, 65001, -1},    {0xE4, 12345, -1},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(EncodeCodePageCharacter(c.character, c.codePage), c.byte)
        << std::hex << static_cast<std::uint32_t>(c.character) << " " << std::dec << c.codePage;
  }
}

// The US layout: which key (and shift state) types a character, and what a
// key types unshifted.
TEST(Keyboard, VkKeyScanAFindsTheKeyAndShiftOfEachCharacter) {
  struct Case {
    char character;
    SHORT key;
  };
  const Case cases[] = {
      {'a', 0x41},  {'Z', 0x15A},    {'0', 0x30},   {'!', 0x131},
      {';', 0xBA},  {'{', 0x1DB},    {' ', 0x20},   {'\r', 0x0D},
      {'\t', 0x09}, {'\x03', 0x243}, {'\n', 0x20D}, {static_cast<char>(0xE4), -1},
  };
  for (const Case& c : cases)
    EXPECT_EQ(VkKeyScanA(c.character), c.key) << static_cast<int>(c.character);
}

TEST(Keyboard, MapVirtualKeyATypeTwoGivesTheUnshiftedCharacter) {
  struct Case {
    UINT key;
    UINT character;
  };
  const Case cases[] = {
      {0x41, 'A'}, {0x31, '1'}, {0xBA, ';'}, {0x60, '0'}, {0x6A, '*'}, {0x0D, '\r'}, {0x70, 0},
  };
  for (const Case& c : cases)
    EXPECT_EQ(MapVirtualKeyA(c.key, MAPVK_VK_TO_CHAR), c.character) << std::hex << c.key;
  EXPECT_EQ(MapVirtualKeyA(0x41, MAPVK_VK_TO_VSC), 0U) << "no scan codes are asked for";
}

}  // namespace
