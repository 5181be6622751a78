#include "toolkit/controls/ZafButton.h"

#include "toolkit/ZafWindow.h"
#include "toolkit/controls/ZafPopUpMenu.h"
#include "toolkit/storage/StResourceObject.h"

Status ZafButton::ReadStored(const StResourceObject& record, ZafObjectPersistence& persistence) {
  KELVO_TRY(ZafWindowObject::ReadStored(record, persistence));
  if (record.Has("checkBox")) SetButtonType(ZafButtonType::kCheckBox);
  if (record.Has("radioButton")) SetButtonType(ZafButtonType::kRadio);
  SetDefault(record.Has("default"));
  SetCancel(record.Has("cancel"));
  SetChecked((record.flags & znc::kFlagChecked) != 0);
  if (record.bitmap) SetBitmapName(*record.bitmap);
  return kStatusOk;
}

std::int32_t ZafButton::ShownValue() const {
  if (m_type == ZafButtonType::kPush) return Value();
  return m_checked ? 1 : 0;
}

void ZafButton::SetChecked(bool checked) {
  if (checked && m_type == ZafButtonType::kRadio) UncheckSiblings();
  if (checked == m_checked) return;
  m_checked = checked;
  NotifyChanged(ZafChange::kChecked);
}

void ZafButton::UncheckSiblings() {
  if (Parent() == nullptr) return;
  for (const auto& sibling : Parent()->Children()) {
    auto* button = dynamic_cast<ZafButton*>(sibling.get());
    if (button != nullptr && button != this && button->m_type == ZafButtonType::kRadio && button->m_checked) {
      button->m_checked = false;
      button->NotifyChanged(ZafChange::kChecked);
    }
  }
}

ZafPopUpMenu* ZafButton::Menu() {
  for (const auto& child : Children()) {
    if (auto* menu = dynamic_cast<ZafPopUpMenu*>(child.get())) return menu;
  }
  return nullptr;
}

ZafEventType ZafButton::UserPress() {
  if (EffectivelyDisabled() || !OnScreen()) return 0;
  if (m_type == ZafButtonType::kCheckBox) SetChecked(!m_checked);
  if (m_type == ZafButtonType::kRadio) SetChecked(true);
  if (ZafPopUpMenu* menu = Menu()) menu->SetOpen(true);
  const ZafEventType result = UserChanged();
  if ((m_default || m_cancel) && SendMessage() == kZafEventNone) {
    if (ZafWindow* root = RootWindow(); root != nullptr) {
      ZafEventStruct close;
      close.type = m_default ? kZafEventOk : kZafEventCancel;
      close.target = root;
      close.source = this;
      return root->Event(close);
    }
  }
  return result;
}
