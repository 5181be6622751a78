#include <gtest/gtest.h>

#include "platform/Keyboard.h"

namespace {

// The US layout: which key (and shift state) types a character, and what a
// key types unshifted.
TEST(Keyboard, VkKeyScanAFindsTheKeyAndShiftOfEachCharacter) {
  struct Case {
    char character;
    SHORT key;
  };
  const Case cases[] = {
      {'a', 0x41},   {'Z', 0x15A},  {'0', 0x30},   {'!', 0x131},  {')', 0x130},  {';', 0xBA},
      {':', 0x1BA},  {'{', 0x1DB},  {'~', 0x1C0},  {'"', 0x1DE},  {' ', 0x20},   {'\r', 0x0D},
      {'\t', 0x09},  {'\x03', 0x243}, {'\n', 0x20D}, {static_cast<char>(0xE4), -1},
  };
  for (const Case& c : cases) EXPECT_EQ(VkKeyScanA(c.character), c.key) << static_cast<int>(c.character);
}

TEST(Keyboard, MapVirtualKeyATypeTwoGivesTheUnshiftedCharacter) {
  struct Case {
    UINT key;
    UINT character;
  };
  const Case cases[] = {
      {0x41, 'A'}, {0x31, '1'}, {0xBA, ';'}, {0xDE, '\''}, {0xC0, '`'}, {0x60, '0'}, {0x6A, '*'},
      {0x6E, '.'}, {0x20, ' '}, {0x0D, '\r'}, {0x70, 0},  {0x24, 0},   {0x10, 0},
  };
  for (const Case& c : cases) EXPECT_EQ(MapVirtualKeyA(c.key, MAPVK_VK_TO_CHAR), c.character) << std::hex << c.key;
  EXPECT_EQ(MapVirtualKeyA(0x41, MAPVK_VK_TO_VSC), 0U) << "no scan codes are asked for";
}

}  // namespace
