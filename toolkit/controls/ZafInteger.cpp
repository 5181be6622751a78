#include "toolkit/controls/ZafInteger.h"

#include <charconv>

#include "toolkit/storage/StResourceObject.h"

Status ZafInteger::ReadStored(const StResourceObject& record, ZafObjectPersistence& persistence) {
  KELVO_TRY(ZafWindowObject::ReadStored(record, persistence));
  SetRange(record.minimum, record.maximum);
  if (record.value) SetIntegerValue(*record.value);
  return kStatusOk;
}

void ZafInteger::SetIntegerValue(std::int32_t value) {
  const bool changed = value != m_integer;
  m_integer = value;
  ZafWindowObject::SetText(std::to_string(value));
  if (changed) NotifyChanged(ZafChange::kValue);
}

void ZafInteger::SetRange(std::optional<std::int32_t> minimum, std::optional<std::int32_t> maximum) {
  m_minimum = minimum;
  m_maximum = maximum;
  NotifyChanged(ZafChange::kRange);
}

ZafEventType ZafInteger::UserSetValue(std::int32_t value) {
  if (EffectivelyDisabled()) return 0;
  SetIntegerValue(value);
  return UserChanged();
}

void ZafInteger::SetText(std::string text) {
  std::int32_t value = 0;
  const char* first = text.data();
  const char* last = first + text.size();
  const auto [end, error] = std::from_chars(first, last, value);
  if (error == std::errc() && end == last) {
    SetIntegerValue(value);
  }
}
