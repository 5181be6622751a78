#include <optional>
#include <vector>

#include <gtest/gtest.h>

#include "functions/FunctionCodes.h"
#include "functions/KeyCapture.h"

namespace {

constexpr std::uint8_t kShiftKey = 0x10;
constexpr std::uint8_t kCtrlKey = 0x11;
constexpr std::uint8_t kAltKey = 0x12;

StKeyMessage Down(std::uint8_t key, char character = 0, bool extended = false) {
  return {key, static_cast<std::uint8_t>(character), true, 1U | (extended ? kKeyDataExtended : 0U)};
}
StKeyMessage Up(std::uint8_t key) {
  return {key, 0, false, 1U | kKeyDataWasDown | kKeyDataReleased};
}
StKeyMessage Repeat(std::uint8_t key, char character = 0) {
  return {key, static_cast<std::uint8_t>(character), true, 1U | kKeyDataWasDown};
}
KeystrokeWord Word(std::uint8_t key, std::uint8_t character = 0, std::uint16_t modifiers = 0) {
  return MakeKeystrokeWord(key, character, modifiers);
}

struct StCaptureCase {
  const char* what;
  std::vector<StKeyMessage> messages;
  std::vector<KeystrokeWord> words;
  std::uint32_t heldAfter;
};

TEST(CaptureKey, KeyMessagesBecomeWords) {
  const StCaptureCase cases[] = {
      {"dedicated Home and Delete have the extended bit, the keypad's not",
       {Down(0x24, 0, true), Down(0x24), Down(0x2E, 0, true)},
       {Word(230), Word(0x24), Word(225)},
       0},
      {"extended bit on a key without a code of its own",
       {Down(0x0D, '\r', true)},
       {Word(0x0D)},
       0},
      {"Shift+a types 'A' with Shift",
       {Down(kShiftKey), Down(0x41, 'A')},
       {Word(0x41, 'A', kModifierShift)},
       kModifierShift},
      {"'!' brings its own Shift", {Down(0x31, '!')}, {Word(0x31, '!', kModifierShift)}, 0},
      {"';' is coded by its character", {Down(0xBA, ';')}, {Word(';', ';')}, 0},
      {"held keys repeat nothing",
       {Down(kCtrlKey), Repeat(kCtrlKey), Down(0x41, 'a'), Repeat(0x41, 'a'), Up(kCtrlKey)},
       {Word(0x41, 'a', kModifierCtrl)},
       0},
      {"a character the layout has no key for keeps the held modifiers",
       {Down(kAltKey), Down(0, static_cast<char>(0xE4))},
       {Word(0, 0xE4, kModifierAlt)},
       kModifierAlt},
  };
  for (const StCaptureCase& c : cases) {
    std::uint32_t held = 0;
    std::vector<KeystrokeWord> words;
    for (const StKeyMessage& message : c.messages) {
      if (const std::optional<KeystrokeWord> word = CaptureKey(message, held))
        words.push_back(*word);
    }
    EXPECT_EQ(words, c.words) << c.what;
    EXPECT_EQ(held, c.heldAfter) << c.what;
  }
}

}  // namespace
