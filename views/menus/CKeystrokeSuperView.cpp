#include "views/menus/CKeystrokeSuperView.h"

#include "views/ControlIds.h"
#include "views/ViewCreation.h"
#include "views/menus/DialogViews.h"

Status CKeystrokeSuperView::BuildFor(ItemId keystroke) {
  RemoveAllViews(*this);
  return AddItemView(*this, ControlId::kKeystrokeSequence, keystroke);
}
