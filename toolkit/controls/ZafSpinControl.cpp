#include "toolkit/controls/ZafSpinControl.h"

#include <algorithm>
#include <cstdint>

#include "toolkit/storage/StResourceObject.h"

Status ZafSpinControl::ReadStored(const StResourceObject& record, ZafObjectPersistence& persistence) {
  KELVO_TRY(ZafWindowObject::ReadStored(record, persistence));
  SetRange(record.minimum.value_or(INT32_MIN), record.maximum.value_or(INT32_MAX));
  SetDelta(record.step.value_or(1));
  return kStatusOk;
}

std::int32_t ZafSpinControl::ShownValue() const {
  const ZafInteger* field = Field();
  return field != nullptr ? field->IntegerValue() : Value();
}

ZafInteger* ZafSpinControl::Field() const {
  for (const auto& child : Children()) {
    if (auto* field = dynamic_cast<ZafInteger*>(child.get())) return field;
  }
  return nullptr;
}

void ZafSpinControl::SetRange(std::int32_t minimum, std::int32_t maximum) {
  if (minimum > maximum) std::swap(minimum, maximum);
  m_minimum = minimum;
  m_maximum = maximum;
  NotifyChanged(ZafChange::kRange);
}

ZafEventType ZafSpinControl::UserStep(int direction) {
  ZafInteger* field = Field();
  if (field == nullptr || EffectivelyDisabled() || direction == 0) return 0;
  const std::int64_t next = std::int64_t{field->IntegerValue()} + (direction > 0 ? m_delta : -m_delta);
  const auto clamped = static_cast<std::int32_t>(std::clamp<std::int64_t>(next, m_minimum, m_maximum));
  if (clamped == field->IntegerValue()) return 0;
  field->SetIntegerValue(clamped);
  return UserChanged();
}
