#pragma once

#include <memory>

#include "views/CSuperView.h"

class CCalibrateDialogView;

// The Calibrate tab of a pen display (1600), attached to the first stylus's
// mapping grouping: the monitor list and the Calibrate button, both bound to
// the selected monitor. Pressing the button opens the calibration dialog's
// views on the same mapping.
class CCalibrateTabView : public CSuperView {
 public:
  explicit CCalibrateTabView(std::uint32_t controlId);
  ~CCalibrateTabView() override;

  [[nodiscard]] Status Build() override;
  [[nodiscard]] ViewResult Attach(CDataGrouping* data, std::int32_t index) override;
  [[nodiscard]] ViewResult Dispatch(ViewRequest& request) override;

  [[nodiscard]] CCalibrateDialogView* GetDialogView() const { return m_dialogView.get(); }

 private:
  // Owned, not a child: it becomes a root of its own while the dialog is open.
  std::unique_ptr<CCalibrateDialogView> m_dialogView;
  CDataGrouping* m_attachedData = nullptr;
};
