#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "views/CKelvoView.h"

// Picks the data object of a child from its parent's data object.
using ViewSelector = CDataGrouping* (*)(CDataGrouping* data, std::uint32_t argument);

// A group of views, usually with a control of its own (a group box, a tab).
// It owns its children and hands each the data object its entry names.
class CSuperView : public CKelvoView {
 public:
  explicit CSuperView(std::uint32_t controlId);
  ~CSuperView() override;

  // Each child in order; the first "handled" ends the walk and is answered.
  // Other child results, failures included, are ignored.
  [[nodiscard]] ViewResult Dispatch(ViewRequest& request) override;
  // Each child in order; a status is answered at once, flags are ORed.
  [[nodiscard]] ViewResult Perform(ViewRequest& request) override;
  // Shows the group when there is a data object, hides it (0x200) when not.
  [[nodiscard]] ViewResult CanAttach(CDataGrouping* data, std::int32_t index) override;
  [[nodiscard]] ViewResult Attach(CDataGrouping* data, std::int32_t index) override;
  [[nodiscard]] ViewResult Detach() override;
  [[nodiscard]] ViewResult SetStateAndNotify(std::uint32_t state) override;
  [[nodiscard]] std::uint32_t GetControlId() const override { return m_controlId; }

  // Creates the children; the base has none.
  [[nodiscard]] virtual Status Build();
  // Appends a child entry; the group takes the view.
  [[nodiscard]] virtual Status AddView(std::unique_ptr<CKelvoView> view, std::int32_t index = kSameData,
                                       ViewSelector selector = nullptr, std::uint32_t argument = 0);
  // Takes the first entry of `view` out of the list and hands the view to
  // `removed`; 0x606 when the view is not a child.
  [[nodiscard]] virtual Status RemoveView(CKelvoView* view, std::unique_ptr<CKelvoView>& removed);
  // None when the position is past the end.
  [[nodiscard]] virtual CKelvoView* ViewAt(std::size_t position) const;
  [[nodiscard]] virtual CKelvoView* FindView(std::uint32_t controlId) const;
  [[nodiscard]] virtual std::size_t Count() const;
  [[nodiscard]] virtual bool Contains(const CKelvoView* view) const;
  // List position of the view, or -1.
  [[nodiscard]] virtual std::int32_t IndexOf(const CKelvoView* view) const;

  [[nodiscard]] std::uint32_t GetState() const { return m_state; }
  [[nodiscard]] CDataGrouping* GetData() const { return m_data; }

 protected:
  struct StChildEntry {
    std::unique_ptr<CKelvoView> view;
    std::int32_t index = kSameData;
    ViewSelector selector = nullptr;
    std::uint32_t argument = 0;
  };

  // Stores the state without telling the window.
  void SetStateQuietly(std::uint32_t state) { m_state = state; }

 private:
  std::uint32_t m_controlId;
  std::uint32_t m_state = kStateShown;
  std::vector<StChildEntry> m_children;
  CDataGrouping* m_data = nullptr;
};
