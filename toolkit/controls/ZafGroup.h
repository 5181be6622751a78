#pragma once

#include "toolkit/controls/ZafButton.h"
#include "toolkit/storage/StResourceObject.h"

// A framed group of controls; as a radio group, its radio buttons exclude
// one another.
class ZafGroup : public ZafWindowObject {
 public:
  ZafGroup() : ZafWindowObject("ZafGroup") {}

  [[nodiscard]] Status ReadStored(const StResourceObject& record, ZafObjectPersistence& persistence) override {
    KELVO_TRY(ZafWindowObject::ReadStored(record, persistence));
    SetRadioGroup(record.Has("radioGroup"));
    return kStatusOk;
  }
  [[nodiscard]] ZafWidgetKind WidgetKind() const override { return ZafWidgetKind::kGroup; }
  [[nodiscard]] std::string ShownSelection() const override {
    const ZafButton* checked = CheckedButton();
    return checked != nullptr ? checked->StringID() : "none";
  }

  [[nodiscard]] bool RadioGroup() const { return m_radio; }
  void SetRadioGroup(bool radio) { m_radio = radio; }
  // The checked radio button among the direct children, nullptr when none.
  [[nodiscard]] ZafButton* CheckedButton() const {
    for (const auto& child : Children()) {
      auto* button = dynamic_cast<ZafButton*>(child.get());
      if (button != nullptr && button->ButtonType() == ZafButtonType::kRadio && button->Checked()) return button;
    }
    return nullptr;
  }

 private:
  bool m_radio = false;
};
