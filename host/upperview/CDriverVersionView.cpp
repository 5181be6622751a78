#include "host/upperview/CDriverVersionView.h"

#include <cctype>
#include <cstdio>

void CDriverVersionView::FormatVersion(const std::uint8_t (&record)[5], char* text) {
  // Releases without a letter carry a small number there; it is not shown.
  if (std::isalpha(record[3]) != 0)
    std::snprintf(text, 32, "%d.%d%d%c%d", record[0], record[1], record[2], record[3], record[4]);
  else
    std::snprintf(text, 32, "%d.%d%d%d", record[0], record[1], record[2], record[4]);
}

ViewResult CDriverVersionView::Dispatch(ViewRequest& request) {
  if (GetItem() == nullptr || !IsForThisView(request)) return CItemView::Dispatch(request);
  const bool own = request.controlId == GetControlId();
  if (request.operation == kViewGet) {
    if (request.data == nullptr) return own ? kStatusHandled : kStatusOk;
    std::uint8_t record[5] = {};
    KELVO_TRY(ReadItem(record, sizeof record));
    FormatVersion(record, static_cast<char*>(request.data));
    return own ? kStatusHandled : kStatusOk;
  }
  if (request.operation == kViewSet) return own ? kStatusHandled : kStatusOk;
  const ViewResult result = CItemView::Dispatch(request);
  if (result != 0) return result;
  return own ? kStatusHandled : kStatusOk;
}
