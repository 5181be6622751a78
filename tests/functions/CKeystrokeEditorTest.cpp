#include <array>
#include <string>

#include <gtest/gtest.h>

#include "functions/CKeystrokeEditor.h"
#include "functions/FunctionCodes.h"
#include "functions/KeyNames.h"
#include "functions/RunPath.h"

namespace {

constexpr std::uint8_t kCtrlKey = 0x11;

StKeyMessage Down(std::uint8_t key, char character = 0) {
  return {key, static_cast<std::uint8_t>(character), true, 1};
}

// Text, caret and whether OK and Delete make sense, as the dialog shows them.
std::string Shown(const CKeystrokeEditor& editor) {
  return std::string(editor.Text()) + " @" + std::to_string(editor.CaretCharacter()) + "/" +
         std::to_string(editor.CaretIndex()) + (editor.CanConfirm() ? " ok" : "") +
         (editor.CanDelete() ? " del" : "");
}

TEST(KeystrokeEditor, LoadClearAndDeleteBeforeTheCaret) {
  std::array<std::byte, kKeystrokeValueBytes> value{};
  WriteKeystrokeWord(value.data(), 0, MakeKeystrokeWord(0x2C, 0, kModifierAlt));
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
  editor.InsertSpecial(MakeKeystrokeWord(0x09, 0, kModifierAlt));
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
