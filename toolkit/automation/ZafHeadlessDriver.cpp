#include "toolkit/automation/ZafHeadlessDriver.h"

#include "platform/CodePage.h"
#include "toolkit/ZafApplication.h"
#include "toolkit/automation/ZafHeadlessPresenter.h"
#include "toolkit/controls/CMouseCaptureWindow.h"
#include "toolkit/controls/CThumbnail.h"
#include "toolkit/controls/ZafButton.h"
#include "toolkit/controls/ZafList.h"
#include "toolkit/controls/ZafNotebook.h"
#include "toolkit/controls/ZafScrollBar.h"
#include "toolkit/controls/ZafSpinControl.h"
#include "toolkit/controls/ZafString.h"

std::string ZafHeadlessDriver::Press(ZafButton& button) {
  button.UserPress();
  return {};
}

std::string ZafHeadlessDriver::Slide(ZafScrollBar& slider, std::int32_t position) {
  slider.UserSetPosition(position);
  return {};
}

std::string ZafHeadlessDriver::Choose(ZafList& list, int index) {
  list.UserSelect(index);
  return {};
}

std::string ZafHeadlessDriver::EnterInteger(ZafInteger& field, std::int32_t value) {
  field.UserSetValue(value);
  return {};
}

std::string ZafHeadlessDriver::Spin(ZafSpinControl& spin, int direction) {
  spin.UserStep(direction);
  return {};
}

std::string ZafHeadlessDriver::Focus(ZafWindowObject& object) {
  object.SetFocus();
  return {};
}

std::string ZafHeadlessDriver::PlaceCaret(ZafString& field, int position) {
  field.SetFocus();
  field.UserSetCaret(position);
  return {};
}

std::string ZafHeadlessDriver::Tap(CMouseCaptureWindow& capture, std::int32_t x, std::int32_t y) {
  capture.UserTap(x, y);
  return {};
}

std::string ZafHeadlessDriver::Drag(CThumbnail& picture, const ZafRegion& path) {
  if (!picture.UserDrag(path.left, path.top, path.right, path.bottom)) return "no corner to take hold of there";
  return {};
}

std::string ZafHeadlessDriver::ChoosePage(ZafNotebook& notebook, int index) {
  notebook.UserSelectPage(index);
  return {};
}

std::string ZafHeadlessDriver::Key(const StNamedKey& key, char32_t character, bool down) {
  if (m_application == nullptr) return "no application";
  ZafKeyboard& keyboard = m_application->Keyboard();
  ZafEventStruct event;
  event.type = kZafEventKey;
  event.key.virtualKey = key.virtualKey;
  event.key.unicode = character;
  if (const int byte = character != 0 ? EncodeCodePageCharacter(character, keyboard.CodePage()) : -1; byte >= 0)
    event.key.character = static_cast<char>(byte);
  if (keyboard.IsDown(kZafKeyAlt)) event.key.modifiers |= kZafModifierAlt;
  if (keyboard.IsDown(kZafKeyControl)) event.key.modifiers |= kZafModifierCtrl;
  if (keyboard.IsDown(kZafKeyShift)) event.key.modifiers |= kZafModifierShift;
  event.key.down = down;
  event.key.keyData = ZafMakeKeyData(down, keyboard.IsDown(key.virtualKey),
                                     ZafKeyNames::IsExtended(key.virtualKey, key.keypad), keyboard.IsDown(kZafKeyAlt));
  // The keyboard state follows at once so GetKeyState agrees with the script.
  if (key.virtualKey != 0) keyboard.SetKeyDown(key.virtualKey, down);
  m_application->EventManager().Post(event);
  return {};
}

std::string ZafHeadlessDriver::CloseFromFrame(ZafWindow& window) {
  if (m_application == nullptr) return "no application";
  m_application->EventManager().Post(kZafEventClose, &window);
  return {};
}

std::string ZafHeadlessDriver::MoveWindow(ZafWindow& window, const ZafRegion& region) {
  window.UserSetRegion(region);
  return {};
}

std::string ZafHeadlessDriver::DescribeScreens(std::vector<ZafScreen> screens) {
  m_presenter.SetScreens(std::move(screens));
  return {};
}
