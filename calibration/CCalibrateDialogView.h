#pragma once

#include <memory>

#include "views/CDialogSuperView.h"

class CItemView;

// The views of the calibration dialog (4100): the calibrated area, its flag,
// the tablet's maximum and the selected monitor. The pen's raw position
// (3052, 3054) is read only when asked for by id, so broadcasts leave it alone.
// While attached it is the top of the root stack; Apply or Revert to 4100
// reach every child, then the view steps down and lets go of its data.
class CCalibrateDialogView : public CDialogSuperView {
 public:
  using CDialogSuperView::CDialogSuperView;
  ~CCalibrateDialogView() override;

  [[nodiscard]] Status Build() override;
  [[nodiscard]] ViewResult Dispatch(ViewRequest& request) override;
  [[nodiscard]] ViewResult Attach(CDataGrouping* data, std::int32_t index) override;
  [[nodiscard]] ViewResult Detach() override;

 private:
  std::unique_ptr<CItemView> m_rawX;
  std::unique_ptr<CItemView> m_rawY;
};
