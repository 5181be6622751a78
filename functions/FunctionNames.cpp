#include "functions/FunctionNames.h"

#include "services/CStringManager.h"

namespace {

constexpr std::size_t kNameRowBytes = 25;

constexpr char kNameTable[kFunctionCodeCount][kNameRowBytes] = {
    "BDisabled",
    "BLeftClick",
    "BMiddleClick",
    "BRightClick",
    "BLeftDoubleClick",
    "BMiddleDoubleClick",
    "BRightDoubleClick",
    "BLeftClickLock",
    "BKeystroke",
    "BModifier",
    "BPressureHold",
    "BModeToggle",
    "BMacro",
    "BScreenMacro",
    "BAutoErase",
    "BErase",
    "BEraseKeystroke",
    "BEraseModifier",
    "BEraseMacro",
    "BButton4Click",
    "BButton5Click",
    "BMiddleClickLock",
    "BRightClickLock",
    "BRunApplication",
    "BToggleInking",
    "BTabletPCTip",
    "BTabletPCEraser",
    "BTabletPCBarrel",
    "",
    "",
};

constexpr char kFunctionTextTable[] = "1089";
constexpr std::size_t kBytesPerCharacter = 4;
constexpr std::size_t kCharacterByte = 3;

}  // namespace

const char* FunctionName(FunctionCode code) {
  return code < kFunctionCodeCount ? kNameTable[code] : "";
}

std::string FunctionText(FunctionCode code) {
  CStringManager* strings = GetStringManager();
  if (strings == nullptr || code > 0xFFFF) return " ";
  // The lookup writes what the string holds; give it room.
  std::array<char, 4096> text{};
  if (strings->GetString(kFunctionTextTable, static_cast<std::uint16_t>(code), text.data()) !=
      kStatusOk)
    return " ";
  text.back() = '\0';
  return text.data();
}

void PackFunctionName(std::string_view text, PackedFunctionName& out) {
  out.fill(std::byte{0});
  const std::size_t count = std::min(text.size(), kFunctionNameMax);
  for (std::size_t i = 0; i < count; ++i)
    out[i * kBytesPerCharacter + kCharacterByte] = static_cast<std::byte>(text[i]);
}

std::string UnpackFunctionName(const PackedFunctionName& in) {
  std::string text;
  for (std::size_t i = 0; i < kFunctionNameMax; ++i) {
    const std::byte character = in[i * kBytesPerCharacter + kCharacterByte];
    // A zero character ends the text as a zero word does.
    if (character == std::byte{0}) break;
    text.push_back(static_cast<char>(character));
  }
  return text;
}
