#pragma once

#include <cstdint>
#include <memory>

#include "functions/FunctionCodes.h"
#include "views/CItemView.h"

class CKeystrokeSuperView;
class CModifiersSuperView;
class CRunAppSuperView;

// The list of functions of one programmable control, bound to the function
// code at the base of the control's function block. A plain function is
// written when it is picked; one that needs data opens its dialog and is
// written when the dialog ends with OK, or put back when it is cancelled.
// "BDefault" puts the function and its data back to the driver's defaults.
class CSwitchMenuView : public CItemView {
 public:
  CSwitchMenuView(std::uint32_t controlId, ItemId base = kButtonBlock, std::uint32_t valueType = 0);
  ~CSwitchMenuView() override;

  [[nodiscard]] ViewResult Dispatch(ViewRequest& request) override;
  // Hides the control (0x606) when the control has no function, or one the
  // driver does not let be changed.
  [[nodiscard]] ViewResult CanAttach(CDataGrouping* data, std::int32_t index) override;
  [[nodiscard]] ViewResult Attach(CDataGrouping* data, std::int32_t index) override;

  // The dialog the view waits for (0: none).
  [[nodiscard]] std::uint32_t GetPendingDialog() const { return m_pending; }
  [[nodiscard]] CDataGrouping* GetGrouping() const { return m_grouping; }

 private:
  // Opens the dialog the function needs, or writes the function at once;
  // only a dialog that cannot be made or built is answered.
  [[nodiscard]] Status ActOnFunction(FunctionCode code);
  template <typename TRoot, typename... Items>
  [[nodiscard]] Status OpenDialog(std::unique_ptr<TRoot>& root, std::uint32_t rootId, Items... items);
  // The function's data back to the driver's defaults.
  void DefaultFunctionData();
  [[nodiscard]] ViewResult DispatchToSelf(std::uint32_t operation, std::uint32_t controlId, void* data = nullptr);

  CDataGrouping* m_grouping = nullptr;
  std::unique_ptr<CKeystrokeSuperView> m_keystrokeRoot;
  std::unique_ptr<CModifiersSuperView> m_modifierRoot;
  std::unique_ptr<CRunAppSuperView> m_runRoot;
  std::uint32_t m_pending = 0;
};
