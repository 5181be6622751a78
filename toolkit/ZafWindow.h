#pragma once

// A window: a window object with children, a focus object, a page label
// (when it is a notebook page) and a closing event. A top-level window is
// shown by adding it to the window manager; closing it (OK, Cancel or close)
// records the event that closed it and takes it off the screen.

#include <string>

#include "protocol/Status.h"

#include "toolkit/ZafWindowObject.h"

class ZafObjectPersistence;

class ZafWindow : public ZafWindowObject {
 public:
  ZafWindow();
  ~ZafWindow() override;

  // Reads the window of that name through the persistence into this object:
  // its own fields and its children (which replace any it had).
  [[nodiscard]] Status Load(ZafObjectPersistence& persistence, const std::string& name);

  [[nodiscard]] bool Modal() const { return m_modal; }
  void SetModal(bool modal) { m_modal = modal; }
  [[nodiscard]] bool Sizeable() const { return m_sizeable; }
  void SetSizeable(bool sizeable) { m_sizeable = sizeable; }

  // The tab label when the window is a notebook page.
  [[nodiscard]] const std::string& PageText() const { return m_pageText; }
  void SetPageText(std::string text);

  [[nodiscard]] ZafWindowObject* FocusObject() const { return m_focus; }
  void SetFocusObject(ZafWindowObject* object);
  // Called when an object leaves the window (or dies) so no pointer to it stays.
  void ForgetObject(ZafWindowObject& object);

  // The event that last closed the window; kZafEventNone while it is open.
  [[nodiscard]] ZafEventType ClosingEvent() const { return m_closingEvent; }
  void ResetClosingEvent() { m_closingEvent = kZafEventNone; }

  // The toolkit's own handling: OK, Cancel and close end the window; key
  // events go to the focus object (a window answers Escape with Cancel when
  // nothing else takes it); kZafEventCurrent answers itself.
  ZafEventType Event(const ZafEventStruct& event) override;

 protected:
  explicit ZafWindow(std::string className);

 private:
  bool m_modal = false;
  bool m_sizeable = false;
  std::string m_pageText;
  ZafWindowObject* m_focus = nullptr;
  ZafEventType m_closingEvent = kZafEventNone;
};
