#include "views/info/CDriverVersionView.h"

#include <cstdio>

void CDriverVersionView::FormatVersion(const std::uint8_t (&record)[5], char* text) {
  // The release stage is a code: 0 alpha, 1 beta, anything else a release.
  const char stage = record[3] == 0 ? 'a' : record[3] == 1 ? 'b' : '-';
  std::snprintf(text, 32, "%d.%d%d%c%d", record[0], record[1], record[2], stage, record[4]);
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
