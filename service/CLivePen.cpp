#include "service/CLivePen.h"

#include "service/CModelConsistency.h"
#include "service/ServiceCodes.h"

namespace sc = service_codes;

namespace {

bool IsPresent(const CServiceNode& node) {
  const CServiceValue* flag = node.FindValue(sc::kPresent, 0);
  return flag == nullptr || flag->Load(0) != 0;
}

// The raw copy follows the record it mirrors, field by field; the service
// has no filter.
void MirrorButtons(CServiceNode& tablet) {
  const CServiceValue* source = tablet.FindValue(sc::kTabletButtonsRecord, 0);
  CServiceValue* copy = tablet.FindValue(sc::kRawButtonsRecord, 0);
  if (source == nullptr || copy == nullptr) return;
  for (const std::uint32_t field : {sc::kFieldLeftButtons, sc::kFieldRightButtons})
    copy->Store(field, source->Load(field));
}

}  // namespace

const StNodeKey* CLivePen::FindTool(const CServiceNode& tablet, std::uint64_t type, std::uint64_t serial) {
  for (const auto& [key, tool] : tablet.Children()) {
    if (key.code != sc::kTool || key.qualifier != 0 || !IsPresent(*tool)) continue;
    if (tool->FindValue(sc::kTypeCode, 0)->Load(0) == (type & sc::kRecordTypeCode) &&
        tool->FindValue(sc::kSerial, 0)->Load(0) == serial)
      return &key;
  }
  return nullptr;
}

Status CLivePen::Report(CServiceNode& root, std::uint32_t number, std::uint16_t code, std::uint32_t index,
                        std::span<const std::uint8_t> in) {
  CServiceNode* tablet = root.FindChild({sc::kTablet, number, 0});
  CServiceValue* value = tablet != nullptr ? tablet->FindValue(code, index) : nullptr;
  if (value == nullptr) return kStatusNotFound;
  const std::uint32_t field = tablet->Values().contains({code, index}) ? 0 : index;
  KELVO_TRY(value->Write(field, in));
  if (code == sc::kTabletButtonsRecord) MirrorButtons(*tablet);
  if (code != sc::kToolRecord) return kStatusOk;

  const CServiceValue& record = *tablet->FindValue(sc::kToolRecord, 0);
  if (record.Load(sc::kFieldProximity) != 0 && IsPresent(*tablet)) {
    // The report names its tool by type and serial; one the tablet has becomes current.
    if (const StNodeKey* tool = FindTool(*tablet, record.Load(sc::kFieldType), record.Load(sc::kFieldSerial)))
      tablet->FindValue(sc::kCurrentTool, 0)->Store(0, tool->index);
    root.FindValue(sc::kCurrentTablet, 0)->Store(0, number);
  }
  CModelConsistency::ResyncRecords(*tablet);
  return kStatusOk;
}
