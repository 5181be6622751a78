#include "views/menus/CRunAppSuperView.h"

#include "views/ControlIds.h"
#include "views/ViewCreation.h"
#include "views/menus/DialogViews.h"

Status CRunAppSuperView::BuildFor(ItemId path, ItemId name) {
  RemoveAllViews(*this);
  KELVO_TRY(AddItemView(*this, ControlId::kRunPath, path));
  return AddItemView(*this, ControlId::kRunName, name);
}
