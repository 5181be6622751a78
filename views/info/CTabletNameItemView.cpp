#include "views/info/CTabletNameItemView.h"

#include "views/info/InfoStrings.h"

namespace {

// A model that cannot be read is named as model 90 ("Tablet").
constexpr std::uint16_t kUnreadableModel = 90;

}  // namespace

Status CTabletNameItemView::WriteText(char* text) {
  std::uint16_t model = kUnreadableModel;
  if (ReadItem(&model, sizeof model) != kStatusOk) model = kUnreadableModel;
  // The lookup falls back to the plain tablet's name for models it lacks.
  DropStatus(LookUp(InfoStrings::kTabletModels, static_cast<std::uint16_t>(model + 1), text),
             "a missing model reads as the lookup's fallback");
  return kStatusOk;
}
