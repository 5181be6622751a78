#pragma once

#include "model/CTransducer.h"

// A puck or mouse: every button number is a button, except 16 (roller) and
// 32 (finger wheel).
class CPuck : public CTransducer {
 public:
  using CTransducer::CTransducer;
  ~CPuck() override;

  [[nodiscard]] Status GetItem(ItemId itemId, CDriverData*& item) override;
  // Kind 0 answers the tool's button count as the driver reports it.
  [[nodiscard]] std::int32_t GetSubGroupCount(std::int32_t kind) override;
  [[nodiscard]] ToolClass GetToolClass() const override { return ToolClass::kPuck; }
};
