#pragma once

#include "views/CSuperView.h"

// A group box of a tab whose controls stand or fall together: a request that
// one of its views fails hides the whole group, the next one that goes
// through shows it again.
class CControlGroupView : public CSuperView {
 public:
  using CSuperView::CSuperView;

  // Routes like the base, but a child's failure is not dropped: it hides the
  // group and is answered when no child handled the request.
  [[nodiscard]] ViewResult Dispatch(ViewRequest& request) override;
};
