#include "toolkit/controls/ZafScrollBar.h"

#include <algorithm>

#include "toolkit/storage/StResourceObject.h"

Status ZafScrollBar::ReadStored(const StResourceObject& record, ZafObjectPersistence& persistence) {
  KELVO_TRY(ZafWindowObject::ReadStored(record, persistence));
  SetSlider(record.Has("slider"));
  SetVertical(record.Has("vertical"));
  SetRange(record.minimum.value_or(0), record.maximum.value_or(100), record.step.value_or(1));
  SetPosition(record.value.value_or(Minimum()));
  return kStatusOk;
}

void ZafScrollBar::SetRange(std::int32_t minimum, std::int32_t maximum, std::int32_t step) {
  if (minimum > maximum) std::swap(minimum, maximum);
  m_minimum = minimum;
  m_maximum = maximum;
  m_step = step > 0 ? step : 1;
  NotifyChanged(ZafChange::kRange);
  SetPosition(m_position);
}

void ZafScrollBar::SetPosition(std::int32_t position) {
  position = std::clamp(position, m_minimum, m_maximum);
  if (position == m_position) return;
  m_position = position;
  NotifyChanged(ZafChange::kValue);
}

ZafEventType ZafScrollBar::UserSetPosition(std::int32_t position) {
  if (EffectivelyDisabled()) return 0;
  const std::int32_t before = m_position;
  SetPosition(position);
  if (m_position == before) return 0;
  return UserChanged();
}
