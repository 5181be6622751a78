#include "toolkit/ZafWindowObject.h"

#include <algorithm>

#include "toolkit/ZafWindow.h"
#include "toolkit/storage/StResourceObject.h"
#include "toolkit/storage/ZncFormat.h"

ZafWindowObject::ZafWindowObject(std::string className) : m_className(std::move(className)) {}

ZafWindowObject::~ZafWindowObject() {
  // A focused child going away must not leave its window pointing at it.
  if (ZafWindow* root = RootWindow(); root != nullptr && root != this) root->ForgetObject(*this);
}

void ZafWindowObject::SetText(std::string text) {
  if (text == m_text) return;
  m_text = std::move(text);
  NotifyChanged(ZafChange::kText);
}

void ZafWindowObject::SetQuickTip(std::string tip) {
  if (tip == m_quickTip) return;
  m_quickTip = std::move(tip);
  NotifyChanged(ZafChange::kQuickTip);
}

void ZafWindowObject::SetRegion(const ZafRegion& region) {
  if (region == m_region) return;
  m_region = region;
  NotifyChanged(ZafChange::kRegion);
}

void ZafWindowObject::SetVisible(bool visible) {
  if (visible == m_visible) return;
  m_visible = visible;
  NotifyChanged(ZafChange::kVisibility);
}

bool ZafWindowObject::OnScreen() const {
  for (const ZafWindowObject* o = this; o != nullptr; o = o->m_parent) {
    if (!o->m_visible) return false;
  }
  return true;
}

void ZafWindowObject::SetDisabled(bool disabled) {
  if (disabled == m_disabled) return;
  m_disabled = disabled;
  NotifyChanged(ZafChange::kDisabled);
}

bool ZafWindowObject::EffectivelyDisabled() const {
  for (const ZafWindowObject* o = this; o != nullptr; o = o->m_parent) {
    if (o->m_disabled) return true;
  }
  return false;
}

void ZafWindowObject::SetColours(std::int32_t foreground, std::int32_t background) {
  m_foreground = foreground;
  m_background = background;
  NotifyChanged(ZafChange::kDrawing);
}

void ZafWindowObject::SetFocus() {
  if (ZafWindow* root = RootWindow(); root != nullptr) root->SetFocusObject(this);
}

bool ZafWindowObject::HasFocus() const {
  const ZafWindowObject* o = this;
  while (o->m_parent != nullptr) o = o->m_parent;
  const auto* root = dynamic_cast<const ZafWindow*>(o);
  return root != nullptr && root->FocusObject() == this;
}

ZafWindowObject* ZafWindowObject::Add(std::unique_ptr<ZafWindowObject> child) {
  return Insert(std::move(child), m_children.size());
}

ZafWindowObject* ZafWindowObject::Insert(std::unique_ptr<ZafWindowObject> child, std::size_t index) {
  if (!child) return nullptr;
  child->m_parent = this;
  ZafWindowObject* raw = child.get();
  index = std::min(index, m_children.size());
  m_children.insert(m_children.begin() + static_cast<std::ptrdiff_t>(index), std::move(child));
  NotifyChanged(ZafChange::kChildren);
  return raw;
}

std::unique_ptr<ZafWindowObject> ZafWindowObject::Subtract(ZafWindowObject& child) {
  auto it = std::find_if(m_children.begin(), m_children.end(),
                         [&](const std::unique_ptr<ZafWindowObject>& c) { return c.get() == &child; });
  if (it == m_children.end()) return nullptr;
  std::unique_ptr<ZafWindowObject> out = std::move(*it);
  m_children.erase(it);
  if (ZafWindow* root = RootWindow(); root != nullptr) root->ForgetObject(*out);
  NotifyChanged(ZafChange::kChildren);
  out->m_parent = nullptr;
  return out;
}

ZafWindow* ZafWindowObject::RootWindow() {
  ZafWindowObject* o = this;
  while (o->m_parent != nullptr) o = o->m_parent;
  return dynamic_cast<ZafWindow*>(o);
}

ZafWindowObject* ZafWindowObject::Find(std::string_view stringId) {
  for (const auto& child : m_children) {
    if (child->m_stringId == stringId) return child.get();
    if (ZafWindowObject* found = child->Find(stringId)) return found;
  }
  return nullptr;
}

Status ZafWindowObject::ReadStored(const StResourceObject& r, ZafObjectPersistence& /*persistence*/) {
  if (r.stringId) SetStringID(*r.stringId);
  if (r.numberId) SetNumberID(static_cast<std::uint16_t>(*r.numberId));
  if (r.text) SetText(*r.text);
  if (r.quickTip) SetQuickTip(*r.quickTip);
  if (r.region) SetRegion(ZafRegion::FromSize((*r.region)[0], (*r.region)[1], (*r.region)[2], (*r.region)[3]));
  SetVisible((r.flags & znc::kFlagHidden) == 0);
  SetDisabled((r.flags & znc::kFlagDisabled) != 0);
  if (r.foreground || r.background) SetColours(r.foreground.value_or(-1), r.background.value_or(-1));
  if (r.value) SetValue(*r.value);
  return kStatusOk;
}

Status ZafWindowObject::AdoptStored(std::unique_ptr<ZafWindowObject> child) {
  Add(std::move(child));
  return kStatusOk;
}

ZafEventType ZafWindowObject::Event(const ZafEventStruct& event) { return event.type == kZafEventQuerySettled ? 1 : 0; }

void ZafWindowObject::NotifyChanged(ZafChange change) {
  for (ZafWindowObject* o = this; o != nullptr; o = o->m_parent) {
    if (o->m_observer != nullptr) {
      o->m_observer->ObjectChanged(*this, change);
      return;
    }
  }
}

ZafEventType ZafWindowObject::UserChanged(ZafEventType event) {
  ZafEventType result = 0;
  if (m_userFunction) result = m_userFunction(*this, event);
  if (m_sendMessage != kZafEventNone) {
    if (ZafWindow* root = RootWindow(); root != nullptr) {
      ZafEventStruct message;
      message.type = m_sendMessage;
      message.target = root;
      message.source = this;
      root->Event(message);
    }
  }
  return result;
}
