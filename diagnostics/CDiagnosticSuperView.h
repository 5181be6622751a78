#pragma once

#include <cstdint>
#include <memory>

#include "views/CDialogSuperView.h"

class CDataGrouping;
class CItemView;

// The root of the diagnostics dialog: every field is an item view bound to
// the selected tablet, except the driver version (bound to the driver
// object), the tablet list, and the tool name, which follows the tool group
// whose serial number the tablet reports. Nothing is written: Commit is
// ignored and Revert is carried out as Apply, so either way out of the dialog
// lets go of it alike.
class CDiagnosticSuperView : public CDialogSuperView {
 public:
  explicit CDiagnosticSuperView(std::uint32_t controlId);
  ~CDiagnosticSuperView() override;

  [[nodiscard]] Status Build() override;
  [[nodiscard]] ViewResult Dispatch(ViewRequest& request) override;
  // `index` is not used: the fields show the tablet the driver object has
  // selected (its item 12).
  [[nodiscard]] ViewResult Attach(CDataGrouping* data, std::int32_t index) override;
  [[nodiscard]] ViewResult Detach() override;
  [[nodiscard]] CKelvoView* FindView(std::uint32_t controlId) const override;

  [[nodiscard]] std::int16_t GetSelectedTablet() const { return m_selectedTablet; }

 private:
  // Binds the tool name to the tool group whose serial number equals the one
  // the tablet reports, and hides it when there is none.
  void BindToolName();
  // The tablet picked in the list: every field goes to it.
  [[nodiscard]] ViewResult PickTablet(const ViewRequest& request);
  [[nodiscard]] Status BuildFields();

  std::int16_t m_selectedTablet = 0;
  CDataGrouping* m_root = nullptr;
  std::unique_ptr<CItemView> m_driverVersion;
  std::unique_ptr<CSuperView> m_tabletList;
  std::unique_ptr<CItemView> m_toolName;
};
