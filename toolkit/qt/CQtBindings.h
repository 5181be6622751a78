#pragma once

// Which widget shows which window object. Widgets belong to Qt's parent
// tree; this only remembers the pairs, and what was bound under what so a
// subtree can be forgotten even after its objects have gone.

#include <cstddef>
#include <unordered_map>
#include <vector>

class QAction;
class QWidget;
class ZafWindowObject;

struct StQtBinding {
  QWidget* widget = nullptr;     // the object's own widget; nullptr for a menu item
  QWidget* container = nullptr;  // where the widgets of its children go
  QAction* action = nullptr;     // a menu item's action
  // An object shown by another's widget (the field of a spin control).
  bool shared = false;
  ZafWindowObject* parent = nullptr;
  std::vector<ZafWindowObject*> children;
};

class CQtBindings {
 public:
  [[nodiscard]] StQtBinding* Find(const ZafWindowObject* object);
  [[nodiscard]] const StQtBinding* Find(const ZafWindowObject* object) const;
  [[nodiscard]] QWidget* WidgetFor(const ZafWindowObject* object) const;
  // The object a widget shows, looking through its parents; nullptr when the
  // widget is none of ours.
  [[nodiscard]] ZafWindowObject* ObjectFor(const QWidget* widget) const;

  StQtBinding& Bind(ZafWindowObject& object, const StQtBinding& binding);
  // Forgets the object and everything bound under it. The widgets stay for
  // the caller to delete (their own signals are blocked first).
  void Unbind(const ZafWindowObject* object);
  [[nodiscard]] std::size_t Count() const { return m_bindings.size(); }

 private:
  void Forget(const ZafWindowObject* object);

  std::unordered_map<const ZafWindowObject*, StQtBinding> m_bindings;
  std::unordered_map<const QWidget*, ZafWindowObject*> m_objects;
};
