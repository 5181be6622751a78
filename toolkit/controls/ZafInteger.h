#pragma once

#include <optional>

#include "toolkit/ZafWindowObject.h"

// An integer field: the number and its text agree. The range, when there is
// one, bounds what the user can step to; a typed value is taken as typed and
// left for the application to check.
class ZafInteger : public ZafWindowObject {
 public:
  ZafInteger() : ZafInteger("ZafInteger") {}

  [[nodiscard]] std::int32_t IntegerValue() const { return m_integer; }
  void SetIntegerValue(std::int32_t value);
  [[nodiscard]] std::optional<std::int32_t> Minimum() const { return m_minimum; }
  [[nodiscard]] std::optional<std::int32_t> Maximum() const { return m_maximum; }
  void SetRange(std::optional<std::int32_t> minimum, std::optional<std::int32_t> maximum);
  // The user entered a number.
  ZafEventType UserSetValue(std::int32_t value);
  // The text follows the value; a text that is no number leaves the value.
  void SetText(std::string text) override;
  // Whether a typed value counts only once Enter confirms it.
  [[nodiscard]] virtual bool ConfirmsOnEnter() const { return false; }

  [[nodiscard]] Status ReadStored(const StResourceObject& record, ZafObjectPersistence& persistence) override;
  [[nodiscard]] ZafWidgetKind WidgetKind() const override { return ZafWidgetKind::kIntegerField; }
  [[nodiscard]] std::int32_t ShownValue() const override { return m_integer; }

 protected:
  explicit ZafInteger(std::string className) : ZafWindowObject(std::move(className)) {
    ZafWindowObject::SetText("0");
  }

 private:
  std::int32_t m_integer = 0;
  std::optional<std::int32_t> m_minimum;
  std::optional<std::int32_t> m_maximum;
};
