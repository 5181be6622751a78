#include "toolkit/qt/CQtBindings.h"

#include <QAction>
#include <QWidget>
#include <algorithm>

StQtBinding* CQtBindings::Find(const ZafWindowObject* object) {
  auto it = m_bindings.find(object);
  return it == m_bindings.end() ? nullptr : &it->second;
}

const StQtBinding* CQtBindings::Find(const ZafWindowObject* object) const {
  auto it = m_bindings.find(object);
  return it == m_bindings.end() ? nullptr : &it->second;
}

QWidget* CQtBindings::WidgetFor(const ZafWindowObject* object) const {
  const StQtBinding* binding = Find(object);
  return binding == nullptr ? nullptr : binding->widget;
}

ZafWindowObject* CQtBindings::ObjectFor(const QWidget* widget) const {
  for (const QWidget* w = widget; w != nullptr; w = w->parentWidget()) {
    if (auto it = m_objects.find(w); it != m_objects.end()) return it->second;
  }
  return nullptr;
}

StQtBinding& CQtBindings::Bind(ZafWindowObject& object, const StQtBinding& binding) {
  StQtBinding& kept = m_bindings[&object] = binding;
  if (binding.widget != nullptr && !binding.shared) m_objects[binding.widget] = &object;
  if (binding.parent != nullptr) {
    if (StQtBinding* parent = Find(binding.parent)) parent->children.push_back(&object);
  }
  return kept;
}

void CQtBindings::Unbind(const ZafWindowObject* object) {
  StQtBinding* binding = Find(object);
  if (binding == nullptr) return;
  if (binding->parent != nullptr) {
    if (StQtBinding* parent = Find(binding->parent)) std::erase(parent->children, object);
  }
  Forget(object);
}

void CQtBindings::Forget(const ZafWindowObject* object) {
  auto it = m_bindings.find(object);
  if (it == m_bindings.end()) return;
  const StQtBinding binding = it->second;
  m_bindings.erase(it);
  // A widget on its way out must not turn late signals into user input.
  if (binding.widget != nullptr && !binding.shared) {
    binding.widget->blockSignals(true);
    m_objects.erase(binding.widget);
  }
  if (binding.action != nullptr) binding.action->blockSignals(true);
  for (const ZafWindowObject* child : binding.children) Forget(child);
}
