#include "toolkit/ZafWindow.h"

#include "toolkit/ZafApplication.h"
#include "toolkit/ZafObjectPersistence.h"
#include "toolkit/controls/ZafButton.h"
#include "toolkit/storage/StResourceObject.h"

ZafWindow::ZafWindow() : ZafWindow("ZafWindow") {}

ZafWindow::ZafWindow(std::string className) : ZafWindowObject(std::move(className)) {}

ZafWindow::~ZafWindow() {
  // Queued events and timers aimed at this window must not outlive it.
  if (ZafApplication* application = ZafApplication::Get(); application != nullptr) {
    application->Forget(*this);
  }
}

Status ZafWindow::Load(ZafObjectPersistence& persistence, const std::string& name) {
  return persistence.ReadInto(*this, name);
}

Status ZafWindow::ReadStored(const StResourceObject& record, ZafObjectPersistence& persistence) {
  KELVO_TRY(ZafWindowObject::ReadStored(record, persistence));
  if (record.Has("modal")) SetModal(true);
  if (record.Has("sizeable")) SetSizeable(true);
  if (record.Has("frameless")) SetFrameless(true);
  if (record.pageText) SetPageText(*record.pageText);
  return kStatusOk;
}

ZafButton* ZafWindow::EnterButton() {
  if (m_focus != nullptr && m_focus->WidgetKind() == ZafWidgetKind::kButton) {
    auto* focused = static_cast<ZafButton*>(m_focus);
    if (focused->ButtonType() == ZafButtonType::kPush) return focused;
  }
  return FindDefault(*this);
}

ZafButton* ZafWindow::FindDefault(ZafWindowObject& object) {
  for (const auto& child : object.Children()) {
    if (child->WidgetKind() == ZafWidgetKind::kButton && static_cast<ZafButton&>(*child).IsDefault() &&
        child->OnScreen() && !child->EffectivelyDisabled()) {
      return static_cast<ZafButton*>(child.get());
    }
    if (ZafButton* found = FindDefault(*child)) return found;
  }
  return nullptr;
}

int ZafWindow::ShowPointer(bool show) {
  const bool wasHidden = PointerHidden();
  m_pointerCount += show ? 1 : -1;
  if (PointerHidden() != wasHidden) NotifyChanged(ZafChange::kPointer);
  return m_pointerCount;
}

void ZafWindow::ResetPointer() {
  const bool wasHidden = PointerHidden();
  m_pointerCount = 0;
  if (wasHidden) NotifyChanged(ZafChange::kPointer);
}

void ZafWindow::UserSetRegion(const ZafRegion& region) { SetRegion(region); }

void ZafWindow::SetFrameless(bool frameless) {
  if (frameless == m_frameless) return;
  m_frameless = frameless;
  NotifyChanged(ZafChange::kFrame);
}

void ZafWindow::SetPageText(std::string text) {
  if (text == m_pageText) return;
  m_pageText = std::move(text);
  NotifyChanged(ZafChange::kPages);
}

void ZafWindow::SetFocusObject(ZafWindowObject* object) {
  if (object == m_focus) return;
  ZafWindowObject* previous = m_focus;
  m_focus = object;
  if (previous != nullptr) previous->NotifyChanged(ZafChange::kFocus);
  if (object != nullptr) object->NotifyChanged(ZafChange::kFocus);
}

void ZafWindow::ForgetObject(ZafWindowObject& object) {
  for (ZafWindowObject* o = m_focus; o != nullptr; o = o->Parent()) {
    if (o == &object) {
      m_focus = nullptr;
      return;
    }
  }
}

ZafEventType ZafWindow::Event(const ZafEventStruct& event) {
  switch (event.type) {
    case kZafEventOk:
    case kZafEventCancel:
    case kZafEventClose:
      m_closingEvent = event.type;
      if (ZafApplication* application = ZafApplication::Get(); application != nullptr) {
        application->WindowManager().Subtract(*this);
      }
      return event.type;
    case kZafEventKey:
      if (m_focus != nullptr && m_focus != this) {
        const ZafEventType result = m_focus->Event(event);
        // A key the focus object keeps for itself is not the window's too.
        if (result != 0 || m_focus->KeepsKey(event.key.virtualKey)) return result;
      }
      if (event.key.down && event.key.virtualKey == kZafKeyEscape) {
        ZafEventStruct cancel = event;
        cancel.type = kZafEventCancel;
        return Event(cancel);
      }
      // Enter presses the focused push button, else the default button: once,
      // here, whatever shows the window.
      if (event.key.down && event.key.virtualKey == kZafKeyReturn) {
        if (ZafButton* button = EnterButton()) return button->UserPress();
      }
      return 0;
    case kZafEventCurrent:
      return kZafEventCurrent;
    default:
      return ZafWindowObject::Event(event);
  }
}
