#include "service/CModelBuilder.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <vector>

#include "protocol/DataTypeSize.h"
#include "service/ServiceCodes.h"

namespace sc = service_codes;

namespace {

CServiceValue Num(int type, std::uint64_t value) { return CServiceValue::Number(DataTypeSize(type), value); }
// Identity and measurements: no factory value, never set by a client.
CServiceValue Fixed(int type, std::uint64_t value) {
  return CServiceValue::Number(DataTypeSize(type), value, false, ValueAccess::kReadOnly);
}
CServiceValue Text(const std::string& text) { return CServiceValue::Text(DataTypeSize(20), text.c_str()); }

CServiceValue Words(int type, const std::vector<std::uint32_t>& words, bool hasDefault = true) {
  std::vector<std::uint8_t> bytes(DataTypeSize(type), 0);
  for (std::size_t i = 0; i < words.size() && 4 * i + 4 <= bytes.size(); ++i)
    for (std::size_t b = 0; b < 4; ++b) bytes[4 * i + b] = static_cast<std::uint8_t>(words[i] >> (8 * b));
  return CServiceValue::Raw(std::move(bytes), hasDefault);
}

CServiceValue Mask() { return CServiceValue(2, ValueKind::kBitMask, std::vector<std::uint8_t>(2, 0)); }

// A 44-byte tool record; its fields are the slices the applet reads by index.
CServiceValue ToolRecord() {
  CServiceValue record(DataTypeSize(14), ValueKind::kRecord, std::nullopt);
  const std::array<StValueField, 13> fields{{{1, 0, 2}, {2, 2, 2}, {3, 4, 2}, {4, 6, 2}, {5, 8, 4},
                                             {6, 12, 4}, {7, 16, 4}, {8, 20, 4}, {9, 24, 2},
                                             {10, 26, 2}, {11, 28, 2}, {12, 30, 2}, {13, 32, 2}}};
  for (const StValueField& field : fields) record.AddField(field.index, field.offset, field.size);
  return record;
}

// An 8-byte record of two 32-bit fields whose first field is read at `first`.
CServiceValue PairRecord(std::uint32_t first, std::uint32_t second) {
  CServiceValue record(8, ValueKind::kRecord, std::nullopt);
  record.AddField(first, 0, 4);
  record.AddField(second, 4, 4);
  return record;
}

struct StCurveRow {
  std::uint32_t a, b, c, full, percent;
};

// Position 3 of the pressure family that a tool type code selects.
StCurveRow FactoryCurve(std::uint16_t type) {
  if (type == 42) return {51, 194, 342, 511, 10};
  if (type == 45) return {20, 128, 128, 255, 8};
  if (type == 53 || type == 54 || type == 55 || type == 63) return {41, 512, 512, 1023, 4};
  return {41, 256, 256, 511, 8};
}

void AddFunctionBlock(CServiceNode& node, std::uint32_t function) {
  node.PutValue(sc::kFunctionCode, Num(3, function));
  node.PutValue(sc::kModifiers, Mask());
  node.PutValue(238, Num(5, 0));
  node.PutValue(240, Text(""));
  node.PutValue(241, Num(5, 0));
}

void AddDirectional(CServiceNode& node) {
  for (std::uint32_t direction = 0; direction < 2; ++direction) {
    node.PutValue(153, direction, Num(5, 0));
    node.PutValue(211, direction, Num(5, 0));
  }
}

std::unique_ptr<CServiceNode> Chain(std::unique_ptr<CServiceNode> leaf, StNodeKey key) {
  auto parent = std::make_unique<CServiceNode>();
  parent->PutChild(key, std::move(leaf));
  return parent;
}

}  // namespace

CModelBuilder::ToolClass CModelBuilder::ClassOf(std::uint16_t typeCode) {
  static constexpr std::array<std::uint16_t, 37> kStylus{0,  1,  2,  4,  7,  15, 17, 19, 20, 22, 23, 24, 25,
                                                         26, 27, 28, 32, 34, 37, 38, 40, 42, 45, 46, 52, 53,
                                                         54, 55, 58, 59, 61, 62, 63, 65, 66, 67, 68};
  static constexpr std::array<std::uint16_t, 24> kPuck{3,  5,  6,  8,  12, 13, 14, 16, 18, 21, 29, 30,
                                                       31, 33, 35, 36, 39, 41, 43, 44, 47, 56, 60, 64};
  if (std::find(kStylus.begin(), kStylus.end(), typeCode) != kStylus.end()) return ToolClass::kStylus;
  if (std::find(kPuck.begin(), kPuck.end(), typeCode) != kPuck.end()) return ToolClass::kPuck;
  return ToolClass::kUnknown;
}

void CModelBuilder::AddButton(CServiceNode& owner, std::uint32_t number, std::uint32_t function) {
  auto button = std::make_unique<CServiceNode>();
  button->PutValue(29, Text(""));
  AddFunctionBlock(*button, function);
  owner.PutChild({sc::kButton, number, 0}, std::move(button));
}

void CModelBuilder::AddPressureButton(CServiceNode& tool, std::uint32_t number, std::uint32_t function,
                                      const StToolProfile& profile, const StTabletProfile& tablet) {
  AddButton(tool, number, function);
  CServiceNode& button = *tool.FindChild({sc::kButton, number, 0});
  const StCurveRow row = FactoryCurve(profile.type);
  const std::uint32_t levels = tablet.pressureLevels;
  std::vector<std::uint8_t> curve(12, 0);
  const std::array<std::uint32_t, 6> words{0, row.a * levels / row.full, row.b * levels / row.full,
                                           row.c * levels / row.full, levels, levels};
  for (std::size_t i = 0; i < words.size(); ++i) {
    curve[2 * i] = static_cast<std::uint8_t>(words[i]);
    curve[2 * i + 1] = static_cast<std::uint8_t>(words[i] >> 8);
  }
  button.PutValue(109, CServiceValue(12, ValueKind::kPlain, curve));
  button.PutValue(43, Num(2, levels * row.percent / 100));
  button.PutValue(42, Num(2, 0));
  button.PutValue(245, Num(3, 0));
}

void CModelBuilder::AddWheel(CServiceNode& owner) {
  auto wheel = std::make_unique<CServiceNode>();
  wheel->PutValue(sc::kFunctionCode, Num(3, 0));
  wheel->PutValue(108, Num(2, 3));
  AddDirectional(*wheel);
  wheel->PutValue(sc::kModifiers, Mask());
  owner.PutChild({sc::kButton, 32, 0}, std::move(wheel));
}

std::unique_ptr<CServiceNode> CModelBuilder::MakeTool(const StToolProfile& profile,
                                                      const StTabletProfile& tablet) {
  auto tool = std::make_unique<CServiceNode>(NodeKind::kTool);
  tool->PutValue(sc::kTypeCode, Fixed(2, profile.type));
  tool->PutValue(sc::kSerial, Fixed(3, profile.serial));
  tool->PutValue(sc::kIdentity, Fixed(2, profile.identity));
  tool->PutValue(188, Text(profile.name));
  tool->PutValue(sc::kAppIdentifier, Num(3, 0));
  tool->PutValue(255, Num(3, 2));
  tool->PutValue(113, Num(3, 500));
  tool->PutValue(170, Num(1, 1));
  tool->PutValue(52, Num(2, 0));
  tool->PutValue(sc::kPresent, CServiceValue::Number(1, 1, false));
  tool->PutValue(178, Num(2, 0));
  tool->PutValue(179, Num(1, 0));
  const ToolClass kind = ClassOf(profile.type);
  if (kind == ToolClass::kStylus) {
    tool->PutValue(71, Fixed(1, profile.eraser ? 4 : 3));
    tool->PutValue(205, Num(2, profile.eraser ? 0 : 2));
    tool->PutValue(121, Num(2, 0));
    AddPressureButton(*tool, 1, 1, profile, tablet);
    AddButton(*tool, 2, 3);
    AddButton(*tool, 3, 2);
    if (profile.eraser) AddPressureButton(*tool, 4, 15, profile, tablet);
  } else {
    tool->PutValue(71, Fixed(1, profile.buttons));
    tool->PutValue(205, Num(2, 2));
    for (const std::uint16_t code : std::initializer_list<std::uint16_t>{194, 206, 122, 141, 201}) tool->PutValue(code, Num(2, 0));
    tool->PutValue(120, Num(1, 0));
    static constexpr std::array<std::uint32_t, 5> kPuckFunctions{1, 3, 2, 19, 20};
    for (std::uint32_t b = 1; b <= profile.buttons && b < 16; ++b)
      AddButton(*tool, b, b <= kPuckFunctions.size() ? kPuckFunctions[b - 1] : 0);
    if (profile.roller) {
      auto roller = std::make_unique<CServiceNode>();
      roller->PutValue(sc::kFunctionCode, Num(3, 0));
      roller->PutValue(108, Num(2, 1));
      tool->PutChild({sc::kButton, 16, 0}, std::move(roller));
    }
  }
  if (profile.wheel) AddWheel(*tool);
  return tool;
}

std::unique_ptr<CServiceNode> CModelBuilder::MakeFunctionArea(const StTabletProfile& tablet) {
  auto area = std::make_unique<CServiceNode>(NodeKind::kFunctionArea);
  area->PutValue(sc::kAppIdentifier, Fixed(3, 0));
  area->PutValue(sc::kCount, Fixed(1, tablet.tabletButtons));
  area->PutValue(sc::kFunctionCode, Num(3, 0));
  for (std::uint32_t n = 0; n < tablet.tabletButtons && n < 8; ++n) {
    auto button = std::make_unique<CServiceNode>();
    AddFunctionBlock(*button, n < 4 ? 9 : 8);
    area->PutChild({sc::kButton, n, 0}, std::move(button));
  }
  for (std::uint32_t s = 0; s < tablet.touchStrips && s < 2; ++s) {
    auto strip = std::make_unique<CServiceNode>();
    strip->PutValue(sc::kFunctionCode, Num(3, 0));
    strip->PutValue(108, Num(2, 2));
    AddDirectional(*strip);
    strip->PutValue(sc::kModifiers, Mask());
    area->PutChild({sc::kButton, 8 + s, 0}, std::move(strip));
  }
  return area;
}

std::unique_ptr<CServiceNode> CModelBuilder::MakePopup() {
  auto popup = std::make_unique<CServiceNode>(NodeKind::kPopup);
  popup->PutValue(231, Text(""));
  popup->PutValue(230, Num(2, 0));
  popup->PutValue(sc::kPopupCount, Fixed(2, 0));
  popup->PutValue(sc::kPopupReset, CServiceValue(0, ValueKind::kTrigger, std::vector<std::uint8_t>{}));
  // Entries of a popup share its shape and carry the function of a menu line.
  auto entry = std::make_unique<CServiceNode>(NodeKind::kPopup);
  entry->PutValue(sc::kFunctionCode, CServiceValue::Number(4, 0, true, ValueAccess::kReadWrite));
  for (const std::uint16_t code : std::initializer_list<std::uint16_t>{189, 238, 239}) entry->PutValue(code, Num(5, 0));
  entry->PutValue(240, Text(""));
  entry->PutValue(sc::kPopupCount, Fixed(2, 0));
  popup->PutTemplate(sc::kPopupEntry, 0, std::move(entry));
  return popup;
}

std::unique_ptr<CServiceNode> CModelBuilder::MakeMappingTop(const StTabletProfile& tablet) {
  auto top = std::make_unique<CServiceNode>(NodeKind::kMappingTop);
  top->PutValue(140, Num(2, 0));
  top->PutValue(92, Words(13, {0, 0, tablet.width, tablet.height}, false));

  auto display = std::make_unique<CServiceNode>();
  display->PutValue(135, Num(1, 1));
  display->PutValue(191, Num(2, 5));
  display->PutValue(221, Num(2, 1));
  display->PutValue(78, Words(8, {0, 0, 0}));
  display->PutValue(79, Words(8, {1920, 1080, 0}));
  display->PutValue(242, Words(16, {0, 0, 1920, 1080}));
  display->PutValue(150, Num(2, 0));
  display->PutValue(151, Num(2, 0));
  auto area = std::make_unique<CServiceNode>();
  area->PutValue(60, Words(8, {0, 0, 0}));
  area->PutValue(61, Words(8, {tablet.width, tablet.height, 0}));
  area->PutValue(60, 18, Words(8, {0, 0, 0}));
  area->PutValue(61, 18, Words(8, {tablet.width, tablet.height, 0}));
  area->PutValue(243, Words(16, {0, 0, tablet.width, tablet.height}));
  area->PutValue(149, Num(2, 1));
  area->PutValue(152, Num(2, 2));

  auto context = std::make_unique<CServiceNode>();
  context->PutValue(126, Num(2, 3));
  for (std::uint32_t k = 0; k < 3; ++k) {
    context->PutChild({21, k, 0}, display->Clone());
    context->PutChild({20, k, 0}, area->Clone());
  }
  // (5, K1, 4) (2, 0, 0) (5, 0, 0) (19, K2, 4) (19, K3, 0): one context per
  // application, tool serial and tool identity, made on first use.
  auto byIdentity = std::make_unique<CServiceNode>();
  byIdentity->PutTemplate(19, 0, std::move(context));
  auto bySerial = std::make_unique<CServiceNode>();
  bySerial->PutTemplate(19, sc::kCountQualifier, std::move(byIdentity));
  auto byApplication = Chain(Chain(std::move(bySerial), {5, 0, 0}), {2, 0, 0});
  top->PutTemplate(5, sc::kCountQualifier, std::move(byApplication));

  auto common = std::make_unique<CServiceNode>();
  auto commonArea = std::make_unique<CServiceNode>();
  commonArea->PutValue(60, Words(8, {0, 0, 0}));
  commonArea->PutValue(61, Words(8, {tablet.width, tablet.height, 0}));
  commonArea->PutValue(149, Num(2, 0));
  common->PutChild({20, 2, 0}, std::move(commonArea));
  if (tablet.penDisplay) {
    auto commonDisplay = std::make_unique<CServiceNode>();
    commonDisplay->PutValue(151, Num(2, tablet.monitor));
    common->PutChild({21, 2, 0}, std::move(commonDisplay));
  }
  top->PutChild({5, 0, 5}, Chain(std::move(common), {19, 0, 5}));
  return top;
}

std::unique_ptr<CServiceNode> CModelBuilder::MakeTablet(const StTabletProfile& tablet) {
  auto node = std::make_unique<CServiceNode>(NodeKind::kTablet);
  // The tablet is switched on until the user says otherwise.
  node->PutValue(186, Num(1, 1));
  node->PutValue(123, Num(2, 0));
  node->PutValue(29, Text(tablet.name));
  node->PutValue(sc::kModel, Fixed(2, tablet.model));
  node->PutValue(84, Words(7, {tablet.width, tablet.height}, false));
  node->PutValue(161, Num(3, 0));
  node->PutValue(224, CServiceValue::Raw({tablet.version.begin(), tablet.version.end()}, false,
                                         ValueAccess::kReadOnly));
  for (const std::uint16_t code : std::initializer_list<std::uint16_t>{162, 163, 164}) node->PutValue(code, Num(1, 0));
  node->PutValue(165, Fixed(1, 0));  // the OEM code
  node->PutValue(sc::kPresent, CServiceValue::Number(1, 1, false));
  node->PutValue(185, Num(2, 0));
  node->PutValue(182, Text(""));
  node->PutValue(183, Num(2, 0));
  node->PutValue(sc::kCurrentTool, CServiceValue::Number(2, 0, false));
  node->PutValue(52, Num(1, 0));
  node->PutValue(254, Num(1, 0));
  node->PutValue(208, Num(2, 0));
  node->PutValue(93, Words(12, {0, tablet.pressureLevels, 0, 0}, false));
  node->PutValue(sc::kToolRecord, ToolRecord());
  node->PutValue(sc::kRawRecord, ToolRecord());
  node->PutValue(248, PairRecord(0, 5));
  node->PutValue(247, PairRecord(0, 5));
  node->PutValue(246, PairRecord(8, 9));
  node->PutValue(sc::kCount, 4, Fixed(2, 0));
  node->PutValue(sc::kInUse, 4, Fixed(2, 0));

  auto shared = std::make_unique<CServiceNode>();
  shared->PutValue(250, Num(2, 0));
  shared->PutValue(249, Num(2, 0));
  node->PutChild({sc::kFunctionArea, 0, 5}, std::move(shared));
  node->PutChild({sc::kMapping, 0, 0}, MakeMappingTop(tablet));
  if (tablet.battery) {
    auto battery = std::make_unique<CServiceNode>();
    battery->PutValue(52, Fixed(3, tablet.batteryLevel));
    battery->PutValue(233, Num(2, 1));
    node->PutChild({sc::kBattery, 0, 0}, std::move(battery));
  }
  if (tablet.joystick) {
    auto joystick = std::make_unique<CServiceNode>();
    joystick->PutValue(108, Num(3, 1));
    AddButton(*joystick, 0, 0);
    node->PutChild({sc::kJoystick, 0, 0}, std::move(joystick));
  }
  // (4, type, 1) (4, serial, 1) (11, button, 0): pressure values kept per tool identity.
  auto perButton = std::make_unique<CServiceNode>();
  perButton->PutValue(111, Num(2, 0));
  auto bySerial = std::make_unique<CServiceNode>();
  bySerial->PutTemplate(sc::kButton, 0, std::move(perButton));
  auto byType = std::make_unique<CServiceNode>();
  byType->PutTemplate(sc::kTool, sc::kByIdentifier, std::move(bySerial));
  node->PutTemplate(sc::kTool, sc::kByIdentifier, std::move(byType));

  std::uint32_t number = 0;
  for (const StToolProfile& tool : tablet.tools)
    node->PutChild({sc::kTool, number++, 0}, MakeTool(tool, tablet));
  return node;
}

std::unique_ptr<CServiceNode> CModelBuilder::MakeApplication(const StApplicationProfile& app) {
  auto node = std::make_unique<CServiceNode>(NodeKind::kApp);
  node->PutValue(sc::kAppIdentifier, CServiceValue::Number(4, app.identifier, false));
  node->PutValue(117, CServiceValue::Text(256, app.title.c_str(), false));
  node->PutValue(sc::kProgramName, CServiceValue::Text(256, app.program.c_str(), false));
  node->PutValue(119, Num(3, 0));
  return node;
}

std::unique_ptr<CServiceNode> CModelBuilder::MakeRoot(const StProfile& profile) {
  auto root = std::make_unique<CServiceNode>(NodeKind::kRoot);
  // No saved window position yet: both coordinates -1 keep the layout's place.
  root->PutValue(195, Num(6, 0xFFFFFFFFFFFFFFFFULL));
  root->PutValue(184, Num(3, 0));
  root->PutValue(219, CServiceValue::Raw({profile.driverVersion.begin(), profile.driverVersion.end()},
                                         false, ValueAccess::kReadOnly));
  root->PutValue(120, Num(1, 0));
  root->PutValue(187, Num(2, 0));
  root->PutValue(sc::kCurrentTablet, CServiceValue::Number(2, 0, false));
  root->PutValue(196, Num(2, 0));
  root->PutValue(199, Num(3, 0));
  root->PutValue(180, Num(2, 0));
  root->PutValue(223, Num(1, 0));
  root->PutValue(193, CServiceValue::Number(1, 0, false));
  root->PutValue(244, 6, CServiceValue::Number(4, 0, false));
  root->PutValue(102, CServiceValue::Number(1, 0, false));
  root->PutValue(sc::kCount, 2, Fixed(2, 0));
  root->PutValue(sc::kInUse, 2, Fixed(2, 0));
  auto group = std::make_unique<CServiceNode>();
  group->PutValue(214, Num(2, 0));
  root->PutChild({14, 0, 0}, std::move(group));

  auto apps = std::make_unique<CServiceNode>(NodeKind::kAppList);
  apps->PutValue(234, Num(1, 1));
  apps->PutValue(sc::kCount, Fixed(2, 0));
  apps->PutValue(sc::kInUse, Fixed(2, 0));
  root->PutChild({sc::kApplicationList, 0, 0}, std::move(apps));
  std::uint32_t number = 0;
  for (const StTabletProfile& tablet : profile.tablets)
    root->PutChild({sc::kTablet, number++, 0}, MakeTablet(tablet));
  return root;
}
