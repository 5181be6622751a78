#pragma once

#include <cstdint>
#include <memory>
#include <utility>

#include "settings/MakeNoThrow.h"
#include "settings/StItemRow.h"
#include "views/CSuperView.h"

#include "views/CItemView.h"

// Makes a view of any class into `out`; 0x101 when it cannot be allocated.
template <typename TView, typename... Args>
[[nodiscard]] Status MakeView(std::unique_ptr<TView>& out, Args&&... args) {
  out = MakeNoThrow<TView>(std::forward<Args>(args)...);
  return out ? kStatusOk : kStatusOutOfMemory;
}

// Where a new child of a super view finds its data object.
struct StChildPlace {
  std::int32_t index = kSameData;
  ViewSelector selector = nullptr;
  std::uint32_t argument = 0;
};

// Makes a view and appends it to `parent` as a child at `place`; `added`,
// when given, receives the child (still owned by the parent).
template <typename TView, typename... Args>
[[nodiscard]] Status AddChildView(CSuperView& parent, const StChildPlace& place, TView** added,
                                  Args&&... args) {
  std::unique_ptr<TView> view;
  KELVO_TRY(MakeView(view, std::forward<Args>(args)...));
  TView* raw = view.get();
  KELVO_TRY(parent.AddView(std::move(view), place.index, place.selector, place.argument));
  if (added != nullptr) *added = raw;
  return kStatusOk;
}

// Makes an item view of class TView (CItemView, CDisableItemView,
// CDefaultButtonItemView, CPercentItemView, CPromptItemView ...) bound to
// `itemId` and appends it to `parent`.
template <typename TView = CItemView>
[[nodiscard]] Status AddItemView(CSuperView& parent, std::uint32_t controlId, ItemId itemId = 0,
                                 const StChildPlace& place = {}, std::uint32_t valueType = 0,
                                 TView** added = nullptr) {
  return AddChildView<TView>(parent, place, added, controlId, itemId, valueType);
}

// Makes a super view of class TView with its control id, builds its
// children, and appends it to `parent` at `place`.
template <typename TView>
[[nodiscard]] Status AddGroupView(CSuperView& parent, std::uint32_t controlId, const StChildPlace& place = {}) {
  std::unique_ptr<TView> view;
  KELVO_TRY(MakeView(view, controlId));
  KELVO_TRY(view->Build());
  return parent.AddView(std::move(view), place.index, place.selector, place.argument);
}
