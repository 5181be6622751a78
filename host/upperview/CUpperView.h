#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "host/upperview/CViewRebinding.h"
#include "model/CModelRemovalListener.h"
#include "views/CRootStack.h"
#include "views/CSuperView.h"

class CDriverObject;
class CEventTranslator;
class CItemView;
class CTabletObject;

// The root of the main window's view tree (control id 1100). It picks the
// tablet and its tools, owns one view per tab and the dialog roots' views,
// and keeps the stack of dialog roots that take every request while a modal
// dialog is open. The event translator hands it every request a control sends.
// Tablets and tools the driver takes away while the window is open are let go
// of before the model deletes them; the tab views then bind to what is left.
class CUpperView : public CSuperView,
                   public CRootStack,
                   public CModelRemovalListener,
                   private CViewRebinding::CTarget {
 public:
  CUpperView();
  ~CUpperView() override;

  // The one upper view of the run, or none.
  [[nodiscard]] static CUpperView* Instance();

  [[nodiscard]] Status Build() override;
  [[nodiscard]] ViewResult Dispatch(ViewRequest& request) override;
  // `data` must be the driver object: chooses the tablet, finds its tools
  // and attaches the tab view that fits the first stylus.
  [[nodiscard]] ViewResult Attach(CDataGrouping* data, std::int32_t index) override;
  // Also stops listening to the model, which may then go.
  [[nodiscard]] ViewResult Detach() override;

  std::uint32_t HandleRequest(ViewRequest& request) override { return Dispatch(request); }
  void PushRoot(CKelvoView* view) override;
  void PopRoot() override;
  [[nodiscard]] std::size_t RootCount() const { return m_roots.size(); }

  // Tells the window that the driver knows no tablet at all.
  void ShowNoTablet();

  // Unbinds every view that may reach below `leaving`; the next request binds
  // them again.
  void ModelObjectRemoving(const CDataGrouping& leaving) override;

  [[nodiscard]] CTabletObject* GetTablet() const { return m_tablet; }
  [[nodiscard]] CDataGrouping* GetFirstStylus() const { return m_firstStylus; }
  [[nodiscard]] CDataGrouping* GetFirstPuck() const { return m_firstPuck; }
  [[nodiscard]] CDataGrouping* GetCurrentTool() const { return m_currentTool; }
  [[nodiscard]] CKelvoView* GetCurrentTabView() const { return m_currentTabView; }
  [[nodiscard]] std::uint16_t GetModelCode() const { return m_modelCode; }

  // The tab views by their control ids (1200 stylus ... 4000 advanced).
  [[nodiscard]] CSuperView* GetOwnedView(std::uint32_t controlId) const;

 private:
  // Dispatch without the rebinding around it.
  [[nodiscard]] ViewResult Route(ViewRequest& request);
  [[nodiscard]] Status AttachModel(CDriverObject& driver);
  [[nodiscard]] Status ChooseTablet(CDriverObject& driver);
  void FindTools(bool initial);
  // After the model deleted something: a tablet again when it went (no
  // dialog), its tools, and the open tab's view on what is left.
  void Rebind();
  [[nodiscard]] bool HoldsTablet() const override { return m_tablet != nullptr; }
  void TakeTablet(CTabletObject* tablet) override;
  void FindToolsAgain() override { FindTools(false); }
  // Counts the tool groups, then binds the open tab's view.
  void BindOpenTab() override;
  void BindOpenTabView();
  // The tablet a model request asks about: the one whose key the buffer
  // carries, else the current one.
  [[nodiscard]] CTabletObject* TabletAsked(const void* data);
  // After a Refresh: the tablet list (when `everything` was refreshed) and
  // the tablet's tools are read again.
  void RefreshModel(bool everything);
  void ShowTabletControls();
  [[nodiscard]] ViewResult SwitchTab(std::uint32_t pageId);
  void AttachTabView(CSuperView* view, CDataGrouping* tool);
  void DetachTabView();
  // The first stylus's mapping grouping when the stylus is on a pen display.
  [[nodiscard]] CDataGrouping* PenDisplayMapping() const;
  // The tool the Mapping tab shows: the one of the tool tab chosen last.
  [[nodiscard]] CDataGrouping* MappingTool() const { return m_mappingOfPuck ? m_firstPuck : m_firstStylus; }
  // Shows the Mapping tab while that tool has a mapping, else hides it.
  void ShowMappingTab();

  std::int16_t m_toolCount = 0;
  std::unique_ptr<CSuperView> m_onOffView;
  CDriverObject* m_root = nullptr;
  CTabletObject* m_tablet = nullptr;
  CDataGrouping* m_currentTool = nullptr;
  CDataGrouping* m_firstStylus = nullptr;
  CDataGrouping* m_firstPuck = nullptr;
  CSuperView* m_currentTabView = nullptr;
  std::unique_ptr<CSuperView> m_stylusView;
  std::unique_ptr<CSuperView> m_puckView;
  std::unique_ptr<CSuperView> m_tabletView;
  std::unique_ptr<CSuperView> m_diagnosticView;
  std::unique_ptr<CSuperView> m_menuView;
  std::unique_ptr<CSuperView> m_calibrateView;
  std::unique_ptr<CSuperView> m_mappingView;
  bool m_mappingOfPuck = false;
  std::unique_ptr<CSuperView> m_advancedView;
  CEventTranslator* m_translator = nullptr;
  CItemView* m_clickSoundView = nullptr;
  std::vector<CKelvoView*> m_roots;
  std::uint16_t m_modelCode = 0;
  CViewRebinding m_rebinding;
  int m_dispatchDepth = 0;
};
