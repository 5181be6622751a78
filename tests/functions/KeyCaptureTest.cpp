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
StKeyMessage Up(std::uint8_t key) { return {key, 0, false, 1U | kKeyDataWasDown | kKeyDataReleased}; }
StKeyMessage Repeat(std::uint8_t key, char character = 0) {
  return {key, static_cast<std::uint8_t>(character), true, 1U | kKeyDataWasDown};
}

struct StCaptureCase {
  const char* what;
  std::vector<StKeyMessage> messages;
  std::vector<KeystrokeWord> words;
  std::uint32_t heldAfter;
};

TEST(CaptureKey, KeyMessagesBecomeWords) {
  const StCaptureCase cases[] = {
      {"Ctrl+F1; releasing Ctrl adds nothing", {Down(kCtrlKey), Down(0x70), Up(0x70), Up(kCtrlKey)},
       {MakeKeystrokeWord(0x70, 0, kModifierCtrl)}, 0},
      {"dedicated Home and Delete have the extended bit, the keypad's not",
       {Down(0x24, 0, true), Down(0x24), Down(0x2E, 0, true)},
       {MakeKeystrokeWord(230, 0, 0), MakeKeystrokeWord(0x24, 0, 0), MakeKeystrokeWord(225, 0, 0)}, 0},
      {"extended bit on a key without a code of its own", {Down(0x0D, '\r', true)},
       {MakeKeystrokeWord(0x0D, 0, 0)}, 0},
      {"Shift+a types 'A' with Shift", {Down(kShiftKey), Down(0x41, 'A')},
       {MakeKeystrokeWord(0x41, 'A', kModifierShift)}, kModifierShift},
      {"'!' brings its own Shift", {Down(0x31, '!')}, {MakeKeystrokeWord(0x31, '!', kModifierShift)}, 0},
      {"';' is coded by its character", {Down(0xBA, ';')}, {MakeKeystrokeWord(';', ';', 0)}, 0},
      {"Ctrl+Alt+c", {Down(kCtrlKey), Down(kAltKey), Down(0x43, 'c')},
       {MakeKeystrokeWord(0x43, 'c', kModifierCtrl | kModifierAlt)}, kModifierCtrl | kModifierAlt},
      {"held keys repeat nothing", {Down(kCtrlKey), Repeat(kCtrlKey), Down(0x41, 'a'), Repeat(0x41, 'a'), Up(kCtrlKey)},
       {MakeKeystrokeWord(0x41, 'a', kModifierCtrl)}, 0},
      {"a character the layout has no key for keeps the held modifiers",
       {Down(kAltKey), Down(0, static_cast<char>(0xE4))}, {MakeKeystrokeWord(0, 0xE4, kModifierAlt)}, kModifierAlt},
  };
  for (const StCaptureCase& c : cases) {
    std::uint32_t held = 0;
    std::vector<KeystrokeWord> words;
    for (const StKeyMessage& message : c.messages) {
      if (const std::optional<KeystrokeWord> word = CaptureKey(message, held)) words.push_back(*word);
    }
    EXPECT_EQ(words, c.words) << c.what;
    EXPECT_EQ(held, c.heldAfter) << c.what;
  }
}

}  // namespace
