#pragma once

#include "functions/CButton.h"

// A pen's tip or eraser: a button with pressure. Beside the raw threshold,
// curve and axis it offers the feel items of the tool's tablet family, which
// it picks by the tool's type code when they are first asked for.
class CPressureButton : public CButton {
 public:
  CPressureButton() = default;
  ~CPressureButton() override;

  [[nodiscard]] Status GetItem(ItemId itemId, CDriverData*& item) override;
  [[nodiscard]] Status ApplyItems() override;
  [[nodiscard]] Status DefaultItems() override;

 private:
  [[nodiscard]] CDataKey ToolKey() const;
  [[nodiscard]] CDataKey TabletKey() const;
  [[nodiscard]] Status ReadToolTypeCode(std::uint16_t& typeCode) const;
  [[nodiscard]] Status MakeFamilyItem(ItemId itemId, CDriverData*& item);
  [[nodiscard]] Status MakeFeelItem(CDriverData*& item);
  [[nodiscard]] Status MakeProfileItem(CDriverData*& item);
  [[nodiscard]] Status MakePressureValueItem(CDriverData*& item);
};
