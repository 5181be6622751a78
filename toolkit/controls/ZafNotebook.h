#pragma once

// A notebook: its children are its pages (windows), one current. Pages can be
// taken out and put back; a page put back returns to the place it had when the
// notebook was built, among the pages present.

#include <memory>
#include <set>
#include <string>
#include <vector>

#include "toolkit/ZafWindow.h"

class ZafNotebook : public ZafWindowObject {
 public:
  ZafNotebook() : ZafWindowObject("ZafNotebook") {}

  // Stored children are its pages (windows).
  [[nodiscard]] Status AdoptStored(std::unique_ptr<ZafWindowObject> child) override;
  [[nodiscard]] ZafWidgetKind WidgetKind() const override { return ZafWidgetKind::kNotebook; }
  // The current page: its index, tab label and string id.
  [[nodiscard]] std::int32_t ShownValue() const override { return m_current; }
  [[nodiscard]] std::string ShownText() const override;
  [[nodiscard]] std::string ShownSelection() const override;

  [[nodiscard]] std::size_t PageCount() const { return Children().size(); }
  [[nodiscard]] ZafWindow* Page(std::size_t index) const;
  [[nodiscard]] int IndexOf(const ZafWindowObject& page) const;
  // -1 when the notebook has no pages.
  [[nodiscard]] int CurrentIndex() const { return m_current; }
  [[nodiscard]] ZafWindow* CurrentPage() const;
  void SetCurrentPage(int index);
  // The user clicked a tab: the user function runs when the page changed.
  // A disabled tab cannot be chosen.
  ZafEventType UserSelectPage(int index);

  // Appends a page and remembers its place for RestorePage.
  ZafWindow* AddPage(std::unique_ptr<ZafWindow> page);
  // Takes the page out (nullptr when it is not a page here). When it was the
  // current page, the page now at its place (or the last one) becomes current.
  std::unique_ptr<ZafWindow> RemovePage(ZafWindow& page);
  // Puts a removed page back at its original place.
  ZafWindow* RestorePage(std::unique_ptr<ZafWindow> page);

  [[nodiscard]] bool TabDisabled(const ZafWindow& page) const { return m_disabledTabs.count(&page) != 0; }
  void SetTabDisabled(const ZafWindow& page, bool disabled);

 private:
  std::vector<const ZafWindow*> m_order;  // every page ever added, in tab order
  std::set<const ZafWindow*> m_disabledTabs;
  int m_current = -1;
};
