#include "views/ViewCreation.h"

#include "views/CDefaultButtonItemView.h"
#include "views/CDisableItemView.h"
#include "views/CItemView.h"
#include "views/CPercentItemView.h"
#include "views/CPromptItemView.h"

Status MakeItemView(std::unique_ptr<CItemView>& out, std::uint32_t controlId, ItemId itemId,
                    std::uint32_t valueType) {
  return MakeView(out, controlId, itemId, valueType);
}

Status AddItemView(CSuperView& parent, std::uint32_t controlId, ItemId itemId,
                   const StChildPlace& place, std::uint32_t valueType, CItemView** added) {
  return AddChildView<CItemView>(parent, place, added, controlId, itemId, valueType);
}

Status MakeDisableItemView(std::unique_ptr<CDisableItemView>& out, std::uint32_t controlId,
                           ItemId itemId, std::uint32_t valueType) {
  return MakeView(out, controlId, itemId, valueType);
}

Status AddDisableItemView(CSuperView& parent, std::uint32_t controlId, ItemId itemId,
                          const StChildPlace& place, std::uint32_t valueType,
                          CDisableItemView** added) {
  return AddChildView<CDisableItemView>(parent, place, added, controlId, itemId, valueType);
}

Status MakeDefaultButtonItemView(std::unique_ptr<CDefaultButtonItemView>& out,
                                 std::uint32_t controlId, ItemId itemId, std::uint32_t valueType) {
  return MakeView(out, controlId, itemId, valueType);
}

Status AddDefaultButtonItemView(CSuperView& parent, std::uint32_t controlId, ItemId itemId,
                                const StChildPlace& place, std::uint32_t valueType,
                                CDefaultButtonItemView** added) {
  return AddChildView<CDefaultButtonItemView>(parent, place, added, controlId, itemId, valueType);
}

Status MakePercentItemView(std::unique_ptr<CPercentItemView>& out, std::uint32_t controlId,
                           ItemId itemId, std::uint32_t valueType) {
  return MakeView(out, controlId, itemId, valueType);
}

Status AddPercentItemView(CSuperView& parent, std::uint32_t controlId, ItemId itemId,
                          const StChildPlace& place, std::uint32_t valueType,
                          CPercentItemView** added) {
  return AddChildView<CPercentItemView>(parent, place, added, controlId, itemId, valueType);
}

Status MakePromptItemView(std::unique_ptr<CPromptItemView>& out, std::uint32_t controlId,
                          ItemId itemId, std::uint32_t valueType) {
  return MakeView(out, controlId, itemId, valueType);
}

Status AddPromptItemView(CSuperView& parent, std::uint32_t controlId, ItemId itemId,
                         const StChildPlace& place, std::uint32_t valueType,
                         CPromptItemView** added) {
  return AddChildView<CPromptItemView>(parent, place, added, controlId, itemId, valueType);
}
