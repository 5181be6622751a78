#include "views/info/CInfoItemView.h"

#include <cstring>

#include "services/CStringManager.h"

CInfoItemView::CInfoItemView(std::uint32_t controlId, ItemId itemId, std::uint32_t valueType)
    : CItemView(controlId, itemId, valueType), m_strings(GetStringManager()) {}

ViewResult CInfoItemView::Dispatch(ViewRequest& request) {
  if (GetItem() == nullptr || !IsForThisView(request)) return kStatusOk;
  const bool addressed = request.controlId == GetControlId();
  switch (request.operation) {
    case kViewGet:
      if (request.data != nullptr) KELVO_TRY(WriteText(static_cast<char*>(request.data)));
      break;
    case kViewSet:
      if (request.data != nullptr) KELVO_TRY(TakeText(static_cast<const char*>(request.data)));
      break;
    case kViewRevert:
    case kViewDefault:
      // The text follows the driver; nothing here could take it back.
      break;
    default:
      if (const ViewResult result = CItemView::Dispatch(request); LowWord(result) != 0) return result;
      break;
  }
  return addressed ? kStatusHandled : kStatusOk;
}

Status CInfoItemView::LookUp(const char* table, std::uint16_t number, char* text) const {
  if (m_strings == nullptr) {
    std::strcpy(text, " ");
    return kStatusNotFound;
  }
  return m_strings->GetString(table, number, text);
}
