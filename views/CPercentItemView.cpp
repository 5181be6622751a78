#include "views/CPercentItemView.h"

#include <cstdio>
#include <cstring>

namespace {

constexpr unsigned kFullScale = 1023;

}  // namespace

ViewResult CPercentItemView::Dispatch(ViewRequest& request) {
  if (GetItem() == nullptr || !IsForThisView(request)) return kStatusOk;
  const bool addressed = request.controlId == GetControlId();
  switch (request.operation) {
    case kViewGet: {
      if (request.data == nullptr) break;
      std::uint16_t value = 0;
      KELVO_TRY(ReadItem(&value, sizeof value));
      char text[kViewTextCapacity] = {};
      std::snprintf(text, sizeof text, "%u%%", value * 100U / kFullScale);
      std::memcpy(request.data, text, std::strlen(text) + 1);
      break;
    }
    case kViewSet:
    case kViewRevert:
    case kViewDefault:
      // The text is derived from the value; nothing here can change it.
      break;
    default:
      if (const ViewResult result = CItemView::Dispatch(request); LowWord(result) != 0) return result;
      break;
  }
  return addressed ? kStatusHandled : kStatusOk;
}
