#pragma once

// A window: a window object with children, a focus object, a page label
// (when it is a notebook page) and a closing event. A top-level window is
// shown by adding it to the window manager; closing it (OK, Cancel or close)
// records the event that closed it and takes it off the screen.

#include <string>

#include "protocol/Status.h"

#include "toolkit/ZafWindowObject.h"

class ZafButton;
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
  // Without a title bar or border: its region is all there is of it on screen.
  [[nodiscard]] bool Frameless() const { return m_frameless; }
  void SetFrameless(bool frameless);

  // The tab label when the window is a notebook page.
  [[nodiscard]] const std::string& PageText() const { return m_pageText; }
  void SetPageText(std::string text);

  [[nodiscard]] ZafWindowObject* FocusObject() const { return m_focus; }
  void SetFocusObject(ZafWindowObject* object);
  // Called when an object leaves the window (or dies) so no pointer to it stays.
  void ForgetObject(ZafWindowObject& object);

  // The mouse pointer over the window, kept as a count the way the platform
  // keeps it: ShowPointer(false) hides it once more, ShowPointer(true) shows
  // it once more, and it is hidden while the count is below 0. Answers the
  // new count. Leaving the screen, however the window closes, shows it again.
  int ShowPointer(bool show);
  [[nodiscard]] bool PointerHidden() const { return m_pointerCount < 0; }
  void ResetPointer();

  // The user moved or resized the window on the screen: the region follows
  // (so that what the window saves is where the user put it).
  void UserSetRegion(const ZafRegion& region);

  // The event that last closed the window; kZafEventNone while it is open.
  [[nodiscard]] ZafEventType ClosingEvent() const { return m_closingEvent; }
  void ResetClosingEvent() { m_closingEvent = kZafEventNone; }

  // The toolkit's own handling: OK, Cancel and close end the window; key
  // events go to the focus object, and of the keys it does not keep, Escape
  // is Cancel and Enter presses the focused push button or else the default
  // button; kZafEventCurrent answers itself.
  ZafEventType Event(const ZafEventStruct& event) override;

  [[nodiscard]] Status ReadStored(const StResourceObject& record, ZafObjectPersistence& persistence) override;
  [[nodiscard]] ZafWidgetKind WidgetKind() const override { return ZafWidgetKind::kWindow; }

 protected:
  explicit ZafWindow(std::string className);

 private:
  [[nodiscard]] ZafButton* EnterButton();
  [[nodiscard]] static ZafButton* FindDefault(ZafWindowObject& object);

  bool m_modal = false;
  bool m_sizeable = false;
  bool m_frameless = false;
  std::string m_pageText;
  ZafWindowObject* m_focus = nullptr;
  ZafEventType m_closingEvent = kZafEventNone;
  int m_pointerCount = 0;
};
