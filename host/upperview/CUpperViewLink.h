#pragma once

#include <memory>

#include "host/upperview/CUpperView.h"
#include "model/CDriverLink.h"

// What the driver link holds: the upper view, built, behind the link's
// interface (whose Detach does not answer a view result).
class CUpperViewLink : public CLinkedView {
 public:
  explicit CUpperViewLink(std::unique_ptr<CUpperView> view) : m_view(std::move(view)) {}
  [[nodiscard]] Status Attach(CDriverObject& driverObject, std::int32_t index) override;
  void Detach() override;
  void ShowNoTablet() override { m_view->ShowNoTablet(); }
  [[nodiscard]] CUpperView& View() { return *m_view; }

  // Makes and builds the upper view; none when that fails.
  [[nodiscard]] static std::unique_ptr<CLinkedView> Make();

 private:
  std::unique_ptr<CUpperView> m_view;
};

