#pragma once

#include "views/CSuperView.h"

// The Mapping tab: where a tool's first mapping points on the screen and on
// the tablet, and a picture of both. Attached to the tool; every child binds
// to the tool's mapping. A rectangle's fields are greyed unless its choice
// is "a part"; any change redraws the pictures and shows what the driver
// made of it.
class CMappingTabView : public CSuperView {
 public:
  using CSuperView::CSuperView;

  [[nodiscard]] Status Build() override;
  [[nodiscard]] ViewResult Dispatch(ViewRequest& request) override;

 private:
  // Greys or enables the fields of a rectangle by the choice just read or set.
  static void FollowChoice(std::uint32_t rectId, const void* choice);
  // After a change: every value again, and both pictures.
  void ShowChange();
};
