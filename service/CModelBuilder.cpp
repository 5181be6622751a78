#include "service/CModelBuilder.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <vector>

#include "service/CControlBuilder.h"
#include "service/CMappingContexts.h"
#include "service/ServiceCodes.h"
#include "service/ToolRecordLayout.h"

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

// A 44-byte tool record; its fields are the slices the applet reads by index.
CServiceValue ToolRecord() {
  CServiceValue record(kToolRecordSize, ValueKind::kRecord, std::nullopt);
  for (const StValueField& field : kToolRecordFields) record.AddField(field.index, field.offset, field.size);
  return record;
}

// An 8-byte record of two 32-bit fields whose first field is read at `first`;
// a record of one side only has no second field.
CServiceValue PairRecord(std::uint32_t first, std::uint32_t second, bool bothSides = true) {
  CServiceValue record(8, ValueKind::kRecord, std::nullopt);
  record.AddField(first, 0, 4);
  if (bothSides) record.AddField(second, 4, 4);
  return record;
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

CModelBuilder::ToolKind CModelBuilder::KindOf(std::uint16_t typeCode) {
  static constexpr std::array<std::uint16_t, 4> kAirbrush{7, 26, 54, 68};
  switch (ClassOf(typeCode)) {
    case ToolClass::kStylus:
      return std::find(kAirbrush.begin(), kAirbrush.end(), typeCode) != kAirbrush.end() ? ToolKind::kAirbrush
                                                                                         : ToolKind::kPen;
    case ToolClass::kPuck:
      return ToolKind::kPuck;
    case ToolClass::kUnknown:
      break;
  }
  return ToolKind::kUnknown;
}

const char* CModelBuilder::KindName(ToolKind kind) {
  switch (kind) {
    case ToolKind::kPen: return "pen";
    case ToolKind::kAirbrush: return "airbrush";
    case ToolKind::kPuck: return "puck";
    case ToolKind::kUnknown: break;
  }
  return "tool";
}

std::unique_ptr<CServiceNode> CModelBuilder::MakeTool(const StToolProfile& profile,
                                                      const StTabletProfile& tablet) {
  auto tool = std::make_unique<CServiceNode>(NodeKind::kTool);
  tool->PutValue(sc::kTypeCode, Fixed(2, profile.type));
  tool->PutValue(sc::kSerial, Fixed(3, profile.serial));
  tool->PutValue(sc::kIdentity, Fixed(2, profile.identity));
  tool->PutValue(sc::kToolName, Text(profile.name));
  tool->PutValue(sc::kAppIdentifier, Num(3, 0));
  tool->PutValue(52, Num(2, 0));
  tool->PutValue(sc::kPresent, CServiceValue::Number(1, 1, false));
  tool->PutValue(178, Num(2, 0));
  tool->PutValue(179, Num(1, 0));
  if (ClassOf(profile.type) == ToolClass::kStylus) {
    tool->PutValue(121, Num(2, 0));
  } else {
    for (const std::uint16_t code : std::initializer_list<std::uint16_t>{194, 206, 122, 141, 201}) tool->PutValue(code, Num(2, 0));
    tool->PutValue(120, Num(1, 0));
  }
  CControlBuilder::AddToolControls(*tool, profile, tablet);
  return tool;
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
  node->PutValue(sc::kToolRecord, ToolRecord());
  node->PutValue(sc::kRawRecord, ToolRecord());
  // The tablet's own buttons (left and right side) and touch strips report
  // only on tablets that have them.
  if (tablet.tabletButtons > 0) {
    node->PutValue(sc::kTabletButtonsRecord, PairRecord(sc::kFieldLeftButtons, sc::kFieldRightButtons));
    node->PutValue(sc::kRawButtonsRecord, PairRecord(sc::kFieldLeftButtons, sc::kFieldRightButtons));
  }
  if (tablet.touchStrips > 0)
    node->PutValue(sc::kTouchStripsRecord,
                   PairRecord(sc::kFieldLeftStrip, sc::kFieldRightStrip, tablet.touchStrips > 1));
  node->PutValue(sc::kCount, 4, Fixed(2, 0));
  node->PutValue(sc::kInUse, 4, Fixed(2, 0));

  node->PutChild({sc::kMapping, 0, 0}, CMappingContexts::MakeTop(tablet));
  CControlBuilder::AddTabletControls(*node, tablet);

  std::uint32_t number = 0;
  for (const StToolProfile& tool : tablet.tools)
    node->PutChild({sc::kTool, number++, 0}, MakeTool(tool, tablet));
  return node;
}

std::unique_ptr<CServiceNode> CModelBuilder::MakeApplication(const StApplicationProfile& app) {
  auto node = std::make_unique<CServiceNode>(NodeKind::kApp);
  node->PutValue(sc::kAppIdentifier, CServiceValue::Number(4, app.identifier, false));
  node->PutValue(sc::kAppTitle, CServiceValue::Text(256, app.title.c_str(), false));
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
