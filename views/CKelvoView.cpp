#include "views/CKelvoView.h"

#include "services/CEventTranslator.h"
#include "settings/CDataGrouping.h"

CDataGrouping* ResolveViewData(CDataGrouping* data, std::int32_t index) {
  if (data == nullptr || index == kSameData) return data;
  return data->GetSubGroup(index, kViewSubGroupKind);
}

Status NotifyControlState(std::uint32_t controlId, std::uint32_t code) {
  CEventTranslator* translator = GetEventTranslator();
  if (translator == nullptr) return kStatusOutOfMemory;
  return translator->SetControlState(controlId, code);
}

Status SendViewRequest(std::uint32_t operation, std::uint32_t controlId, void* data) {
  CEventTranslator* translator = GetEventTranslator();
  if (translator == nullptr) return kStatusOutOfMemory;
  return translator->Send(operation, controlId, data);
}
