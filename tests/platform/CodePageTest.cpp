#include <gtest/gtest.h>

#include "platform/CodePage.h"

namespace {

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

}  // namespace
