// Keystrokes: key messages captured as words, the words shown as text, and
// the editor the keystroke dialog drives.
#include <array>
#include <optional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "functions/CKeystrokeEditor.h"
#include "functions/FunctionCodes.h"
#include "functions/KeyCapture.h"
#include "functions/KeyNames.h"
#include "functions/KeystrokeText.h"
#include "functions/RunPath.h"

namespace {

constexpr std::uint16_t kAlt = kModifierAlt;
constexpr std::uint16_t kCtrl = kModifierCtrl;
constexpr std::uint16_t kShift = kModifierShift;
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
KeystrokeWord Word(std::uint8_t key, char character = 0, std::uint16_t modifiers = 0) {
  return MakeKeystrokeWord(key, static_cast<std::uint8_t>(character), modifiers);
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
       {Word(0x41, 'A', kShift)},
       kShift},
      {"'!' brings its own Shift", {Down(0x31, '!')}, {Word(0x31, '!', kShift)}, 0},
      {"';' is coded by its character", {Down(0xBA, ';')}, {Word(';', ';')}, 0},
      {"held keys repeat nothing",
       {Down(kCtrlKey), Repeat(kCtrlKey), Down(0x41, 'a'), Repeat(0x41, 'a'), Up(kCtrlKey)},
       {Word(0x41, 'a', kCtrl)},
       0},
      {"a character the layout has no key for keeps the held modifiers",
       {Down(kAltKey), Down(0, static_cast<char>(0xE4))},
       {Word(0, static_cast<char>(0xE4), kAlt)},
       kAlt},
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

TEST(KeystrokeWordText, NamesPrefixesAndTypedCharacters) {
  const std::pair<KeystrokeWord, const char*> cases[] = {
      {Word(235, 0, kCtrl), "{Ctrl}{F1}"},
      {Word(230), "{Home}"},
      {Word(0x09, 0, kAlt | kCtrl | kShift), "{Ctrl}{Alt}{Shift}{Tab}"},
      // A typed character shows Shift only with Ctrl, and not for digits and capitals.
      {Word(0x41, 'A', kShift), "A"},
      {Word(0x31, '!', kCtrl | kShift), "{Ctrl}{Shift}!"},
      {Word(0x31, '1', kCtrl | kShift), "{Ctrl}1"},
      {Word(0x41, 'A', kCtrl | kShift), "{Ctrl}A"},
      {Word(0xDB, '{', kShift), "{{}"},
      // No row: the character the layout maps the key to, else the prefixes alone.
      {Word(0x41, 0, kCtrl), "{Ctrl}A"},
      {Word(0xFF, 0, kCtrl | kAlt), "{Ctrl}{Alt}"},
  };
  for (const auto& [word, text] : cases)
    EXPECT_EQ(KeystrokeWordText(word), text) << std::hex << word;
}

// Every word's text stands where the offsets say, one after the other.
void ExpectConsistent(const KeystrokeText& keys) {
  std::string joined;
  for (std::int32_t i = 0; i <= keys.Count(); ++i) {
    EXPECT_EQ(keys.WordStart(i), static_cast<std::int32_t>(joined.size())) << i;
    if (i < keys.Count()) joined += KeystrokeWordText(keys.WordAt(static_cast<std::size_t>(i)));
  }
  EXPECT_EQ(keys.Text(), joined);
  EXPECT_EQ(keys.Words()[keys.Count()], 0u) << "a zero word ends the sequence";
}

TEST(KeystrokeText, InsertAndRemoveKeepTextAndOffsetsInStep) {
  KeystrokeText keys;
  ASSERT_EQ(keys.InsertKeystroke(Word(0x41, 'a'), -1), kStatusOk);
  ASSERT_EQ(keys.InsertKeystroke(Word(235, 0, kCtrl), 0), kStatusOk);  // before
  ASSERT_EQ(keys.InsertKeystroke(Word(0x09, 0, kAlt), 1), kStatusOk);  // between
  ASSERT_EQ(keys.InsertKeystroke(Word(0xDB, '{'), 99), kStatusOk);     // past the end
  EXPECT_EQ(keys.Text(), "{Ctrl}{F1}{Alt}{Tab}a{{}");
  ExpectConsistent(keys);
  keys.RemoveKeystroke(1);
  EXPECT_EQ(keys.Text(), "{Ctrl}{F1}a{{}");
  keys.RemoveKeystroke(-1);  // the last
  EXPECT_EQ(keys.Text(), "{Ctrl}{F1}a");
  ExpectConsistent(keys);
}

TEST(KeystrokeText, CaretSnapsToTheNearerBoundary) {
  KeystrokeText keys;
  for (const KeystrokeWord word :
       {Word(235, 0, kCtrl), Word(0x41, 'A'), Word(0x2E)})  // 0..10, 10..11, 11..19
    ASSERT_EQ(keys.InsertKeystroke(word, -1), kStatusOk);
  const std::pair<std::int32_t, std::int32_t> cases[] = {{-1, 3}, {0, 0},  {5, 0},  {6, 1}, {10, 1},
                                                         {11, 2}, {15, 2}, {16, 3}, {40, 3}};
  for (const auto& [caret, index] : cases)
    EXPECT_EQ(keys.WordAtCaret(caret), index) << "caret " << caret;
  EXPECT_EQ(keys.WordStart(7), 19) << "past the end: the text's length";
}

TEST(KeystrokeText, ReadsTheWordsBeforeTheFirstZeroWordAndTakesAtMostSixtyThree) {
  std::array<std::byte, kKeystrokeValueBytes> value{};
  WriteKeystrokeWord(value.data(), 0, Word(0x70));
  WriteKeystrokeWord(value.data(), 2, Word(0x72));  // after the terminator
  EXPECT_EQ(value[3], std::byte{0x70}) << "the key code is the word's fourth byte";
  KeystrokeText keys;
  keys.SetFromWords(value.data());
  EXPECT_EQ(keys.Text(), "{F1}");
  for (int i = 1; i < 63; ++i) ASSERT_EQ(keys.InsertKeystroke(Word(0x78), 0), kStatusOk) << i;
  EXPECT_NE(keys.InsertKeystroke(Word(0x71), 0), kStatusOk);
  EXPECT_EQ(keys.Count(), 63);
  ExpectConsistent(keys);
  value.fill(std::byte{1});
  EXPECT_EQ(CString::CountWords(value.data()), 63);
}

// Text, caret and whether OK and Delete make sense, as the dialog shows them.
std::string Shown(const CKeystrokeEditor& editor) {
  return std::string(editor.Text()) + " @" + std::to_string(editor.CaretCharacter()) + "/" +
         std::to_string(editor.CaretIndex()) + (editor.CanConfirm() ? " ok" : "") +
         (editor.CanDelete() ? " del" : "");
}

TEST(KeystrokeEditor, LoadClearAndDeleteBeforeTheCaret) {
  std::array<std::byte, kKeystrokeValueBytes> value{};
  WriteKeystrokeWord(value.data(), 0, Word(0x2C, 0, kAlt));
  CKeystrokeEditor editor;
  editor.Load(value.data());
  EXPECT_EQ(Shown(editor), "{Alt}{Print Screen} @19/1 ok del") << "opens with the caret at the end";
  editor.Clear();
  EXPECT_EQ(Shown(editor), " @0/0");
  editor.Key(Down(0x41, 'a'));
  editor.Key(Down(0x70));
  editor.CaretPlaced(0);
  editor.DeleteBeforeCaret();
  EXPECT_EQ(Shown(editor), "a{F1} @0/0 ok") << "nothing before the caret";
  editor.CaretPlaced(1);
  editor.DeleteBeforeCaret();
  EXPECT_EQ(Shown(editor), "{F1} @0/0 ok");
  EXPECT_EQ(editor.Keys().Words()[1], 0u) << "a zero word ends the keystrokes";
}

TEST(KeystrokeEditor, AMenuKeystrokeOrDeleteLetsGoOfHeldKeys) {
  CKeystrokeEditor editor;
  editor.Key(Down(kCtrlKey));
  editor.InsertSpecial(Word(0x09, 0, kAlt));
  EXPECT_EQ(editor.HeldModifiers(), 0u);
  editor.Key(Down(kCtrlKey));
  editor.DeleteBeforeCaret();
  EXPECT_EQ(editor.HeldModifiers(), 0u);
}

TEST(ProgramName, FollowsTheLastSeparator) {
  const std::pair<const char*, const char*> cases[] = {
      {"/usr/bin/gimp", "gimp"},
      {"C:\\Program Files\\Paint\\paint.exe", "paint.exe"},
      {"notepad.exe", "notepad.exe"},
      {"/opt/odd\\name", "odd\\name"},
  };
  for (const auto& [path, name] : cases) EXPECT_EQ(ProgramName(path), name) << path;
}

}  // namespace
