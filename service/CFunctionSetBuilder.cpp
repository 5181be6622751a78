#include "service/CFunctionSetBuilder.h"

#include <array>

#include "service/CControlBuilder.h"
#include "service/CModelBuilder.h"
#include "service/ServiceCodes.h"

namespace sc = service_codes;

namespace {

constexpr std::uint8_t kKeySpace = 0x20;
constexpr std::uint8_t kKeyZ = 0x5A;
constexpr std::uint8_t kKeyUp = 232;
constexpr std::uint8_t kKeyDown = 234;

// The functions of the buttons on a tablet as they leave the factory: the
// modifiers under the thumb, then space, undo and redo, a right click and
// the mode toggle.
std::array<StFunctionDefault, 8> FactoryTabletButtons() {
  return {{
      {sc::kModifierFunction, sc::kModifierShift, {}, {}},
      {sc::kModifierFunction, sc::kModifierCtrl, {}, {}},
      {sc::kModifierFunction, sc::kModifierAlt, {}, {}},
      {sc::kKeystrokeFunction, 0, {CControlBuilder::Keystroke(0, ' ', kKeySpace)}, "Space"},
      {sc::kKeystrokeFunction,
       0,
       {CControlBuilder::Keystroke(sc::kModifierCtrl, 'z', kKeyZ)},
       "Undo"},
      {sc::kKeystrokeFunction,
       0,
       {CControlBuilder::Keystroke(sc::kModifierCtrl | sc::kModifierShift, 'Z', kKeyZ)},
       "Redo"},
      StFunctionDefault::Plain(3),
      StFunctionDefault::Plain(11),
  }};
}

// Sets a value to the application's own setting; the factory value stays.
void Override(CServiceNode& node, std::uint16_t code, std::uint64_t value) {
  if (CServiceValue* held = node.FindValue(code, 0)) held->Store(0, value);
}

CServiceValue Num(int type, std::uint64_t value) {
  return CServiceValue::Number(DataTypeSize(type), value);
}

}  // namespace

std::unique_ptr<CServiceNode> CFunctionSetBuilder::MakeFunctionArea(
    const StTabletProfile& tablet, const StApplicationProfile* application) {
  auto area = std::make_unique<CServiceNode>(NodeKind::kFunctionArea);
  // The application's identifier is kept in step with the application.
  area->PutValue(sc::kAppIdentifier, CServiceValue::Number(4, 0, false, ValueAccess::kReadOnly));
  area->PutValue(sc::kCount,
                 CServiceValue::Number(1, tablet.tabletButtons, false, ValueAccess::kReadOnly));
  // The tablet menu's function.
  area->PutValue(sc::kFunctionCode, Num(3, 0));
  const std::array<StFunctionDefault, 8> buttons = FactoryTabletButtons();
  for (std::uint32_t n = 0; n < tablet.tabletButtons && n < buttons.size(); ++n) {
    auto button = std::make_unique<CServiceNode>();
    CControlBuilder::AddFunctionBlock(*button, buttons[n]);
    area->PutChild({sc::kButton, n, 0}, std::move(button));
  }
  for (std::uint32_t s = 0; s < tablet.touchStrips && s < 2; ++s) {
    auto strip = std::make_unique<CServiceNode>();
    // The first strip scrolls, the second sends the arrow keys.
    if (s == 0) {
      CControlBuilder::AddDirectionalFunction(*strip, 1, 2, {}, {});
    } else {
      CControlBuilder::AddDirectionalFunction(*strip, sc::kKeystrokeFunction, 1,
                                              {CControlBuilder::Keystroke(0, 0, kKeyUp)},
                                              {CControlBuilder::Keystroke(0, 0, kKeyDown)});
    }
    area->PutChild({sc::kButton, 8 + s, 0}, std::move(strip));
  }
  if (application == nullptr) return area;
  if (application->tabletMenu) Override(*area, sc::kFunctionCode, *application->tabletMenu);
  for (std::uint32_t n = 0; n < application->tabletButtons.size(); ++n) {
    if (CServiceNode* button = area->FindChild({sc::kButton, n, 0}))
      Override(*button, sc::kFunctionCode, application->tabletButtons[n]);
  }
  for (std::uint32_t s = 0; s < application->touchStrips.size(); ++s) {
    if (CServiceNode* strip = area->FindChild({sc::kButton, 8 + s, 0}))
      Override(*strip, sc::kFunctionCode, application->touchStrips[s]);
  }
  return area;
}

std::unique_ptr<CServiceNode> CFunctionSetBuilder::MakePopupEntry(std::uint32_t kind) {
  auto entry = std::make_unique<CServiceNode>(NodeKind::kPopup);
  entry->PutValue(sc::kFunctionCode, Num(3, kind));
  for (const std::uint16_t code : {std::uint16_t{189}, std::uint16_t{238}, std::uint16_t{239}})
    entry->PutValue(code, CControlBuilder::WordList({}));
  entry->PutValue(240, CServiceValue::Text(DataTypeSize(20), ""));
  entry->PutValue(sc::kPopupCount, CServiceValue::Number(2, 0, false, ValueAccess::kReadOnly));
  return entry;
}

std::unique_ptr<CServiceNode> CFunctionSetBuilder::MakePopup(
    const StApplicationProfile* application) {
  auto popup = std::make_unique<CServiceNode>(NodeKind::kPopup);
  popup->PutValue(231, CServiceValue::Text(DataTypeSize(20), ""));
  popup->PutValue(230, Num(2, 0));
  popup->PutValue(sc::kPopupCount, CServiceValue::Number(2, 0, false, ValueAccess::kReadOnly));
  popup->PutValue(sc::kPopupReset,
                  CServiceValue(0, ValueKind::kTrigger, std::vector<std::uint8_t>{}));
  if (application == nullptr) return popup;
  std::uint32_t position = 0;
  for (const std::uint32_t kind : application->popup)
    popup->PutChild({sc::kPopupEntry, position++, 0}, MakePopupEntry(kind));
  return popup;
}
