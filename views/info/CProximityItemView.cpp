#include "views/info/CProximityItemView.h"

#include "views/info/InfoStrings.h"

Status CProximityItemView::WriteText(char* text) {
  std::uint16_t proximity = 0;
  KELVO_TRY(ReadItem(&proximity, sizeof proximity));
  DropStatus(LookUp(InfoStrings::kGeneral, proximity != 0 ? InfoStrings::kInProximity : InfoStrings::kOutOfProximity,
                    text),
             "a missing text reads blank");
  return kStatusOk;
}
