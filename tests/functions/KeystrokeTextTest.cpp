#include <array>
#include <cstddef>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "functions/FunctionCodes.h"
#include "functions/KeyNames.h"
#include "functions/KeystrokeText.h"

namespace {

constexpr std::uint16_t kAlt = kModifierAlt;
constexpr std::uint16_t kCtrl = kModifierCtrl;
constexpr std::uint16_t kShift = kModifierShift;

KeystrokeWord Word(std::uint8_t key, char character = 0, std::uint16_t modifiers = 0) {
  return MakeKeystrokeWord(key, static_cast<std::uint8_t>(character), modifiers);
}

struct StTextCase {
  KeystrokeWord word;
  const char* text;
};

TEST(KeystrokeWordText, NamesPrefixesAndTypedCharacters) {
  const StTextCase cases[] = {
      {Word(0x70), "{F1}"},
      {Word(235, 0, kCtrl), "{Ctrl}{F1}"},
      {Word(246), "{F12}"},
      {Word(230), "{Home}"},
      {Word(0x24), "{Home}"},
      {Word(225, 0, kShift), "{Shift}{Delete}"},
      {Word(0x09, 0, kAlt | kCtrl | kShift), "{Ctrl}{Alt}{Shift}{Tab}"},
      {Word(0x6E), "{Num Del}"},
      {Word(0x6C), "{Num Enter}"},
      {Word(0x2C, 0, kAlt), "{Alt}{Print Screen}"},
      // A typed character shows Shift only with Ctrl, and not for digits and capitals.
      {Word(0x41, 'A', kShift), "A"},
      {Word(0x31, '!', kCtrl | kShift), "{Ctrl}{Shift}!"},
      {Word(0x31, '1', kCtrl | kShift), "{Ctrl}1"},
      {Word(0x41, 'A', kCtrl | kShift), "{Ctrl}A"},
      {Word(0x41, 'a', kCtrl | kShift), "{Ctrl}{Shift}a"},
      {Word(0xDB, '{', kShift), "{{}"},
      {Word(0x43, 'c', kCtrl | kAlt), "{Ctrl}{Alt}c"},
      // No row: the character the layout maps the key to, else the prefixes alone.
      {Word(0x41, 0, kCtrl), "{Ctrl}A"},
      {Word(0xBA, 0, 0), ";"},
      {Word(0xFF, 0, kCtrl | kAlt), "{Ctrl}{Alt}"},
  };
  for (const StTextCase& c : cases) EXPECT_EQ(KeystrokeWordText(c.word), c.text) << std::hex << c.word;
}

TEST(KeystrokeWordText, SpecialKeystrokes) {
  std::vector<std::string> texts;
  for (const StSpecialKeystroke& special : SpecialKeystrokes())
    texts.push_back(std::string(special.menuItem) + "=" + KeystrokeWordText(special.word));
  EXPECT_EQ(texts, (std::vector<std::string>{"DK_AltTab={Alt}{Tab}", "DK_AltShiftTab={Alt}{Shift}{Tab}",
                                             "DK_PrintScreen={Print Screen}",
                                             "DK_AltPrintScreen={Alt}{Print Screen}"}));
}

TEST(KeyNames, LookupsTakeTheFirstRow) {
  EXPECT_EQ(KeyNameTable().size(), 74u);
  ASSERT_NE(FindByVirtualKey(0x24), nullptr);
  EXPECT_EQ(FindByVirtualKey(0x24)->keyCode, 230) << "the dedicated row comes first";
  ASSERT_NE(FindByKeyCode(0x24), nullptr);
  EXPECT_STREQ(FindByKeyCode(0x24)->name, "{Home}");
  EXPECT_EQ(FindByKeyCode(0), nullptr) << "the end row names no key";
  EXPECT_EQ(FindByVirtualKey(0x41), nullptr);
}

// Every word's text stands where the offsets say, one after the other.
void ExpectConsistent(const KeystrokeText& keys) {
  std::string joined;
  for (std::size_t i = 0; i < keys.Count(); ++i) {
    const std::string text = KeystrokeWordText(keys.WordAt(i));
    EXPECT_EQ(keys.WordStart(static_cast<std::int32_t>(i)), static_cast<std::int32_t>(joined.size())) << i;
    EXPECT_EQ(keys.WordLength(i), static_cast<std::int32_t>(text.size())) << i;
    joined += text;
  }
  EXPECT_EQ(keys.Text(), joined);
  EXPECT_EQ(keys.WordStart(keys.Count()), static_cast<std::int32_t>(joined.size()));
  EXPECT_EQ(keys.Text().data()[joined.size()], '\0');
  EXPECT_EQ(keys.Words()[keys.Count()], 0u) << "a zero word ends the sequence";
}

TEST(KeystrokeText, InsertAndRemoveKeepTextAndOffsetsInStep) {
  KeystrokeText keys;
  ASSERT_EQ(keys.InsertKeystroke(Word(0x41, 'a'), -1), kStatusOk);
  ASSERT_EQ(keys.InsertKeystroke(Word(235, 0, kCtrl), 0), kStatusOk);       // before
  ASSERT_EQ(keys.InsertKeystroke(Word(0x09, 0, kAlt), 1), kStatusOk);       // between
  ASSERT_EQ(keys.InsertKeystroke(Word(0xDB, '{'), 99), kStatusOk);           // past the end
  EXPECT_EQ(keys.Text(), "{Ctrl}{F1}{Alt}{Tab}a{{}");
  ExpectConsistent(keys);

  keys.RemoveKeystroke(1);
  EXPECT_EQ(keys.Text(), "{Ctrl}{F1}a{{}");
  ExpectConsistent(keys);
  keys.RemoveKeystroke(-1);  // the last
  EXPECT_EQ(keys.Text(), "{Ctrl}{F1}a");
  ExpectConsistent(keys);
  keys.RemoveKeystroke(0);
  keys.RemoveKeystroke(0);
  EXPECT_EQ(keys.Count(), 0);
  keys.RemoveKeystroke(0);
  EXPECT_EQ(keys.Text(), "");
  ExpectConsistent(keys);
}

TEST(KeystrokeText, CaretSnapsToTheNearerBoundary) {
  KeystrokeText keys;
  ASSERT_EQ(keys.InsertKeystroke(Word(235, 0, kCtrl), -1), kStatusOk);  // "{Ctrl}{F1}", 0..10
  ASSERT_EQ(keys.InsertKeystroke(Word(0x41, 'A'), -1), kStatusOk);      // "A", 10..11
  ASSERT_EQ(keys.InsertKeystroke(Word(0x2E), -1), kStatusOk);           // "{Delete}", 11..19
  const std::pair<std::int32_t, std::int32_t> cases[] = {
      {-1, 3}, {0, 0}, {5, 0}, {6, 1}, {10, 1}, {11, 2}, {15, 2}, {16, 3}, {19, 3}, {40, 3},
  };
  for (const auto& [caret, index] : cases) EXPECT_EQ(keys.WordAtCaret(caret), index) << "caret " << caret;
  EXPECT_EQ(keys.WordStart(2), 11);
  EXPECT_EQ(keys.WordStart(7), 19) << "past the end: the text's length";
  EXPECT_EQ(KeystrokeText().WordAtCaret(0), 0);
}

TEST(KeystrokeText, ReadsTheWordsBeforeTheFirstZeroWord) {
  std::array<std::byte, kKeystrokeValueBytes> value{};
  WriteKeystrokeWord(value.data(), 0, Word(0x70));
  WriteKeystrokeWord(value.data(), 1, Word(0x31, '1', kCtrl));
  WriteKeystrokeWord(value.data(), 3, Word(0x72));  // after the terminator
  EXPECT_EQ(value[3], std::byte{0x70}) << "the key code is the word's fourth byte";
  KeystrokeText keys;
  keys.SetFromWords(value.data());
  EXPECT_EQ(keys.Text(), "{F1}{Ctrl}1");
  ExpectConsistent(keys);
  keys.SetFromWords(value.data());
  EXPECT_EQ(keys.Count(), 2) << "reading again starts afresh";
}

TEST(KeystrokeText, TakesAtMostSixtyThreeKeystrokes) {
  KeystrokeText keys;
  for (int i = 0; i < 63; ++i) ASSERT_EQ(keys.InsertKeystroke(Word(0x78), 0), kStatusOk) << i;
  EXPECT_NE(keys.InsertKeystroke(Word(0x70), 0), kStatusOk);
  EXPECT_EQ(keys.Count(), 63);
  EXPECT_EQ(keys.Text().find("{F1}"), std::string_view::npos) << "the refused keystroke left no text";
  ExpectConsistent(keys);
}

TEST(CString, EditsTheWordList) {
  CString words;
  words.RemoveWord(0);
  EXPECT_EQ(words.Count(), 0);
  ASSERT_EQ(words.InsertWord(1, CString::kEnd), kStatusOk);
  ASSERT_EQ(words.InsertWord(2, CString::kEnd), kStatusOk);
  ASSERT_EQ(words.InsertWord(3, 1), kStatusOk);
  EXPECT_EQ((std::vector<KeystrokeWord>{words.WordAt(0), words.WordAt(1), words.WordAt(2)}),
            (std::vector<KeystrokeWord>{1, 3, 2}));
  words.RemoveWord(CString::kEnd);
  EXPECT_EQ(words.Count(), 2);
  EXPECT_EQ(words.WordAt(2), 0u);

  ASSERT_EQ(words.PutWord(0x41, 'a', kCtrl, 5), kStatusOk);
  EXPECT_EQ(words.Count(), 6);
  EXPECT_EQ(words.WordAt(5), Word(0x41, 'a', kCtrl));
  EXPECT_EQ(words.PutWord(0x41, 0, 0, 64), kStatusNoItem);
  ASSERT_EQ(words.PutWord(0x41, 0, 0, 63), kStatusOk);
  EXPECT_EQ(words.WordAt(64), 0u);

  std::array<std::byte, kKeystrokeValueBytes> full{};
  full.fill(std::byte{1});
  EXPECT_EQ(CString::CountWords(full.data()), 63);
  WriteKeystrokeWord(full.data(), 10, 0);
  EXPECT_EQ(CString::CountWords(full.data()), 10);
}

}  // namespace
