#include "service/input/CButtonActions.h"

#include <linux/input-event-codes.h>

#include "service/input/CKeystrokeKeys.h"
#include "service/input/FunctionCodes.h"

namespace fc = function_codes;

namespace {

// The mouse button of a click, double click or click lock; 0 for none.
std::uint16_t MouseButton(std::uint32_t code) {
  switch (code) {
    case fc::kLeftClick: case fc::kLeftDoubleClick: case fc::kLeftClickLock: return BTN_LEFT;
    case fc::kMiddleClick: case fc::kMiddleDoubleClick: case fc::kMiddleClickLock: return BTN_MIDDLE;
    case fc::kRightClick: case fc::kRightDoubleClick: case fc::kRightClickLock: return BTN_RIGHT;
    case fc::kButton4Click: return BTN_SIDE;
    case fc::kButton5Click: return BTN_EXTRA;
    default: return 0;
  }
}

std::size_t LockIndex(std::uint16_t button) {
  return button == BTN_LEFT ? 0 : button == BTN_MIDDLE ? 1 : 2;
}

}  // namespace

void CButtonActions::Button(std::uint16_t button, std::int32_t value) {
  m_writer.Emit(OutputDevice::kMouse, EV_KEY, button, value);
  m_writer.Close(OutputDevice::kMouse);
}

void CButtonActions::Modifiers(std::uint16_t mask, std::int32_t value) {
  // Pressed Ctrl, Alt, Shift; released in the reverse order.
  constexpr std::array<std::pair<std::uint16_t, std::uint16_t>, 3> kKeys{
      {{fc::kCtrl, KEY_LEFTCTRL}, {fc::kAlt, KEY_LEFTALT}, {fc::kShift, KEY_LEFTSHIFT}}};
  for (std::size_t i = 0; i < kKeys.size(); ++i) {
    const auto& [bit, key] = kKeys[value != 0 ? i : kKeys.size() - 1 - i];
    if ((mask & bit) != 0) m_writer.Emit(OutputDevice::kKeyboard, EV_KEY, key, value);
  }
}

void CButtonActions::Press(const StButtonFunction& function) {
  switch (function.code) {
    case fc::kLeftClick: case fc::kMiddleClick: case fc::kRightClick: case fc::kButton4Click:
    case fc::kButton5Click:
      Button(MouseButton(function.code), 1);
      break;
    case fc::kLeftDoubleClick: case fc::kMiddleDoubleClick: case fc::kRightDoubleClick: {
      const std::uint16_t button = MouseButton(function.code);
      for (int i = 0; i < 2; ++i) {
        Button(button, 1);
        Button(button, 0);
      }
      break;
    }
    case fc::kLeftClickLock: case fc::kMiddleClickLock: case fc::kRightClickLock: {
      const std::uint16_t button = MouseButton(function.code);
      bool& locked = m_locked[LockIndex(button)];
      locked = !locked;
      Button(button, locked ? 1 : 0);
      break;
    }
    case fc::kKeystroke: case fc::kEraseKeystroke:
      Type(function.keys);
      break;
    case fc::kModifier: case fc::kEraseModifier:
      Modifiers(function.modifiers, 1);
      m_writer.Close(OutputDevice::kKeyboard);
      if ((function.modifiers & fc::kClick) != 0) Button(BTN_LEFT, 1);
      break;
    case fc::kRunApplication:
      m_launcher.Launch(function.application);
      break;
    default:
      break;
  }
}

void CButtonActions::Release(const StButtonFunction& function) {
  switch (function.code) {
    case fc::kLeftClick: case fc::kMiddleClick: case fc::kRightClick: case fc::kButton4Click:
    case fc::kButton5Click:
      Button(MouseButton(function.code), 0);
      break;
    case fc::kModifier: case fc::kEraseModifier:
      if ((function.modifiers & fc::kClick) != 0) Button(BTN_LEFT, 0);
      Modifiers(function.modifiers, 0);
      m_writer.Close(OutputDevice::kKeyboard);
      break;
    default:
      break;
  }
}

void CButtonActions::Type(const std::vector<std::uint32_t>& words) {
  for (const std::uint32_t word : words) {
    const std::optional<StKeyPress> press = CKeystrokeKeys::FromWord(word);
    if (!press) continue;
    const std::uint16_t mask = static_cast<std::uint16_t>((press->ctrl ? fc::kCtrl : 0) |
                                                          (press->alt ? fc::kAlt : 0) |
                                                          (press->shift ? fc::kShift : 0));
    Modifiers(mask, 1);
    m_writer.Emit(OutputDevice::kKeyboard, EV_KEY, press->key, 1);
    m_writer.Close(OutputDevice::kKeyboard);
    m_writer.Emit(OutputDevice::kKeyboard, EV_KEY, press->key, 0);
    Modifiers(mask, 0);
    m_writer.Close(OutputDevice::kKeyboard);
  }
}

void CButtonActions::Tap(std::uint16_t key) {
  m_writer.Emit(OutputDevice::kKeyboard, EV_KEY, key, 1);
  m_writer.Close(OutputDevice::kKeyboard);
  m_writer.Emit(OutputDevice::kKeyboard, EV_KEY, key, 0);
  m_writer.Close(OutputDevice::kKeyboard);
}

void CButtonActions::ReleaseLocks() {
  constexpr std::array<std::uint16_t, 3> kButtons{BTN_LEFT, BTN_MIDDLE, BTN_RIGHT};
  for (std::size_t i = 0; i < kButtons.size(); ++i) {
    if (!m_locked[i]) continue;
    m_locked[i] = false;
    Button(kButtons[i], 0);
  }
}
