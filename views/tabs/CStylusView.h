#pragma once

#include <memory>

#include "views/CSuperView.h"

// The stylus tab: the pen image, its defaults, eraser and tip feel, the side
// switches, the tracking mode and the double-click distance. On a pen display
// the pen points where it touches, so the tracking-mode group is taken out
// while the tab is bound to such a pen.
class CStylusView : public CSuperView {
 public:
  using CSuperView::CSuperView;
  ~CStylusView() override;

  // A change of the eraser box re-evaluates what depends on the eraser.
  [[nodiscard]] ViewResult Dispatch(ViewRequest& request) override;
  // On a pen display, takes the tracking-mode group out and hides it.
  [[nodiscard]] ViewResult Attach(CDataGrouping* data, std::int32_t index) override;
  // Puts a group taken out back last, then detaches every child.
  [[nodiscard]] ViewResult Detach() override;
  [[nodiscard]] Status Build() override;

  // The tracking-mode group while it is out of the child list, else none.
  [[nodiscard]] const CKelvoView* GetKeptModeView() const { return m_keptModeView.get(); }

 private:
  std::unique_ptr<CKelvoView> m_keptModeView;
};
