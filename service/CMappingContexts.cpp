#include "service/CMappingContexts.h"

#include <array>
#include <cstring>
#include <vector>

#include "service/CModelBuilder.h"
#include "service/ServiceCodes.h"

namespace sc = service_codes;

namespace {

// Levels below (12, 0, 0).
constexpr std::uint16_t kContextSet = 5;  // (5, application, 4) ... (5, 0, 0)
constexpr std::uint16_t kContextGroup = 2;
constexpr std::uint16_t kContextTool = 19;  // (19, serial, 4) (19, identity, 0)
constexpr std::uint16_t kDisplayPart = 21;
constexpr std::uint16_t kTabletPart = 20;
constexpr std::uint16_t kRemoveGroup = 3;  // the removal path's (3, 0, 0) and (136, ...)
constexpr std::uint16_t kRemoveTool = 136;
constexpr std::uint32_t kCommon = 5;  // qualifier of the common context
constexpr std::uint32_t kParts = 3;   // display and tablet-area parts 0..2
constexpr std::uint32_t kCommonPart = 2;

// Values of the parts.
constexpr std::uint16_t kTrackingMode = 135;
constexpr std::uint16_t kMouseSpeed = 191;
constexpr std::uint16_t kAcceleration = 221;
constexpr std::uint16_t kScreenOrigin = 78;
constexpr std::uint16_t kScreenExtent = 79;
constexpr std::uint16_t kScreenRect = 242;
constexpr std::uint16_t kDisplayMode = 150;
constexpr std::uint16_t kMonitor = 151;
constexpr std::uint16_t kTabletOrigin = 60;
constexpr std::uint16_t kTabletExtent = 61;
constexpr std::uint16_t kTabletRect = 243;
constexpr std::uint16_t kTabletFlag = 149;
constexpr std::uint16_t kProportions = 152;
constexpr std::uint16_t kTabletMode = 126;
constexpr std::uint16_t kTopValue = 140;
constexpr std::uint16_t kTabletBounds = 92;
// The tablet's own area items read these at index 18 on a fixed context.
constexpr std::uint32_t kTabletAreaIndex = 18;

constexpr std::uint16_t kModeWholeScreen = 0;
constexpr std::uint16_t kModeOneMonitor = 1;

CServiceValue Num(int type, std::uint64_t value) {
  return CServiceValue::Number(DataTypeSize(type), value);
}

std::vector<std::uint8_t> WordBytes(std::size_t size, const std::vector<std::uint32_t>& words) {
  std::vector<std::uint8_t> bytes(size, 0);
  for (std::size_t i = 0; i < words.size() && 4 * i + 4 <= size; ++i)
    std::memcpy(bytes.data() + 4 * i, &words[i], 4);
  return bytes;
}

CServiceValue Words(int type, const std::vector<std::uint32_t>& words, bool hasDefault = true) {
  return CServiceValue::Raw(WordBytes(DataTypeSize(type), words), hasDefault);
}

// The rectangle (top, left, bottom, right) that an origin and an extent of
// three 32-bit words (x, y, third) cover, as the applet reads it too.
std::vector<std::uint8_t> RectBytes(const std::vector<std::uint8_t>& origin,
                                    const std::vector<std::uint8_t>& extent) {
  std::array<std::uint32_t, 3> o{};
  std::array<std::uint32_t, 3> e{};
  std::memcpy(o.data(), origin.data(), std::min(origin.size(), sizeof(o)));
  std::memcpy(e.data(), extent.data(), std::min(extent.size(), sizeof(e)));
  return WordBytes(DataTypeSize(16), {o[1], o[0], o[1] + e[1], o[0] + e[0]});
}

// What the driver reports is kept by the driver: no client sets it, and it
// has no factory value of its own.
CServiceValue Reported(std::vector<std::uint8_t> bytes) {
  return CServiceValue::Raw(std::move(bytes), false, ValueAccess::kReadOnly);
}

void DeriveRect(CServiceNode& node, std::uint16_t originCode, std::uint16_t extentCode,
                std::uint16_t rectCode) {
  const CServiceValue* origin = node.FindValue(originCode, 0);
  const CServiceValue* extent = node.FindValue(extentCode, 0);
  const CServiceValue* rect = node.FindValue(rectCode, 0);
  if (origin == nullptr || extent == nullptr || rect == nullptr) return;
  std::vector<std::uint8_t> derived = RectBytes(origin->Bytes(), extent->Bytes());
  if (derived != rect->Bytes()) node.PutValue(rectCode, Reported(std::move(derived)));
}

void ResyncNode(CServiceNode& node) {
  DeriveRect(node, kScreenOrigin, kScreenExtent, kScreenRect);
  DeriveRect(node, kTabletOrigin, kTabletExtent, kTabletRect);
  for (auto& [key, child] : node.Children()) ResyncNode(*child);
}

std::unique_ptr<CServiceNode> Chain(std::unique_ptr<CServiceNode> leaf, StNodeKey key) {
  auto parent = std::make_unique<CServiceNode>();
  parent->PutChild(key, std::move(leaf));
  return parent;
}

std::unique_ptr<CServiceNode> MakeDisplayPart(const StTabletProfile& tablet) {
  auto display = std::make_unique<CServiceNode>();
  // Pen mode; the applet's pen and mouse buttons store 0 and 1.
  display->PutValue(kTrackingMode, Num(1, 0));
  display->PutValue(kMouseSpeed, Num(2, 5));
  display->PutValue(kAcceleration, Num(2, 1));
  display->PutValue(kScreenOrigin, Words(8, {0, 0, 0}));
  display->PutValue(kScreenExtent,
                    Words(8, {CMappingContexts::kScreenWidth, CMappingContexts::kScreenHeight, 0}));
  // A pen display's pen addresses its own monitor from the start.
  display->PutValue(kDisplayMode, Num(2, tablet.penDisplay ? kModeOneMonitor : kModeWholeScreen));
  display->PutValue(kMonitor, Num(2, tablet.penDisplay ? tablet.monitor : 0));
  display->PutValue(kScreenRect, Reported({}));
  // Contexts nobody wrote read their prototype, so it is derived as well.
  ResyncNode(*display);
  return display;
}

std::unique_ptr<CServiceNode> MakeTabletPart(const StTabletProfile& tablet) {
  auto area = std::make_unique<CServiceNode>();
  area->PutValue(kTabletOrigin, Words(8, {0, 0, 0}));
  area->PutValue(kTabletExtent, Words(8, {tablet.width, tablet.height, 0}));
  area->PutValue(kTabletOrigin, kTabletAreaIndex, Words(8, {0, 0, 0}));
  area->PutValue(kTabletExtent, kTabletAreaIndex, Words(8, {tablet.width, tablet.height, 0}));
  // A pen display's area flag stays clear until it is calibrated, so the
  // applet opens on its Calibrate tab.
  area->PutValue(kTabletFlag, Num(2, tablet.penDisplay ? 0 : 1));
  area->PutValue(kProportions, Num(2, 2));
  area->PutValue(kTabletRect, Reported({}));
  ResyncNode(*area);
  return area;
}

// The node a removal path's context lives in under `top`, or none.
CServiceNode* ContextsOf(CServiceNode& top, std::uint32_t application, std::uint32_t serial) {
  CServiceNode* node = top.FindChild({kContextSet, application, sc::kCountQualifier});
  for (const StNodeKey key : {StNodeKey{kContextGroup, 0, 0}, StNodeKey{kContextSet, 0, 0},
                              StNodeKey{kContextTool, serial, sc::kCountQualifier}}) {
    if (node == nullptr) return nullptr;
    node = node->FindChild(key);
  }
  return node;
}

bool IsRemovalShape(CMappingContexts::Path rest) {
  // (5, K1, 4) (3, 0, 0) (5, 0, 0) (136, K2, 4) (136, K3, 0)
  return rest.size() == 5 && rest[0].code == kContextSet &&
         rest[0].qualifier == sc::kCountQualifier && rest[1].code == kRemoveGroup &&
         rest[2].code == kContextSet && rest[3].code == kRemoveTool &&
         rest[3].qualifier == sc::kCountQualifier && rest[4].code == kRemoveTool &&
         rest[4].qualifier == 0;
}

}  // namespace

std::unique_ptr<CServiceNode> CMappingContexts::MakeTop(const StTabletProfile& tablet) {
  auto top = std::make_unique<CServiceNode>(NodeKind::kMappingTop);
  top->PutValue(kTopValue, Num(2, 0));
  top->PutValue(kTabletBounds, Words(13, {0, 0, tablet.width, tablet.height}, false));

  auto context = std::make_unique<CServiceNode>();
  context->PutValue(kTabletMode, Num(2, 3));
  for (std::uint32_t k = 0; k < kParts; ++k) {
    context->PutChild({kDisplayPart, k, 0}, MakeDisplayPart(tablet));
    context->PutChild({kTabletPart, k, 0}, MakeTabletPart(tablet));
  }
  // (5, K1, 4) (2, 0, 0) (5, 0, 0) (19, K2, 4) (19, K3, 0): one context per
  // application, tool serial and tool identity, made on first write.
  auto byIdentity = std::make_unique<CServiceNode>();
  byIdentity->PutTemplate(kContextTool, 0, std::move(context));
  auto bySerial = std::make_unique<CServiceNode>();
  bySerial->PutTemplate(kContextTool, sc::kCountQualifier, std::move(byIdentity));
  auto byApplication =
      Chain(Chain(std::move(bySerial), {kContextSet, 0, 0}), {kContextGroup, 0, 0});
  top->PutTemplate(kContextSet, sc::kCountQualifier, std::move(byApplication));

  auto common = std::make_unique<CServiceNode>();
  auto commonArea = std::make_unique<CServiceNode>();
  commonArea->PutValue(kTabletOrigin, Words(8, {0, 0, 0}));
  commonArea->PutValue(kTabletExtent, Words(8, {tablet.width, tablet.height, 0}));
  commonArea->PutValue(kTabletFlag, Num(2, 0));
  common->PutChild({kTabletPart, kCommonPart, 0}, std::move(commonArea));
  // Only a pen display has a monitor of its own, so only it answers here.
  if (tablet.penDisplay) {
    auto commonDisplay = std::make_unique<CServiceNode>();
    commonDisplay->PutValue(kMonitor, Num(2, tablet.monitor));
    common->PutChild({kDisplayPart, kCommonPart, 0}, std::move(commonDisplay));
  }
  top->PutChild({kContextSet, 0, kCommon}, Chain(std::move(common), {kContextTool, 0, kCommon}));
  Resync(*top);
  return top;
}

void CMappingContexts::Resync(CServiceNode& top) {
  ResyncNode(top);
}

std::optional<Status> CMappingContexts::Remove(CServiceNode& root, Path path, bool& changed) {
  changed = false;
  std::size_t at = 0;
  while (at < path.size() && path[at].code != sc::kMapping) ++at;
  if (at == path.size()) return std::nullopt;
  const Path owner = path.first(at);
  std::vector<CServiceNode*> tops;
  if (owner.empty()) {
    // From the root: the tool's context goes on every tablet.
    for (auto& [key, tablet] : root.Children()) {
      if (key.code != sc::kTablet) continue;
      if (CServiceNode* top = tablet->FindChild({sc::kMapping, 0, 0})) tops.push_back(top);
    }
  } else if (owner.size() == 1 && owner[0].code == sc::kTablet) {
    CServiceNode* tablet = root.FindChild({sc::kTablet, owner[0].index, owner[0].qualifier});
    if (tablet == nullptr) return kStatusNotFound;
    tops.push_back(tablet->FindChild({sc::kMapping, 0, 0}));
  } else {
    return std::nullopt;
  }
  const Path rest = path.subspan(at + 1);
  if (!IsRemovalShape(rest)) return kStatusNotFound;
  for (CServiceNode* top : tops) {
    if (top == nullptr) continue;
    // A context never written holds the factory values already.
    CServiceNode* contexts = ContextsOf(*top, rest[0].index, rest[3].index);
    if (contexts != nullptr && contexts->TakeChild({kContextTool, rest[4].index, 0}) != nullptr)
      changed = true;
  }
  return kStatusOk;
}
