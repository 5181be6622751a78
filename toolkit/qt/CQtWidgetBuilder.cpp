#include "toolkit/qt/CQtWidgetBuilder.h"

#include <QAction>
#include <QMenu>
#include <QSignalBlocker>
#include <QTabWidget>
#include <algorithm>

#include "toolkit/controls/ZafNotebook.h"
#include "toolkit/controls/ZafPopUpItem.h"
#include "toolkit/controls/ZafSpinControl.h"
#include "toolkit/qt/CQtBindings.h"
#include "toolkit/qt/CQtWidgetSync.h"

namespace {

QString Q(const std::string& text) {
  return QString::fromStdString(text);
}

}  // namespace

CQtWidgetBuilder::CQtWidgetBuilder(CQtBindings& bindings, CQtWidgetSync& sync)
    : m_bindings(bindings), m_sync(sync), m_factory([this](ZafWindowObject* object) { Settle(object); }) {}

QWidget* CQtWidgetBuilder::BuildWindow(ZafWindow& window) {
  QWidget* top = Build(window, nullptr);
  if (top == nullptr) return nullptr;
  // Build placed it already when the window has a region of its own.
  if (window.Region().Width() <= 0 || window.Region().Height() <= 0) top->adjustSize();
  return top;
}

QWidget* CQtWidgetBuilder::Build(ZafWindowObject& object, QWidget* parent) {
  if (object.WidgetKind() == ZafWidgetKind::kMenuItem && object.Parent() != nullptr &&
      object.Parent()->WidgetKind() == ZafWidgetKind::kMenu) {
    BuildMenuItem(object, *object.Parent());
    return nullptr;
  }
  QWidget* container = nullptr;
  QWidget* widget = m_factory.Make(object, parent, container);
  if (widget == nullptr) return nullptr;
  // The string identifier names the widget for Qt's own tools and for tests.
  if (!object.StringID().empty()) widget->setObjectName(Q(object.StringID()));
  StQtBinding binding;
  binding.widget = widget;
  binding.container = container != nullptr ? container : widget;
  binding.parent = object.Parent();
  m_bindings.Bind(object, binding);
  m_sync.ApplyAll(object);
  BuildChildren(object);
  if (object.WidgetKind() == ZafWidgetKind::kNotebook) m_sync.ApplyAll(object);
  return widget;
}

void CQtWidgetBuilder::BuildChildren(ZafWindowObject& object) {
  StQtBinding* binding = m_bindings.Find(&object);
  if (binding == nullptr) return;
  if (object.WidgetKind() == ZafWidgetKind::kSpin) {
    // The spin box shows its field too.
    const ZafInteger* field = static_cast<ZafSpinControl&>(object).Field();
    for (const auto& child : object.Children()) {
      if (child.get() != field || m_bindings.Find(child.get()) != nullptr) continue;
      StQtBinding shared;
      shared.widget = binding->widget;
      shared.shared = true;
      shared.parent = &object;
      m_bindings.Bind(*child, shared);
    }
    return;
  }
  auto* tabs = object.WidgetKind() == ZafWidgetKind::kNotebook ? qobject_cast<QTabWidget*>(binding->widget)
                                                                 : nullptr;
  for (std::size_t i = 0; i < object.Children().size(); ++i) {
    ZafWindowObject& child = *object.Children()[i];
    if (m_bindings.Find(&child) != nullptr) continue;
    if (tabs != nullptr) {
      QWidget* page = Build(child, nullptr);
      const QSignalBlocker blocker(tabs);
      if (page != nullptr) {
        tabs->insertTab(static_cast<int>(i), page, Q(static_cast<ZafNotebook&>(object).Page(i)->PageText()));
      }
    } else {
      (void)Build(child, m_bindings.Find(&object)->container);
    }
  }
}

void CQtWidgetBuilder::Reconcile(ZafWindowObject& object) {
  StQtBinding* binding = m_bindings.Find(&object);
  if (binding == nullptr) return;
  std::vector<const ZafWindowObject*> gone;
  for (const ZafWindowObject* child : binding->children) {
    const bool present = std::any_of(object.Children().begin(), object.Children().end(),
                                     [&](const std::unique_ptr<ZafWindowObject>& c) { return c.get() == child; });
    if (!present) gone.push_back(child);
  }
  // Gone children may be destroyed already: only their bindings are used.
  for (const ZafWindowObject* child : gone) Discard(child);
  BuildChildren(object);
  m_sync.ApplyAll(object);
}

void CQtWidgetBuilder::Discard(const ZafWindowObject* object) {
  const StQtBinding* binding = m_bindings.Find(object);
  if (binding == nullptr) return;
  QWidget* widget = binding->shared ? nullptr : binding->widget;
  QAction* action = binding->action;
  m_bindings.Unbind(object);
  if (action != nullptr) action->deleteLater();
  if (widget == nullptr) return;
  // A page leaves its notebook's tabs (the stack between them is Qt's own).
  QWidget* stack = widget->parentWidget();
  if (auto* tabs = qobject_cast<QTabWidget*>(stack != nullptr ? stack->parentWidget() : nullptr)) {
    const QSignalBlocker blocker(tabs);
    if (const int index = tabs->indexOf(widget); index >= 0) tabs->removeTab(index);
  }
  // Deleting later: the widget may be the one whose signal is running now.
  widget->hide();
  widget->deleteLater();
}

void CQtWidgetBuilder::Settle(ZafWindowObject* object) {
  if (m_bindings.Find(object) != nullptr) m_sync.ApplyAll(*object);
}

void CQtWidgetBuilder::BuildMenuItem(ZafWindowObject& item, ZafWindowObject& menu) {
  auto* popup = qobject_cast<QMenu*>(m_bindings.WidgetFor(&menu));
  if (popup == nullptr) return;
  auto* choice = &static_cast<ZafPopUpItem&>(item);
  QAction* action = popup->addAction(Q(item.Text()));
  QObject::connect(action, &QAction::triggered, action, [this, choice] {
    choice->UserPress();
    Settle(choice);
  });
  StQtBinding binding;
  binding.action = action;
  binding.parent = &menu;
  m_bindings.Bind(item, binding);
  m_sync.ApplyAll(item);
}
