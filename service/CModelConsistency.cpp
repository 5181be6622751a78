#include "service/CModelConsistency.h"

#include <vector>

#include "service/CMappingContexts.h"
#include "service/CModelBuilder.h"
#include "service/ServiceCodes.h"

namespace sc = service_codes;

namespace {

bool IsPresent(const CServiceNode& node) {
  const CServiceValue* flag = node.FindValue(sc::kPresent, 0);
  return flag == nullptr || flag->Load(0) != 0;
}

struct StListCount {
  std::uint32_t total = 0;
  std::uint32_t present = 0;
  std::uint32_t firstPresent = 0xFFFF;
};

StListCount CountChildren(const CServiceNode& node, std::uint16_t code) {
  StListCount count;
  for (const auto& [key, child] : node.Children()) {
    if (key.code != code || key.qualifier != 0) continue;
    ++count.total;
    if (IsPresent(*child)) {
      if (count.present == 0) count.firstPresent = key.index;
      ++count.present;
    }
  }
  return count;
}

}  // namespace

void CModelConsistency::Resync(CServiceNode& root) {
  const StListCount tablets = CountChildren(root, sc::kTablet);
  root.FindValue(sc::kCount, 2)->Store(0, tablets.total);
  root.FindValue(sc::kInUse, 2)->Store(0, tablets.present);
  CServiceValue* current = root.FindValue(sc::kCurrentTablet, 0);
  const CServiceNode* currentTablet =
      root.FindChild({sc::kTablet, static_cast<std::uint32_t>(current->Load(0)), 0});
  if (currentTablet == nullptr || !IsPresent(*currentTablet)) current->Store(0, tablets.firstPresent);

  CServiceNode& apps = *root.FindChild({sc::kApplicationList, 0, 0});
  const StListCount applications = CountChildren(apps, sc::kApplication);
  apps.FindValue(sc::kCount, 0)->Store(0, applications.total);
  apps.FindValue(sc::kInUse, 0)->Store(0, applications.present);

  for (auto& [key, tablet] : root.Children())
    if (key.code == sc::kTablet) ResyncTablet(*tablet, apps);
}

void CModelConsistency::ResyncTablet(CServiceNode& tablet, const CServiceNode& apps) {
  const StListCount tools = CountChildren(tablet, sc::kTool);
  tablet.FindValue(sc::kCount, 4)->Store(0, tools.total);
  tablet.FindValue(sc::kInUse, 4)->Store(0, tools.present);
  CServiceValue* currentTool = tablet.FindValue(sc::kCurrentTool, 0);
  const CServiceNode* tool = tablet.FindChild({sc::kTool, static_cast<std::uint32_t>(currentTool->Load(0)), 0});
  if (tool == nullptr || !IsPresent(*tool)) {
    // The tool in use went away: whatever stands in for it is not near the tablet.
    currentTool->Store(0, tools.firstPresent);
    tablet.FindValue(sc::kToolRecord, 0)->Store(sc::kFieldProximity, 0);
  }

  // Function sets follow the applications, in their order, while either
  // part of the set is still there.
  auto positions = std::make_unique<CServiceNode>();
  std::uint32_t sets = 0;
  for (const auto& [key, app] : apps.Children()) {
    const auto uid = static_cast<std::uint32_t>(app->m_uid);
    const std::uint64_t identifier = app->FindValue(sc::kAppIdentifier, 0)->Load(0);
    auto area = tablet.Hidden().find({sc::kFunctionArea, uid, 0});
    auto popup = tablet.Hidden().find({sc::kFunctionSet, uid, 0});
    if (area != tablet.Hidden().end()) area->second->FindValue(sc::kAppIdentifier, 0)->Store(0, identifier);
    if (popup != tablet.Hidden().end()) ResyncPopup(*popup->second);
    if (area == tablet.Hidden().end() && popup == tablet.Hidden().end()) continue;
    auto position = std::make_unique<CServiceNode>();
    position->PutValue(sc::kAppIdentifier,
                       CServiceValue::Number(4, identifier, false, ValueAccess::kReadOnly));
    tablet.PutChild({sc::kFunctionSet, sets++, 0}, std::move(position));
  }
  for (auto it = tablet.Children().begin(); it != tablet.Children().end();) {
    const bool stale = it->first.code == sc::kFunctionSet && it->first.qualifier == 0 && it->first.index >= sets;
    it = stale ? tablet.Children().erase(it) : std::next(it);
  }
  positions->PutValue(sc::kFunctionSet, CServiceValue::Number(2, sets, false, ValueAccess::kReadOnly));
  tablet.PutChild({sc::kCount, 9, sc::kCountQualifier}, std::move(positions));
  ResyncRecords(tablet);
  if (CServiceNode* mapping = tablet.FindChild({sc::kMapping, 0, 0})) CMappingContexts::Resync(*mapping);
}

void CModelConsistency::ResyncPopup(CServiceNode& popup) {
  const StListCount entries = CountChildren(popup, sc::kPopupEntry);
  popup.FindValue(sc::kPopupCount, 0)->Store(0, entries.total);
  for (auto& [key, entry] : popup.Children())
    if (key.code == sc::kPopupEntry) ResyncPopup(*entry);
}

void CModelConsistency::ResyncRecords(CServiceNode& tablet) {
  CServiceValue& record = *tablet.FindValue(sc::kToolRecord, 0);
  const auto number = static_cast<std::uint32_t>(tablet.FindValue(sc::kCurrentTool, 0)->Load(0));
  const CServiceNode* tool = tablet.FindChild({sc::kTool, number, 0});
  if (tool == nullptr || !IsPresent(*tool)) {
    record.Store(sc::kFieldProximity, 0);
  } else {
    const auto type = static_cast<std::uint16_t>(tool->FindValue(sc::kTypeCode, 0)->Load(0));
    const CModelBuilder::ToolClass kind = CModelBuilder::ClassOf(type);
    const std::uint16_t kindBits = kind == CModelBuilder::ToolClass::kStylus ? sc::kRecordPen
                                   : kind == CModelBuilder::ToolClass::kPuck ? sc::kRecordPuck
                                                                              : 0;
    record.Store(sc::kFieldType, kindBits | (type & sc::kRecordTypeCode));
    record.Store(sc::kFieldSerial, tool->FindValue(sc::kSerial, 0)->Load(0));
  }
  // The raw record reports the same tool unfiltered; the service has no filter.
  CServiceValue& raw = *tablet.FindValue(sc::kRawRecord, 0);
  for (std::uint32_t field = 1; field <= sc::kFieldRotation; ++field) raw.Store(field, record.Load(field));
}
