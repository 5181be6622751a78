#include "host/upperview/CUpperView.h"

#include <cstring>

#include "host/upperview/TabViewMakers.h"
#include "model/CDriverObject.h"
#include "model/CTransducer.h"
#include "model/ModelCodes.h"
#include "model/ModelReads.h"
#include "services/CEventTranslator.h"
#include "views/CMenuSuperView.h"
#include "views/COnOffView.h"
#include "views/ControlIds.h"
#include "views/ViewCreation.h"
#include "views/info/CDriverVersionView.h"
#include "views/tabs/ToolSelectors.h"

namespace {

CUpperView* g_upperView = nullptr;

constexpr std::uint16_t kNoTablet = 0xFFFF;
constexpr std::uint16_t kModelWithTabletTab = 230;
constexpr std::uint16_t kModelWithoutHelp = 142;

ToolClass ClassOfGroup(CDataGrouping* group, CDataGrouping*& tool) {
  tool = group != nullptr ? group->GetSubGroup(0, kSubGroupMain) : nullptr;
  auto* transducer = dynamic_cast<CTransducer*>(tool);
  return transducer != nullptr ? transducer->GetToolClass() : ToolClass::kNone;
}

void Notify(std::uint32_t controlId, std::uint32_t code) {
  DropStatus(NotifyControlState(controlId, code),
             "a window without this control has nothing to show; the view's answer stands");
}

}  // namespace

CUpperView::CUpperView() : CSuperView(ControlId::kUpperView) { g_upperView = this; }

CUpperView::~CUpperView() {
  if (m_translator != nullptr && GetEventTranslator() == m_translator &&
      m_translator->GetListener() == this)
    m_translator->SetListener(nullptr);
  if (g_upperView == this) g_upperView = nullptr;
}

CUpperView* CUpperView::Instance() { return g_upperView; }

Status CUpperView::Build() {
  KELVO_TRY(AddChildView<CDriverVersionView>(*this, {}, nullptr, ControlId::kVersionPrompt,
                                             kItemDriverVersion, 0U));
  const auto make = [](std::unique_ptr<CSuperView>& out, auto maker) -> Status {
    KELVO_TRY(maker(out));
    return out->Build();
  };
  KELVO_TRY(make(m_onOffView, [](auto& out) { return MakeOwned<COnOffView>(out, ControlId::kDriverOnGroup); }));
  KELVO_TRY(make(m_diagnosticView, MakeDiagnosticSuperView));
  KELVO_TRY(make(m_advancedView, MakeAdvancedSuperView));
  KELVO_TRY(make(m_stylusView, MakeStylusView));
  KELVO_TRY(make(m_puckView, MakePuckView));
  KELVO_TRY(make(m_tabletView, MakeTabletView));
  KELVO_TRY(make(m_menuView, [](auto& out) { return MakeOwned<CMenuSuperView>(out, ControlId::kMenuView); }));
  KELVO_TRY(make(m_calibrateView, MakeCalibrateTabView));
  KELVO_TRY(make(m_mappingView, MakeMappingTabView));
  KELVO_TRY(AddItemView(*this, ControlId::kWindowPosition, kItemWindowPosition));
  KELVO_TRY(AddItemView(*this, ControlId::kClickSound, kItemClickSound, {}, kValueByte,
                        &m_clickSoundView));
  KELVO_TRY(AddItemView(*this, ControlId::kDriverValueView, kItemDriverValue, {}, kValueWord));
  m_translator = GetEventTranslator();
  if (m_translator == nullptr) return kStatusOutOfMemory;
  m_translator->SetListener(this);
  return kStatusOk;
}

CSuperView* CUpperView::GetOwnedView(std::uint32_t controlId) const {
  for (CSuperView* view : {m_onOffView.get(), m_stylusView.get(), m_puckView.get(), m_tabletView.get(),
                           m_diagnosticView.get(), m_menuView.get(), m_calibrateView.get(),
                           m_advancedView.get(), m_mappingView.get()}) {
    if (view != nullptr && view->GetControlId() == controlId) return view;
  }
  return nullptr;
}

void CUpperView::PushRoot(CKelvoView* view) { m_roots.push_back(view); }

void CUpperView::PopRoot() {
  if (!m_roots.empty()) m_roots.pop_back();
}

void CUpperView::ShowNoTablet() {
  Notify(ControlId::kNoSupportedTablet, kControlShowWindow);
}

ViewResult CUpperView::Attach(CDataGrouping* data, std::int32_t /*index*/) {
  auto* driver = dynamic_cast<CDriverObject*>(data);
  if (driver == nullptr) return kStatusNoChild;
  return AttachModel(*driver);
}

Status CUpperView::AttachModel(CDriverObject& driver) {
  m_root = &driver;
  driver.SetRemovalListener(this);
  KELVO_TRY(ChooseTablet(driver));
  m_modelCode = TabletModelCode(m_tablet);
  DropStatus(CSuperView::Attach(&driver, kSameData),
             "children that cannot attach stay empty; the tablet choice is the answer");
  if (m_onOffView->CanAttach(m_tablet, kSameData) == kStatusOk)
    DropStatus(m_onOffView->Attach(m_tablet, kSameData),
               "an on/off group that cannot attach stays empty");
  m_toolCount = static_cast<std::int16_t>(m_tablet->GetSubGroupCount(kSubGroupMain) - 1);
  m_currentTabView = m_stylusView.get();
  m_mappingOfPuck = false;
  FindTools(true);
  // Tools already gone when the window opens left the model above; the
  // pointers found since are current.
  m_rebinding.Forget();

  ShowTabletControls();
  CDataGrouping* mapping = PenDisplayMapping();
  Notify(ControlId::kCalibrateTab, mapping != nullptr ? kControlShow : kControlHide);
  if (m_firstStylus == nullptr) return kStatusUnknown;

  std::uint8_t calibrated = 0;
  const bool readCalibrated =
      mapping != nullptr && ReadItem(*mapping, kItemCalibrated, calibrated) == kStatusOk;
  if (mapping != nullptr && !(readCalibrated && calibrated == 1) && !IsTabletPcModel(m_modelCode)) {
    AttachTabView(m_calibrateView.get(), mapping);
    Notify(ControlId::kCalibrateTab, kControlRedisplay);
  } else {
    AttachTabView(m_stylusView.get(), m_firstStylus);
    Notify(ControlId::kStylusTab, kControlRedisplay);
  }
  return kStatusOk;
}

ViewResult CUpperView::Detach() {
  if (m_root != nullptr && m_root->GetRemovalListener() == this) m_root->SetRemovalListener(nullptr);
  DropStatus(CSuperView::Detach(), "every part lets go whatever one of them answers");
  DropStatus(m_onOffView->Detach(), "every part lets go whatever one of them answers");
  if (m_currentTabView != nullptr)
    DropStatus(m_currentTabView->Detach(), "every part lets go whatever one of them answers");
  return kStatusOk;
}

Status CUpperView::ChooseTablet(CDriverObject& driver) {
  const std::int32_t count = driver.GetSubGroupCount(kSubGroupMain);
  if (count <= 0) {
    ShowNoTablet();
    return kStatusNoTablet;
  }
  const auto tabletAt = [&](std::uint16_t number) -> CTabletObject* {
    if (number >= count) return nullptr;
    return dynamic_cast<CTabletObject*>(driver.GetSubGroup(number, kSubGroupMain));
  };
  const auto currentSupported = [&]() -> CTabletObject* {
    std::uint16_t current = kNoTablet;
    if (ReadItem(driver, kItemCurrentTablet, current, ReadMode::kFresh) != kStatusOk)
      return nullptr;
    CTabletObject* tablet = current != kNoTablet ? tabletAt(current) : nullptr;
    return tablet != nullptr && IsSupportedTabletModel(TabletModelCode(tablet)) ? tablet : nullptr;
  };

  m_tablet = currentSupported();
  if (m_tablet != nullptr) return kStatusOk;
  CTabletObject* onlySupported = nullptr;
  int supported = 0;
  for (std::int32_t i = 0; i < count; ++i) {
    CTabletObject* tablet = tabletAt(static_cast<std::uint16_t>(i));
    if (tablet != nullptr && IsSupportedTabletModel(TabletModelCode(tablet))) {
      ++supported;
      if (onlySupported == nullptr) onlySupported = tablet;
    }
  }
  if (supported == 1) {
    m_tablet = onlySupported;
    return kStatusOk;
  }
  if (supported > 1) {
    Notify(ControlId::kSelectTablet, kControlShowWindow);
    m_tablet = currentSupported();
    if (m_tablet != nullptr) return kStatusOk;
  }
  if (NotifyControlState(ControlId::kNoSupportedTablet, kControlShowWindow) == kStatusCtrlHeld)
    m_tablet = tabletAt(0);
  return m_tablet != nullptr ? kStatusOk : kStatusNoTablet;
}

void CUpperView::FindTools(bool initial) {
  // Looking at a group refreshes it, which may delete tools of that group
  // (and clear the members); what was found in earlier groups stays valid.
  CDataGrouping* stylus = nullptr;
  CDataGrouping* puck = nullptr;
  const std::int32_t count = m_tablet != nullptr ? m_tablet->GetSubGroupCount(kSubGroupMain) : 0;
  for (std::int32_t position = 1; position < count; ++position) {
    if (stylus != nullptr && puck != nullptr) break;
    CDataGrouping* tool = nullptr;
    const ToolClass kind = ClassOfGroup(m_tablet->GetSubGroup(position, kSubGroupMain), tool);
    if (kind == ToolClass::kStylus && stylus == nullptr) stylus = tool;
    if (kind == ToolClass::kPuck && puck == nullptr) puck = tool;
  }
  m_firstStylus = stylus;
  m_firstPuck = puck;
  if (m_firstStylus == nullptr) Notify(ControlId::kStylusTab, kControlHide);
  else if (!initial) Notify(ControlId::kStylusTab, kControlShow);
  if (m_firstPuck == nullptr) Notify(ControlId::kPuckTab, kControlHide);
  else if (!initial) Notify(ControlId::kPuckTab, kControlShow);
  ShowMappingTab();
}

void CUpperView::ShowMappingTab() {
  Notify(ControlId::kMappingTab, SelectToolMapping(MappingTool(), 0) != nullptr ? kControlShow : kControlHide);
}

CDataGrouping* CUpperView::PenDisplayMapping() const { return ::PenDisplayMapping(m_firstStylus); }

void CUpperView::ShowTabletControls() {
  Notify(ControlId::kTabletTab, m_modelCode == kModelWithTabletTab ? kControlShow : kControlHide);
  Notify(ControlId::kHelpButton, m_modelCode == kModelWithoutHelp ? kControlHide : kControlShow);
}

void CUpperView::ModelObjectRemoving(const CDataGrouping& leaving) {
  m_rebinding.NoteRemoval();
  // Detaching only forgets items, it never reads them, so it is safe while
  // the model is in the middle of its refresh.
  DetachTabView();
  m_currentTool = nullptr;
  m_firstStylus = nullptr;
  m_firstPuck = nullptr;
  if (&leaving == m_tablet) {
    DropStatus(m_onOffView->Detach(), "the tablet is leaving; its group lets go either way");
    m_tablet = nullptr;
  }
}

void CUpperView::Rebind() {
  if (m_root == nullptr) return;
  ++m_dispatchDepth;
  m_rebinding.Rebind(*m_root, *this);
  --m_dispatchDepth;
}

void CUpperView::TakeTablet(CTabletObject* tablet) {
  m_tablet = tablet;
  m_modelCode = TabletModelCode(m_tablet);
  if (m_onOffView->CanAttach(m_tablet, kSameData) == kStatusOk)
    DropStatus(m_onOffView->Attach(m_tablet, kSameData),
               "an on/off group that cannot attach stays empty");
  if (m_tablet != nullptr) ShowTabletControls();
  else Notify(ControlId::kCalibrateTab, kControlHide);
}

void CUpperView::BindOpenTab() {
  m_toolCount = static_cast<std::int16_t>(m_tablet != nullptr ? m_tablet->GetToolGroupCount() : 0);
  BindOpenTabView();
}

void CUpperView::BindOpenTabView() {
  CSuperView* view = m_currentTabView;
  if (view == m_advancedView.get()) return AttachTabView(view, m_root);
  if (view == m_tabletView.get()) return AttachTabView(view, m_tablet);
  if (view == m_calibrateView.get()) {
    if (CDataGrouping* mapping = PenDisplayMapping(); mapping != nullptr) return AttachTabView(view, mapping);
    view = m_stylusView.get();
  }
  if (view == m_mappingView.get() && MappingTool() != nullptr) return AttachTabView(view, MappingTool());
  if (view == m_puckView.get() && m_firstPuck != nullptr) return AttachTabView(view, m_firstPuck);
  if (view == m_stylusView.get() && m_firstStylus != nullptr) return AttachTabView(view, m_firstStylus);
  // The open tab's tool is gone and its tab hidden: the other tool's tab opens.
  if (m_firstStylus != nullptr) {
    AttachTabView(m_stylusView.get(), m_firstStylus);
    Notify(ControlId::kStylusTab, kControlRedisplay);
  } else if (m_firstPuck != nullptr) {
    AttachTabView(m_puckView.get(), m_firstPuck);
    Notify(ControlId::kPuckTab, kControlRedisplay);
  } else {
    AttachTabView(view, nullptr);
  }
}

void CUpperView::AttachTabView(CSuperView* view, CDataGrouping* tool) {
  m_currentTabView = view;
  m_currentTool = tool;
  if (view != nullptr && view->CanAttach(tool, kSameData) == kStatusOk)
    DropStatus(view->Attach(tool, kSameData), "a tab view that cannot attach stays empty");
}

void CUpperView::DetachTabView() {
  if (m_currentTabView != nullptr)
    DropStatus(m_currentTabView->Detach(), "the tab view lets go either way");
}

ViewResult CUpperView::SwitchTab(std::uint32_t pageId) {
  DetachTabView();
  if (pageId == ControlId::kStylusTab || pageId == ControlId::kPuckTab) {
    m_mappingOfPuck = pageId == ControlId::kPuckTab;
    ShowMappingTab();
  }
  switch (pageId) {
    case ControlId::kStylusTab: AttachTabView(m_stylusView.get(), m_firstStylus); break;
    case ControlId::kPuckTab: AttachTabView(m_puckView.get(), m_firstPuck); break;
    case ControlId::kMappingTab: AttachTabView(m_mappingView.get(), MappingTool()); break;
    case ControlId::kTabletTab: AttachTabView(m_tabletView.get(), m_tablet); break;
    case ControlId::kCalibrateTab: AttachTabView(m_calibrateView.get(), PenDisplayMapping()); break;
    default: AttachTabView(m_currentTabView, m_currentTool); break;
  }
  return kStatusHandled;
}

ViewResult CUpperView::Dispatch(ViewRequest& incoming) {
  // Requests the window sends while one is under way (perhaps from inside a
  // model refresh) leave the binding to the outermost one.
  const bool outermost = m_dispatchDepth == 0;
  if (outermost && m_rebinding.Pending()) Rebind();
  ++m_dispatchDepth;
  const ViewResult result = Route(incoming);
  --m_dispatchDepth;
  if (outermost && m_rebinding.Pending()) Rebind();
  return result;
}

ViewResult CUpperView::Route(ViewRequest& incoming) {
  if (!m_roots.empty()) return m_roots.back()->Dispatch(incoming);
  ViewRequest request = incoming;
  if (request.operation == kViewRefresh && request.controlId == ControlId::kApplyOnRefresh)
    request.operation = kViewApply;

  // Opening a dialog's views is asked for with a Refresh; other requests to
  // those ids belong to the views themselves.
  if (request.operation == kViewRefresh && request.controlId == ControlId::kOpenDiagnostics) {
    if (m_diagnosticView->CanAttach(m_root, kSameData) == kStatusOk)
      DropStatus(m_diagnosticView->Attach(m_root, kSameData),
                 "a diagnostics view that cannot attach stays empty");
    return kStatusHandled;
  }
  if (request.operation == kViewRefresh && request.controlId == ControlId::kAdvancedSettings) {
    DetachTabView();
    AttachTabView(m_advancedView.get(), m_root);
    return kStatusHandled;
  }
  if (request.controlId == ControlId::kTabChange) {
    const std::uint32_t page = request.data != nullptr ? *static_cast<std::uint32_t*>(request.data) : 0;
    return SwitchTab(page);
  }
  if (request.operation == kViewDefault && request.controlId == kBroadcastId) {
    if (m_currentTabView == m_stylusView.get() && m_clickSoundView != nullptr) {
      const ViewResult first = m_clickSoundView->Dispatch(request);
      if (first != 0) return first;
    }
    if (m_currentTabView != nullptr)
      DropStatus(m_currentTabView->Dispatch(request),
                 "the refresh is handled here; the tab's views keep their own failures");
    return kStatusHandled;
  }

  ViewResult result = CSuperView::Dispatch(request);
  if (result == 0) result = m_onOffView->Dispatch(request);
  if (result == 0 && m_currentTabView != nullptr) result = m_currentTabView->Dispatch(request);
  if (result == 0 && request.operation == kViewGet &&
      request.controlId == ControlId::kTabletModel && request.data != nullptr) {
    if (CTabletObject* tablet = TabletAsked(request.data); tablet != nullptr) {
      const std::uint16_t model = TabletModelCode(tablet);
      std::memcpy(request.data, &model, sizeof model);
      result = kStatusHandled;
    }
  }
  if (request.operation == kViewRefresh) RefreshModel(request.controlId == kBroadcastId);
  return result;
}

CTabletObject* CUpperView::TabletAsked(const void* data) {
  std::uint16_t marker = 0;
  std::memcpy(&marker, data, sizeof marker);
  if (marker != kTabletKeyMarker) return m_tablet;
  if (m_root == nullptr) return nullptr;
  StTabletModelQuery query;
  std::memcpy(&query, data, sizeof query);
  const std::int32_t count = m_root->GetSubGroupCount(kSubGroupMain);
  for (std::int32_t i = 0; i < count; ++i) {
    auto* tablet = dynamic_cast<CTabletObject*>(m_root->GetSubGroup(i, kSubGroupMain));
    if (tablet != nullptr && tablet->GetKey().LastLevel().index == query.key) return tablet;
  }
  return nullptr;
}

void CUpperView::RefreshModel(bool everything) {
  // Tablets the driver took away leave the model here, this view letting go first.
  if (everything && m_root != nullptr) (void)m_root->GetSubGroupCount(kSubGroupMain);
  if (m_tablet == nullptr) {
    // A tablet that came back is bound as one that replaced a removed one.
    if (m_root != nullptr && CViewRebinding::FindSupportedTablet(*m_root) != nullptr)
      m_rebinding.MarkChanged();
    return;
  }
  const auto count = static_cast<std::int16_t>(m_tablet->GetSubGroupCount(kSubGroupMain) - 1);
  if (count != m_toolCount) {
    FindTools(false);
    m_toolCount = count;
    // An open tab left without a tool takes one that has arrived.
    if (m_currentTool == nullptr && !m_rebinding.Pending()) BindOpenTabView();
  }
}
