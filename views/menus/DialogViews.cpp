#include "views/menus/DialogViews.h"

void RemoveAllViews(CSuperView& view) {
  while (view.Count() > 0) {
    std::unique_ptr<CKelvoView> removed;
    DropStatus(view.RemoveView(view.ViewAt(0), removed), "the view is a child");
  }
}
