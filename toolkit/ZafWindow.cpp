#include "toolkit/ZafWindow.h"

#include "toolkit/ZafApplication.h"
#include "toolkit/ZafObjectPersistence.h"

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
        if (result != 0) return result;
      }
      if (event.key.down && event.key.virtualKey == kZafKeyEscape) {
        ZafEventStruct cancel = event;
        cancel.type = kZafEventCancel;
        return Event(cancel);
      }
      return 0;
    case kZafEventCurrent:
      return kZafEventCurrent;
    default:
      return ZafWindowObject::Event(event);
  }
}
