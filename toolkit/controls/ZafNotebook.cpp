#include "toolkit/controls/ZafNotebook.h"

#include <algorithm>

Status ZafNotebook::AdoptStored(std::unique_ptr<ZafWindowObject> child) {
  if (child == nullptr || child->WidgetKind() != ZafWidgetKind::kWindow) return kStatusWrongClass;
  AddPage(std::unique_ptr<ZafWindow>(static_cast<ZafWindow*>(child.release())));
  return kStatusOk;
}

std::string ZafNotebook::ShownText() const { return CurrentPage() != nullptr ? CurrentPage()->PageText() : ""; }

std::string ZafNotebook::ShownSelection() const {
  return CurrentPage() != nullptr ? CurrentPage()->StringID() : "none";
}

ZafWindow* ZafNotebook::Page(std::size_t index) const {
  return index < Children().size() ? dynamic_cast<ZafWindow*>(Children()[index].get()) : nullptr;
}

int ZafNotebook::IndexOf(const ZafWindowObject& page) const {
  for (std::size_t i = 0; i < Children().size(); ++i) {
    if (Children()[i].get() == &page) return static_cast<int>(i);
  }
  return -1;
}

ZafWindow* ZafNotebook::CurrentPage() const {
  return m_current < 0 ? nullptr : Page(static_cast<std::size_t>(m_current));
}

void ZafNotebook::SetCurrentPage(int index) {
  if (index < 0 || static_cast<std::size_t>(index) >= PageCount()) return;
  if (index == m_current) return;
  m_current = index;
  NotifyChanged(ZafChange::kSelection);
}

ZafEventType ZafNotebook::UserSelectPage(int index) {
  if (EffectivelyDisabled()) return 0;
  ZafWindow* page = index < 0 ? nullptr : Page(static_cast<std::size_t>(index));
  if (page == nullptr || TabDisabled(*page) || index == m_current) return 0;
  SetCurrentPage(index);
  return UserChanged();
}

ZafWindow* ZafNotebook::AddPage(std::unique_ptr<ZafWindow> page) {
  if (!page) return nullptr;
  if (std::find(m_order.begin(), m_order.end(), page.get()) == m_order.end()) m_order.push_back(page.get());
  auto* raw = static_cast<ZafWindow*>(Add(std::move(page)));
  if (m_current < 0) SetCurrentPage(0);
  NotifyChanged(ZafChange::kPages);
  return raw;
}

std::unique_ptr<ZafWindow> ZafNotebook::RemovePage(ZafWindow& page) {
  const int index = IndexOf(page);
  if (index < 0) return nullptr;
  const bool wasCurrent = index == m_current;
  std::unique_ptr<ZafWindowObject> taken = Subtract(page);
  if (index < m_current) --m_current;
  if (wasCurrent) {
    const int count = static_cast<int>(PageCount());
    m_current = count == 0 ? -1 : std::min(index, count - 1);
    NotifyChanged(ZafChange::kSelection);
  }
  NotifyChanged(ZafChange::kPages);
  return std::unique_ptr<ZafWindow>(static_cast<ZafWindow*>(taken.release()));
}

ZafWindow* ZafNotebook::RestorePage(std::unique_ptr<ZafWindow> page) {
  if (!page) return nullptr;
  auto place = std::find(m_order.begin(), m_order.end(), page.get());
  if (place == m_order.end()) return AddPage(std::move(page));
  // Count the pages present that come before it in the original order.
  std::size_t index = 0;
  for (auto it = m_order.begin(); it != place; ++it) {
    if (IndexOf(**it) >= 0) ++index;
  }
  if (m_current >= 0 && static_cast<std::size_t>(m_current) >= index) ++m_current;
  auto* raw = static_cast<ZafWindow*>(Insert(std::move(page), index));
  if (m_current < 0) {
    m_current = 0;
    NotifyChanged(ZafChange::kSelection);
  }
  NotifyChanged(ZafChange::kPages);
  return raw;
}

void ZafNotebook::SetTabDisabled(const ZafWindow& page, bool disabled) {
  const bool changed = disabled ? m_disabledTabs.insert(&page).second : m_disabledTabs.erase(&page) != 0;
  if (changed) NotifyChanged(ZafChange::kPages);
}
