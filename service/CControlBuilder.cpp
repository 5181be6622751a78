#include "service/CControlBuilder.h"

#include <algorithm>
#include <array>

#include "service/CModelBuilder.h"
#include "service/ServiceCodes.h"

namespace sc = service_codes;

namespace {

CServiceValue Num(int type, std::uint64_t value) {
  return CServiceValue::Number(DataTypeSize(type), value);
}
// Measurements of the hardware: no factory value, never set by a client.
CServiceValue Fixed(int type, std::uint64_t value) {
  return CServiceValue::Number(DataTypeSize(type), value, false, ValueAccess::kReadOnly);
}

std::vector<std::uint8_t> LittleEndian(const std::vector<std::uint32_t>& words, std::size_t size) {
  std::vector<std::uint8_t> bytes(size, 0);
  for (std::size_t i = 0; i < words.size() && 4 * i + 4 <= size; ++i)
    for (std::size_t b = 0; b < 4; ++b)
      bytes[4 * i + b] = static_cast<std::uint8_t>(words[i] >> (8 * b));
  return bytes;
}

// Where a pen's feel leaves the factory: the middle position of its
// family's curve, scaled from the table's full scale to the tablet, and
// the middle click threshold in percent of the pressure levels.
struct StFactoryPressure {
  std::uint32_t a, b, c, fullScale, percent;
};

StFactoryPressure FactoryPressure(std::uint16_t type) {
  constexpr std::array<std::uint16_t, 4> kKRB{53, 54, 55, 63};
  constexpr std::array<std::uint16_t, 7> kMJ{7, 17, 20, 46, 49, 50, 51};
  if (type == 42) return {51, 194, 342, 511, 10};
  if (type == 45) return {20, 128, 128, 255, 8};
  if (std::ranges::find(kKRB, type) != kKRB.end()) return {41, 512, 512, 1023, 4};
  if (std::ranges::find(kMJ, type) != kMJ.end()) return {41, 256, 256, 511, 8};
  // Other pens: the MJ curve with the KRB click.
  return {41, 256, 256, 511, 4};
}

// The double-click values of the middle position; type 42 keeps a longer
// value A.
struct StFactoryDoubleClick {
  std::uint32_t a, b;
  std::uint8_t on;
};

StFactoryDoubleClick FactoryDoubleClick(std::uint16_t type) {
  if (type == 42) return {7, 500, 1};
  return {2, 500, 1};
}

}  // namespace

std::uint32_t CControlBuilder::Keystroke(std::uint16_t modifiers, char character,
                                         std::uint8_t keyCode) {
  return modifiers | static_cast<std::uint32_t>(static_cast<std::uint8_t>(character)) << 16 |
         static_cast<std::uint32_t>(keyCode) << 24;
}

CServiceValue CControlBuilder::WordList(const std::vector<std::uint32_t>& words) {
  return CServiceValue::Raw(LittleEndian(words, DataTypeSize(5)), true);
}

std::vector<std::uint32_t> CControlBuilder::NameWords(const std::string& name) {
  std::vector<std::uint32_t> words;
  for (const char character : name.substr(0, 63))
    words.push_back(static_cast<std::uint32_t>(static_cast<std::uint8_t>(character)) << 24);
  return words;
}

void CControlBuilder::AddFunctionBlock(CServiceNode& node, const StFunctionDefault& function) {
  node.PutValue(sc::kFunctionCode, Num(3, function.function));
  node.PutValue(
      sc::kModifiers,
      CServiceValue(2, ValueKind::kBitMask,
                    std::vector<std::uint8_t>{static_cast<std::uint8_t>(function.modifiers),
                                              static_cast<std::uint8_t>(function.modifiers >> 8)}));
  node.PutValue(sc::kKeystroke, WordList(function.keys));
  node.PutValue(sc::kRunProgram, CServiceValue::Text(DataTypeSize(20), ""));
  node.PutValue(sc::kFunctionName, WordList(NameWords(function.name)));
}

void CControlBuilder::AddDirectionalFunction(CServiceNode& node, std::uint32_t function,
                                             std::uint16_t parameter,
                                             const std::vector<std::uint32_t>& keysUp,
                                             const std::vector<std::uint32_t>& keysDown) {
  node.PutValue(sc::kFunctionCode, Num(3, function));
  node.PutValue(sc::kWheelAmount, Num(2, parameter));
  node.PutValue(153, 0, WordList(keysUp));
  node.PutValue(153, 1, WordList(keysDown));
  node.PutValue(211, 0, WordList({}));
  node.PutValue(211, 1, WordList({}));
  node.PutValue(sc::kModifiers,
                CServiceValue(2, ValueKind::kBitMask, std::vector<std::uint8_t>(2, 0)));
}

void CControlBuilder::AddButton(CServiceNode& owner, std::uint32_t number,
                                const StFunctionDefault& function) {
  auto button = std::make_unique<CServiceNode>();
  button->PutValue(29, CServiceValue::Text(DataTypeSize(20), ""));
  AddFunctionBlock(*button, function);
  owner.PutChild({sc::kButton, number, 0}, std::move(button));
}

void CControlBuilder::AddPressureButton(CServiceNode& tool, std::uint32_t number,
                                        const StFunctionDefault& function,
                                        const StToolProfile& profile,
                                        const StTabletProfile& tablet) {
  AddButton(tool, number, function);
  CServiceNode& button = *tool.FindChild({sc::kButton, number, 0});
  const StFactoryPressure factory = FactoryPressure(profile.type);
  const std::uint32_t levels = tablet.pressureLevels;
  std::vector<std::uint8_t> curve(DataTypeSize(11), 0);
  const std::array<std::uint32_t, 6> words{0,
                                           factory.a * levels / factory.fullScale,
                                           factory.b * levels / factory.fullScale,
                                           factory.c * levels / factory.fullScale,
                                           levels,
                                           levels};
  for (std::size_t i = 0; i < words.size(); ++i) {
    curve[2 * i] = static_cast<std::uint8_t>(words[i]);
    curve[2 * i + 1] = static_cast<std::uint8_t>(words[i] >> 8);
  }
  button.PutValue(sc::kPressureCurve, CServiceValue::Raw(curve, true));
  button.PutValue(sc::kClickThreshold, Num(2, levels * factory.percent / 100));
  button.PutValue(42, Num(2, 0));
  button.PutValue(245, Num(3, 0));
}

void CControlBuilder::AddToolControls(CServiceNode& tool, const StToolProfile& profile,
                                      const StTabletProfile& tablet) {
  const StFactoryDoubleClick doubleClick = FactoryDoubleClick(profile.type);
  tool.PutValue(sc::kDoubleClickA, Num(3, doubleClick.a));
  tool.PutValue(sc::kDoubleClickB, Num(3, doubleClick.b));
  tool.PutValue(sc::kDoubleClickOn, Num(1, doubleClick.on));
  if (CModelBuilder::ClassOf(profile.type) == CModelBuilder::ToolClass::kStylus) {
    tool.PutValue(sc::kButtonCount, Fixed(1, profile.eraser ? 4 : 3));
    // 0: the eraser is in use; 2: the pen has none.
    tool.PutValue(sc::kEraserState, Num(2, profile.eraser ? 0 : 2));
    AddPressureButton(tool, sc::kTipButton, StFunctionDefault::Plain(1), profile, tablet);
    AddButton(tool, sc::kLowerSwitch, StFunctionDefault::Plain(3));
    AddButton(tool, sc::kUpperSwitch, StFunctionDefault::Plain(2));
    if (profile.eraser) AddPressureButton(tool, sc::kEraserButton, StFunctionDefault::Plain(15), profile, tablet);
  } else {
    tool.PutValue(sc::kButtonCount, Fixed(1, profile.buttons));
    tool.PutValue(sc::kEraserState, Num(2, 2));
    static constexpr std::array<std::uint32_t, 5> kPuckFunctions{1, 3, 2, 19, 20};
    for (std::uint32_t b = 1; b <= profile.buttons && b <= sc::kLastPuckButton; ++b)
      AddButton(tool, b,
                StFunctionDefault::Plain(b <= kPuckFunctions.size() ? kPuckFunctions[b - 1] : 0));
    if (profile.roller) {
      auto roller = std::make_unique<CServiceNode>();
      roller->PutValue(sc::kFunctionCode, Num(3, 0));
      roller->PutValue(sc::kWheelAmount, Num(2, 1));
      tool.PutChild({sc::kButton, sc::kRollerButton, 0}, std::move(roller));
    }
  }
  if (profile.wheel) {
    // Scrolls by three lines.
    auto wheel = std::make_unique<CServiceNode>();
    AddDirectionalFunction(*wheel, 0, 3, {}, {});
    tool.PutChild({sc::kButton, sc::kWheelButton, 0}, std::move(wheel));
  }
}

void CControlBuilder::AddTabletControls(CServiceNode& tablet, const StTabletProfile& profile) {
  tablet.PutValue(
      sc::kPressureAxis, CServiceValue::Raw(LittleEndian({0, profile.pressureLevels, 0, 0}, DataTypeSize(12)),
                             false, ValueAccess::kReadOnly));
  // (4, type, 1) (4, serial, 1) (11, button, 0): a pressure value kept per tool identity.
  auto perButton = std::make_unique<CServiceNode>();
  perButton->PutValue(111, Num(2, 0));
  auto bySerial = std::make_unique<CServiceNode>();
  bySerial->PutTemplate(sc::kButton, 0, std::move(perButton));
  auto byType = std::make_unique<CServiceNode>();
  byType->PutTemplate(sc::kTool, sc::kByIdentifier, std::move(bySerial));
  tablet.PutTemplate(sc::kTool, sc::kByIdentifier, std::move(byType));

  auto shared = std::make_unique<CServiceNode>();
  shared->PutValue(250, Num(2, 0));
  shared->PutValue(249, Num(2, 0));
  tablet.PutChild({sc::kFunctionArea, 0, 5}, std::move(shared));

  if (profile.battery) {
    auto battery = std::make_unique<CServiceNode>();
    battery->PutValue(52, Fixed(3, profile.batteryLevel));
    battery->PutValue(233, Num(2, 1));
    battery->PutValue(256, Num(3, 0));
    tablet.PutChild({sc::kBattery, 0, 0}, std::move(battery));
  }
  if (profile.joystick) {
    auto joystick = std::make_unique<CServiceNode>();
    joystick->PutValue(108, Num(3, 1));
    AddButton(*joystick, 0, StFunctionDefault::Plain(0));
    tablet.PutChild({sc::kJoystick, 0, 0}, std::move(joystick));
  }
}
