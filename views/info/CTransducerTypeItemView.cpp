#include "views/info/CTransducerTypeItemView.h"

#include "views/info/InfoStrings.h"

namespace {

constexpr std::uint16_t kKindBits = 0xF000;
constexpr std::uint16_t kPenBits = 0x4000;
constexpr std::uint16_t kPenWithEraserBits = 0xC000;
constexpr std::uint16_t kPuckBits = 0x8000;

}  // namespace

std::uint16_t CTransducerTypeItemView::TextFor(std::uint16_t typeWord) {
  switch (typeWord & kKindBits) {
    case kPenBits:
    case kPenWithEraserBits: return InfoStrings::kPenType;
    case kPuckBits: return InfoStrings::kPuckType;
    default: return InfoStrings::kOtherType;
  }
}

Status CTransducerTypeItemView::WriteText(char* text) {
  std::uint16_t type = 0;
  KELVO_TRY(ReadItem(&type, sizeof type));
  DropStatus(LookUp(InfoStrings::kGeneral, TextFor(type), text), "a missing text reads blank");
  return kStatusOk;
}
