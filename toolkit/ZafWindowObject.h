#pragma once

// The base of every window object: identity (string and numeric id), the
// binding the application puts on it (value, user function, kind), text,
// quick tip, region, visibility, disabled state, colours and children.
//
// Setters called by code change state and tell the observer; they never call
// the user function. Only the User* operations, which stand for user input,
// do that.

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "protocol/Status.h"
#include "toolkit/ZafChange.h"
#include "toolkit/ZafEvents.h"
#include "toolkit/ZafRegion.h"
#include "toolkit/ZafWidgetKind.h"

class ZafObjectPersistence;
class ZafWindow;
struct StResourceObject;

using ZafUserFunction = std::function<ZafEventType(ZafWindowObject& object, ZafEventType event)>;

class ZafWindowObject {
 public:
  explicit ZafWindowObject(std::string className);
  virtual ~ZafWindowObject();
  ZafWindowObject(const ZafWindowObject&) = delete;
  ZafWindowObject& operator=(const ZafWindowObject&) = delete;

  [[nodiscard]] const std::string& ClassName() const { return m_className; }

  [[nodiscard]] const std::string& StringID() const { return m_stringId; }
  void SetStringID(std::string id) { m_stringId = std::move(id); }
  [[nodiscard]] std::uint16_t NumberID() const { return m_numberId; }
  void SetNumberID(std::uint16_t id) { m_numberId = id; }
  [[nodiscard]] std::int32_t Value() const { return m_value; }
  void SetValue(std::int32_t value) { m_value = value; }
  [[nodiscard]] std::uint32_t Kind() const { return m_kind; }
  void SetKind(std::uint32_t kind) { m_kind = kind; }
  [[nodiscard]] const ZafUserFunction& UserFunction() const { return m_userFunction; }
  void SetUserFunction(ZafUserFunction function) { m_userFunction = std::move(function); }
  // The event a control posts to its window when the user uses it (0: none).
  [[nodiscard]] ZafEventType SendMessage() const { return m_sendMessage; }
  void SetSendMessage(ZafEventType event) { m_sendMessage = event; }

  [[nodiscard]] const std::string& Text() const { return m_text; }
  virtual void SetText(std::string text);
  [[nodiscard]] const std::string& QuickTip() const { return m_quickTip; }
  void SetQuickTip(std::string tip);

  [[nodiscard]] const ZafRegion& Region() const { return m_region; }
  void SetRegion(const ZafRegion& region);

  [[nodiscard]] bool Visible() const { return m_visible; }
  void SetVisible(bool visible);
  // Shown only when it and every parent are visible.
  [[nodiscard]] bool OnScreen() const;
  [[nodiscard]] bool Disabled() const { return m_disabled; }
  void SetDisabled(bool disabled);
  // Disabled by itself or through a parent.
  [[nodiscard]] bool EffectivelyDisabled() const;

  [[nodiscard]] std::int32_t Foreground() const { return m_foreground; }
  [[nodiscard]] std::int32_t Background() const { return m_background; }
  void SetColours(std::int32_t foreground, std::int32_t background);

  // Gives this object the input focus of its window.
  void SetFocus();
  [[nodiscard]] bool HasFocus() const;

  // Children, owned. Add appends and returns the added object.
  ZafWindowObject* Add(std::unique_ptr<ZafWindowObject> child);
  ZafWindowObject* Insert(std::unique_ptr<ZafWindowObject> child, std::size_t index);
  std::unique_ptr<ZafWindowObject> Subtract(ZafWindowObject& child);
  [[nodiscard]] const std::vector<std::unique_ptr<ZafWindowObject>>& Children() const { return m_children; }
  [[nodiscard]] ZafWindowObject* Parent() const { return m_parent; }
  // The top-level window this object is in (itself for a top-level window).
  [[nodiscard]] ZafWindow* RootWindow();

  // Depth-first search of the children (not this object) by string id.
  [[nodiscard]] ZafWindowObject* Find(std::string_view stringId);
  template <typename T>
  [[nodiscard]] T* FindAs(std::string_view stringId) {
    return dynamic_cast<T*>(Find(stringId));
  }

  // Handles an event sent to this object; answers the event's result.
  virtual ZafEventType Event(const ZafEventStruct& event);

  // The traits of a class, each said once by the class itself: what it reads
  // from its stored form, how it takes a stored child, which widget shows it,
  // what a user sees of it and which keys it keeps for itself.
  // ReadStored: an override reads the base's fields first.
  [[nodiscard]] virtual Status ReadStored(const StResourceObject& record, ZafObjectPersistence& persistence);
  [[nodiscard]] virtual Status AdoptStored(std::unique_ptr<ZafWindowObject> child);
  [[nodiscard]] virtual ZafWidgetKind WidgetKind() const { return ZafWidgetKind::kPlain; }
  // The number a user reads off it (a position, a tick, the chosen entry's value).
  [[nodiscard]] virtual std::int32_t ShownValue() const { return m_value; }
  [[nodiscard]] virtual std::string ShownText() const { return m_text; }
  // The string id of what is chosen in it, "none" when nothing is.
  [[nodiscard]] virtual std::string ShownSelection() const { return "none"; }
  // Its entries in order, by string id (by text where an entry has none).
  [[nodiscard]] virtual std::vector<std::string> ShownEntries() const { return {}; }
  // The name of the picture it shows, empty when none.
  [[nodiscard]] virtual std::string ShownPicture() const { return {}; }
  // Whether its pop-up (menu, drop-down list) is open.
  [[nodiscard]] virtual bool ShownOpen() const { return false; }
  // A key it handles itself while it has the focus; a presenter leaves such
  // keys to the toolkit instead of acting on them (moving the focus on Tab).
  [[nodiscard]] virtual bool KeepsKey(std::uint8_t /*virtualKey*/) const { return false; }

  // The observer of this object and its children (inherited from the parent
  // when none is set here).
  void SetObserver(ZafObjectObserver* observer) { m_observer = observer; }
  void NotifyChanged(ZafChange change);

 protected:
  // User input: calls the user function with the event and posts the send
  // message to the window; answers the user function's result.
  ZafEventType UserChanged(ZafEventType event = kZafEventChanged);

 private:
  std::string m_className;
  std::string m_stringId;
  std::uint16_t m_numberId = 0;
  std::int32_t m_value = 0;
  std::uint32_t m_kind = 0;
  ZafUserFunction m_userFunction;
  ZafEventType m_sendMessage = kZafEventNone;
  std::string m_text;
  std::string m_quickTip;
  ZafRegion m_region{};
  bool m_visible = true;
  bool m_disabled = false;
  std::int32_t m_foreground = -1;
  std::int32_t m_background = -1;
  ZafWindowObject* m_parent = nullptr;
  ZafObjectObserver* m_observer = nullptr;
  std::vector<std::unique_ptr<ZafWindowObject>> m_children;
};
