#include "functions/CKeystrokeEditor.h"

#include <array>

#include <gtest/gtest.h>

#include "functions/FunctionCodes.h"
#include "functions/KeyNames.h"
#include "functions/RunPath.h"

namespace {

constexpr std::uint8_t kCtrlKey = 0x11;

StKeyMessage Down(std::uint8_t key, char character = 0) {
  return {key, static_cast<std::uint8_t>(character), true, 1};
}
StKeyMessage Up(std::uint8_t key) { return {key, 0, false, 1U | kKeyDataWasDown | kKeyDataReleased}; }

KeystrokeWord Special(const char* item) {
  for (const StSpecialKeystroke& special : SpecialKeystrokes())
    if (std::string_view(special.menuItem) == item) return special.word;
  ADD_FAILURE() << item;
  return 0;
}

// Text, caret and the buttons as the dialog would show them.
struct StShown {
  std::string text;
  std::int32_t caret;
  std::int32_t index;
  bool ok;
  bool del;
  friend bool operator==(const StShown&, const StShown&) = default;
  friend std::ostream& operator<<(std::ostream& out, const StShown& s) {
    return out << '"' << s.text << "\" caret " << s.caret << " index " << s.index << " ok " << s.ok << " delete "
               << s.del;
  }
};

StShown Shown(const CKeystrokeEditor& editor) {
  return {std::string(editor.Text()), editor.CaretCharacter(), editor.CaretIndex(), editor.CanConfirm(),
          editor.CanDelete()};
}

class KeystrokeEditorTest : public testing::Test {
 protected:
  void SetUp() override {
    std::array<std::byte, kKeystrokeValueBytes> empty{};
    m_editor.Load(empty.data());
  }
  CKeystrokeEditor m_editor;
};

TEST_F(KeystrokeEditorTest, TypingCaretAndButtons) {
  EXPECT_EQ(Shown(m_editor), (StShown{"", 0, 0, false, false}));
  m_editor.Key(Down(kCtrlKey));
  m_editor.Key(Down(0x70));
  EXPECT_FALSE(m_editor.Key(Up(kCtrlKey))) << "releasing Ctrl inserts nothing";
  EXPECT_EQ(Shown(m_editor), (StShown{"{Ctrl}{F1}", 10, 1, true, true}));
  EXPECT_TRUE(m_editor.Key(Down(0x41, 'a')));
  EXPECT_EQ(Shown(m_editor), (StShown{"{Ctrl}{F1}a", 11, 2, true, true}));

  m_editor.CaretPlaced(5);
  EXPECT_EQ(Shown(m_editor), (StShown{"{Ctrl}{F1}a", 0, 0, true, false})) << "Delete needs a keystroke before";
  m_editor.CaretPlaced(6);
  EXPECT_EQ(Shown(m_editor), (StShown{"{Ctrl}{F1}a", 10, 1, true, true}));

  m_editor.Key(Down(0x24));  // keypad Home, between the two
  EXPECT_EQ(Shown(m_editor), (StShown{"{Ctrl}{F1}{Home}a", 16, 2, true, true}));
}

TEST_F(KeystrokeEditorTest, SpecialKeystrokesDeleteAndClear) {
  m_editor.Key(Down(0x70));
  m_editor.Key(Down(0x41, 'A'));
  m_editor.CaretPlaced(4);  // between them
  m_editor.Key(Down(kCtrlKey));
  m_editor.InsertSpecial(Special("DK_AltTab"));
  EXPECT_EQ(Shown(m_editor), (StShown{"{F1}{Alt}{Tab}A", 14, 2, true, true}));
  EXPECT_EQ(m_editor.HeldModifiers(), 0u) << "a menu keystroke lets go of held keys";

  m_editor.Key(Down(kCtrlKey));
  m_editor.DeleteBeforeCaret();
  EXPECT_EQ(Shown(m_editor), (StShown{"{F1}A", 4, 1, true, true}));
  EXPECT_EQ(m_editor.HeldModifiers(), 0u);
  m_editor.UpdateCaret(0, CKeystrokeEditor::CaretMove::kTo);
  m_editor.DeleteBeforeCaret();
  EXPECT_EQ(Shown(m_editor), (StShown{"{F1}A", 0, 0, true, false})) << "nothing before the caret";

  m_editor.Key(Down(kCtrlKey));
  m_editor.Clear();
  EXPECT_EQ(Shown(m_editor), (StShown{"", 0, 0, false, false}));
  EXPECT_EQ(m_editor.HeldModifiers(), 0u);
}

TEST_F(KeystrokeEditorTest, OpensWithTheStoredSequenceAndTheCaretAtItsEnd) {
  std::array<std::byte, kKeystrokeValueBytes> value{};
  WriteKeystrokeWord(value.data(), 0, MakeKeystrokeWord(0x2C, 0, kModifierAlt));
  m_editor.Key(Down(kCtrlKey));
  m_editor.Load(value.data());
  EXPECT_EQ(Shown(m_editor), (StShown{"{Alt}{Print Screen}", 19, 1, true, true}));
  EXPECT_EQ(m_editor.HeldModifiers(), 0u);
  EXPECT_EQ(m_editor.Keys().Words()[0], MakeKeystrokeWord(0x2C, 0, kModifierAlt));
  EXPECT_EQ(m_editor.Keys().Words()[1], 0u);
}

TEST(ProgramName, FollowsTheLastSeparator) {
  const std::pair<const char*, const char*> cases[] = {
      {"/usr/bin/gimp", "gimp"},
      {"C:\\Program Files\\Paint\\paint.exe", "paint.exe"},
      {"notepad.exe", "notepad.exe"},
      {"/opt/odd\\name", "odd\\name"},
      {"/usr/bin/", ""},
  };
  for (const auto& [path, name] : cases) EXPECT_EQ(ProgramName(path), name) << path;
}

}  // namespace
