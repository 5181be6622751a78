#include "service/input/CKeystrokeKeys.h"

#include <gtest/gtest.h>
#include <linux/input-event-codes.h>

#include "service/input/InputTestSupport.h"

namespace {

using input_test::Word;

TEST(CKeystrokeKeys, TurnsWordsIntoKeysWithTheirModifiers) {
  struct StCase {
    std::uint32_t word;
    StKeyPress press;
  };
  const std::vector<StCase> cases{
      {Word(0, 'a', 0x41), {KEY_A}},
      {Word(4, 'A', 0x41), {KEY_A, false, false, true}},
      {Word(0, 'A', 0x41), {KEY_A, false, false, true}},        // a capital needs Shift anyway
      {Word(4, '!', 0x31), {KEY_1, false, false, true}},
      {Word(0, '{', 0xDB), {KEY_LEFTBRACE, false, false, true}},
      {Word(0, ';', ';'), {KEY_SEMICOLON}},
      {Word(2, 0x03, 0x43), {KEY_C, true}},                      // Ctrl+C as a control character
      {Word(2, 0, 0x5A), {KEY_Z, true}},
      {Word(1, 0, 0x09), {KEY_TAB, false, true}},                // {Alt}{Tab}
      {Word(5, 0, 0x09), {KEY_TAB, false, true, true}},          // {Alt}{Shift}{Tab}
      {Word(0, 0, 0x2C), {KEY_SYSRQ}},                           // {Print Screen}: a named key code
      {Word(2, 0, 235), {KEY_F1, true}},                         // {Ctrl}{F1}, dedicated code
      {Word(0, 0, 0x70), {KEY_F1}},
      {Word(0, 0, 0x7B), {KEY_F12}},
  };
  for (const StCase& entry : cases) {
    const std::optional<StKeyPress> press = CKeystrokeKeys::FromWord(entry.word);
    ASSERT_TRUE(press.has_value()) << std::hex << entry.word;
    EXPECT_EQ(*press, entry.press) << std::hex << entry.word;
  }
  EXPECT_FALSE(CKeystrokeKeys::FromWord(Word(2, 0, 0)).has_value());
  EXPECT_FALSE(CKeystrokeKeys::FromWord(Word(0, 0, 0xFF)).has_value());
}

}  // namespace
