#pragma once

#include "toolkit/controls/ZafList.h"

// A vertical list that is always open.
class ZafVtList : public ZafList {
 public:
  ZafVtList() : ZafList("ZafVtList") {}
  explicit ZafVtList(std::string className) : ZafList(std::move(className)) {}
  [[nodiscard]] ZafWidgetKind WidgetKind() const override { return ZafWidgetKind::kList; }
};
