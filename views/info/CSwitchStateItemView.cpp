#include "views/info/CSwitchStateItemView.h"

#include <array>
#include <cstring>

#include "services/CStringManager.h"

namespace {

constexpr char kGeneralTexts[] = "3001";
constexpr std::uint16_t kNoSwitchText = 7;
constexpr std::size_t kSwitchBits = 32;

}  // namespace

CSwitchStateItemView::CSwitchStateItemView(std::uint32_t controlId, ItemId itemId, std::uint32_t valueType)
    : CItemView(controlId, itemId, valueType), m_strings(GetStringManager()) {}

std::string CSwitchStateItemView::SwitchText(std::uint32_t mask, const std::string& noneText) {
  std::string text;
  for (std::size_t bit = 0; bit < kSwitchBits; ++bit) {
    if ((mask & (1U << bit)) == 0) continue;
    if (!text.empty()) text += ", ";
    text += std::to_string(bit + 1);
  }
  return text.empty() ? noneText : text;
}

ViewResult CSwitchStateItemView::Dispatch(ViewRequest& request) {
  if (!IsForThisView(request)) return kStatusOk;
  const ViewResult handled = request.controlId == GetControlId() ? kStatusHandled : kStatusOk;
  switch (request.operation) {
    case kViewGet: {
      if (GetItem() == nullptr || request.data == nullptr) return handled;
      std::uint32_t mask = 0;
      KELVO_TRY(ReadItem(&mask, sizeof mask));
      std::array<char, 4096> none{};
      if (m_strings != nullptr)
        DropStatus(m_strings->GetString(kGeneralTexts, kNoSwitchText, none.data()), "a missing text reads blank");
      none.back() = '\0';
      const std::string text = SwitchText(mask, none.data());
      std::memcpy(request.data, text.c_str(), text.size() + 1);
      return handled;
    }
    case kViewSet:
    case kViewRevert:
    case kViewDefault: return handled;
    default: return CItemView::Dispatch(request);
  }
}
