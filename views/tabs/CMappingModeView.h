#pragma once

#include "views/CSuperView.h"

class CItemView;

// The tracking-mode group of a tool's mapping: pen or mouse mode, and for
// the stylus the no-acceleration box. Mouse-mode settings are greyed while
// the tool is in pen mode. The stylus's group has the id of "TM_Group", the
// puck's its own.
class CMappingModeView : public CSuperView {
 public:
  using CSuperView::CSuperView;

  // The mode first; a mode that fails hides the group. A Get or Set of the
  // mode greys or enables the settings that only mouse mode uses.
  [[nodiscard]] ViewResult Dispatch(ViewRequest& request) override;
  [[nodiscard]] Status Build() override;

 private:
  [[nodiscard]] bool IsPuckGroup() const;
  // Greys (pen mode, 0) or enables (mouse mode) what only mouse mode uses.
  void FollowMode(std::uint32_t mode);

  CItemView* m_modeView = nullptr;
  CItemView* m_noAccelerationView = nullptr;
};
