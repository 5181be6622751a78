#pragma once

#include "model/CTransducer.h"

// A pen end or airbrush: tip and eraser are pressure buttons, side switches
// plain buttons, 32 a finger wheel.
class CStylus : public CTransducer {
 public:
  using CTransducer::CTransducer;
  ~CStylus() override;

  [[nodiscard]] Status GetItem(ItemId itemId, CDriverData*& item) override;
  // Kind 0 answers the tool's button count as the driver reports it.
  [[nodiscard]] std::int32_t GetSubGroupCount(std::int32_t kind) override;
  [[nodiscard]] ToolClass GetToolClass() const override { return ToolClass::kStylus; }
};
