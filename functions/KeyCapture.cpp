#include "functions/KeyCapture.h"

#include "functions/FunctionCodes.h"
#include "functions/KeyNames.h"
#include "platform/Keyboard.h"

namespace {

constexpr std::uint8_t kKeyShift = 0x10;
constexpr std::uint8_t kKeyControl = 0x11;
constexpr std::uint8_t kKeyAlt = 0x12;

// Shift state bits of VkKeyScanA's high byte.
constexpr unsigned kScanShift = 1;
constexpr unsigned kScanCtrl = 2;
constexpr unsigned kScanAlt = 4;

std::uint32_t HeldBit(std::uint8_t virtualKey) {
  switch (virtualKey) {
    case kKeyShift: return kModifierShift;
    case kKeyControl: return kModifierCtrl;
    case kKeyAlt: return kModifierAlt;
    default: return 0;
  }
}

bool IsDigitOrCapital(char c) { return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z'); }

}  // namespace

std::optional<KeystrokeWord> CaptureKey(const StKeyMessage& key, std::uint32_t& modifierState) {
  const bool repeat = (key.keyData & kKeyDataWasDown) != 0 && (key.keyData & kKeyDataReleased) == 0;
  if (key.down && repeat) return std::nullopt;
  if (const std::uint32_t bit = HeldBit(key.virtualKey); bit != 0) {
    modifierState = key.down ? modifierState | bit : modifierState & ~bit;
    return std::nullopt;
  }
  if (!key.down) return std::nullopt;

  auto modifiers = static_cast<std::uint16_t>(modifierState);
  if (const StKeyName* row = FindByVirtualKey(key.virtualKey)) {
    // The keypad's navigation keys share virtual-key codes with the
    // dedicated ones; only the latter come with the extended bit.
    const bool dedicated = row->keyCode != row->virtualKey && (key.keyData & kKeyDataExtended) != 0;
    return MakeKeystrokeWord(dedicated ? row->keyCode : key.virtualKey, 0, modifiers);
  }
  const SHORT scan = VkKeyScanA(static_cast<CHAR>(key.character));
  auto keyCode = static_cast<std::uint8_t>(scan & 0xFF);
  if (!IsDigitOrCapital(static_cast<char>(keyCode)))
    keyCode = static_cast<std::uint8_t>(MapVirtualKeyA(keyCode, MAPVK_VK_TO_CHAR) & 0xFFU);
  // A character no key of the layout types (-1) keeps the modifiers held.
  if (scan != -1) {
    const auto shiftState = static_cast<unsigned>((scan >> 8) & 0xFF);
    if ((shiftState & kScanShift) != 0) modifiers |= kModifierShift;
    if ((shiftState & kScanCtrl) != 0) modifiers |= kModifierCtrl;
    if ((shiftState & kScanAlt) != 0) modifiers |= kModifierAlt;
  }
  return MakeKeystrokeWord(keyCode, key.character, modifiers);
}
