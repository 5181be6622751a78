#include "diagnostics/CDiagnosticSuperView.h"

#include <array>

#include "model/ModelCodes.h"
#include "settings/CDataGrouping.h"
#include "settings/CDriverData.h"
#include "views/CDisableItemView.h"
#include "views/CPercentItemView.h"
#include "views/CPromptItemView.h"
#include "views/ControlIds.h"
#include "views/ViewCreation.h"
#include "views/info/CDriverVersionView.h"
#include "views/info/CProximityItemView.h"
#include "views/info/CReadOnlyTabletListView.h"
#include "views/info/CSwitchStateItemView.h"
#include "views/info/CTabletNameItemView.h"
#include "views/info/CTabletVersionView.h"
#include "views/info/CToolNameItemView.h"
#include "views/info/CTransducerTypeItemView.h"

namespace {

namespace id = ControlId;

enum class FieldKind : std::uint8_t {
  kTabletVersion,
  kTabletName,
  kNumber,  // a CPromptItemView
  kProximity,
  kToolType,
  kPercent,
  kSwitches,
  kPromptOnly,  // the field itself is a special view; only its prompt is here
};

// One field and, when it has one, its prompt (the next control id), which is
// disabled or hidden with it.
struct StField {
  std::uint32_t control;
  bool prompt;
  std::int32_t item;
  FieldKind kind;
  std::uint32_t valueType;
  std::uint32_t format = kFormatUnsigned;
  std::uint32_t digits = 0;
};

// In the order the fields are created.
constexpr std::array<StField, 19> kFields{{
    {id::kTabletVersion, false, kItemTabletVersion, FieldKind::kTabletVersion, 0},
    {id::kTabletModel, false, kItemModelCode, FieldKind::kTabletName, kValueWord},
    {id::kTabletOemCode, false, kItemTabletOemCode, FieldKind::kNumber, kValueWord},
    {id::kTabletLeftTrackpad, true, kItemLeftTouchStrip, FieldKind::kNumber, kValueWord},
    {id::kTabletRightTrackpad, true, kItemRightTouchStrip, FieldKind::kNumber, kValueWord},
    {id::kTabletLeftButtons, true, kItemTabletLeftButtons, FieldKind::kSwitches, kValueWord},
    {id::kTabletRightButtons, true, kItemTabletRightButtons, FieldKind::kSwitches, kValueWord},
    {id::kDeviceProximity, false, kItemReportProximity, FieldKind::kProximity, kValueWord},
    {id::kDeviceNamePrompt, false, kItemToolName, FieldKind::kPromptOnly, kValueWord},
    {id::kDeviceType, true, kItemToolTypeCode, FieldKind::kToolType, kValueWord},
    {id::kDeviceSwitches, true, kItemReportSwitches, FieldKind::kSwitches, kValueLong},
    {id::kDevicePressure, true, kItemReportPressure, FieldKind::kPercent, kValueWord},
    {id::kDeviceRotation, true, kItemReportRotation, FieldKind::kNumber, kValueWord},
    {id::kDeviceSerialNumber, true, kItemToolSerial, FieldKind::kNumber, kValueLong, kFormatHex, 8},
    {id::kDeviceWheel, true, kItemReportWheel, FieldKind::kNumber, kValueWord, kFormatSigned},
    {id::kDeviceXData, true, kItemReportX, FieldKind::kNumber, kValueLong},
    {id::kDeviceYData, true, kItemReportY, FieldKind::kNumber, kValueLong},
    {id::kDeviceXTilt, true, kItemReportTiltX, FieldKind::kNumber, kValueWord, kFormatSigned},
    {id::kDeviceYTilt, true, kItemReportTiltY, FieldKind::kNumber, kValueWord, kFormatSigned},
}};

// Controls the dialog has and this driver does not fill: hidden while attached.
constexpr std::array<std::uint32_t, 7> kUnusedControls{
    id::kDeviceID,        id::kDeviceID + 1,           id::kDeviceDataRate,   id::kDeviceDataRate + 1,
    id::kDevicePressureOffset, id::kDevicePressureOffset + 1, id::kDiagnosticsHidden};

// A 16- or 32-bit value of an item of `data`, as it stands now.
Status ReadValue(CDataGrouping& data, ItemId itemId, std::uint32_t& value) {
  CDriverData* item = nullptr;
  value = 0;
  KELVO_TRY(data.GetItem(itemId, item));
  if (item == nullptr || item->GetSize() > sizeof value) return kStatusWrongSize;
  return item->Get(&value);
}

template <typename TView>
Status AddField(CSuperView& parent, const StField& field) {
  return AddItemView<TView>(parent, field.control, ItemId{field.item}, {}, field.valueType);
}

Status AddNumber(CSuperView& parent, const StField& field) {
  std::unique_ptr<CPromptItemView> view;
  KELVO_TRY(MakeView(view, field.control, ItemId{field.item}, field.valueType));
  KELVO_TRY(view->SetFormat(field.format));
  KELVO_TRY(view->SetMinimumDigits(field.digits));
  return parent.AddView(std::move(view));
}

Status AddFieldView(CSuperView& parent, const StField& field) {
  switch (field.kind) {
    case FieldKind::kTabletVersion: return AddField<CTabletVersionView>(parent, field);
    case FieldKind::kTabletName: return AddField<CTabletNameItemView>(parent, field);
    case FieldKind::kNumber: return AddNumber(parent, field);
    case FieldKind::kProximity: return AddField<CProximityItemView>(parent, field);
    case FieldKind::kToolType: return AddField<CTransducerTypeItemView>(parent, field);
    case FieldKind::kPercent: return AddField<CPercentItemView>(parent, field);
    case FieldKind::kSwitches: return AddField<CSwitchStateItemView>(parent, field);
    case FieldKind::kPromptOnly: return AddField<CDisableItemView>(parent, field);
  }
  return kStatusUnknown;
}

// The tool name view takes the tool group's text item.
constexpr std::uint32_t kToolNameValueType = 20;

}  // namespace

CDiagnosticSuperView::CDiagnosticSuperView(std::uint32_t controlId) : CDialogSuperView(controlId) {}

CDiagnosticSuperView::~CDiagnosticSuperView() = default;

Status CDiagnosticSuperView::Build() {
  KELVO_TRY(CDialogSuperView::Build());
  // The special views are owned here, not children: each is attached on its own.
  std::unique_ptr<CDriverVersionView> version;
  if (MakeView(version, id::kDriverVersion, ItemId{kItemDriverVersion}) == kStatusOk)
    m_driverVersion = std::move(version);
  std::unique_ptr<CToolNameItemView> toolName;
  if (MakeView(toolName, id::kDeviceName, ItemId{kItemToolNameShown}, kToolNameValueType) == kStatusOk)
    m_toolName = std::move(toolName);
  std::unique_ptr<CReadOnlyTabletListView> list;
  if (MakeView(list, id::kTabletComboBox) == kStatusOk && list->Build() == kStatusOk) m_tabletList = std::move(list);
  return BuildFields();
}

Status CDiagnosticSuperView::BuildFields() {
  // A field that cannot be made is left out; the others still show.
  for (const StField& field : kFields) {
    DropStatus(AddFieldView(*this, field), "a field that cannot be made stays blank");
    if (field.prompt)
      DropStatus(AddItemView<CDisableItemView>(*this, field.control + 1, ItemId{field.item}, {}, field.valueType),
                 "a prompt that cannot be made stays as it is");
  }
  return kStatusOk;
}

CKelvoView* CDiagnosticSuperView::FindView(std::uint32_t controlId) const {
  if (controlId == id::kDriverVersion) return m_driverVersion.get();
  if (controlId == id::kTabletComboBox) return m_tabletList.get();
  if (controlId == id::kDeviceName) return m_toolName.get();
  return CDialogSuperView::FindView(controlId);
}

ViewResult CDiagnosticSuperView::Attach(CDataGrouping* data, std::int32_t /*index*/) {
  m_root = data;
  if (data == nullptr) return kStatusNotFound;
  std::uint32_t selected = 0;
  KELVO_TRY(ReadValue(*data, ItemId{kItemSelected}, selected));
  m_selectedTablet = static_cast<std::int16_t>(selected);

  if (m_tabletList) {
    if (const ViewResult listed = m_tabletList->Attach(data, kSameData); LowWord(listed) != kStatusOk) return listed;
    // The list shows the selected tablet.
    ViewRequest refresh{kViewRefresh, id::kTabletComboBox, nullptr};
    DropStatus(ResultStatus(m_tabletList->Dispatch(refresh)), "an empty list shows nothing");
    if (m_selectedTablet >= 0) {
      ViewRequest pick{kViewSet, id::kTabletComboBox,
                       m_tabletList->ViewAt(static_cast<std::size_t>(m_selectedTablet))};
      DropStatus(ResultStatus(m_tabletList->Dispatch(pick)), "a tablet the list lacks is not shown");
    }
  }
  for (const std::uint32_t control : kUnusedControls)
    DropStatus(NotifyControlState(control, kControlHide), "the window may lack the control");

  if (m_driverVersion) {
    const ViewResult version = m_driverVersion->Attach(data, kSameData);
    if (LowWord(version) != kStatusOk) return version;
  }
  const ViewResult attached = CDialogSuperView::Attach(data, m_selectedTablet);
  // Only now does the window's list reach these views.
  if (LowWord(attached) == kStatusOk)
    DropStatus(NotifyControlState(id::kTabletComboBox, kControlRedisplay), "the window may lack the list");
  return attached;
}

ViewResult CDiagnosticSuperView::Detach() {
  for (std::size_t at = 0; CKelvoView* child = ViewAt(at); ++at)
    DropStatus(NotifyControlState(child->GetControlId(), kControlShow), "the window may lack the control");
  for (const std::uint32_t control : kUnusedControls)
    DropStatus(NotifyControlState(control, kControlShow), "the window may lack the control");
  const ViewResult result = CDialogSuperView::Detach();
  for (CKelvoView* special : {static_cast<CKelvoView*>(m_toolName.get()),
                              static_cast<CKelvoView*>(m_driverVersion.get()),
                              static_cast<CKelvoView*>(m_tabletList.get())})
    if (special != nullptr) DropStatus(ResultStatus(special->Detach()), "detaching lets go either way");
  return result;
}

void CDiagnosticSuperView::BindToolName() {
  CDataGrouping* tablet = GetData();
  if (!m_toolName || tablet == nullptr) return;
  std::uint32_t reported = 0;
  if (ReadValue(*tablet, ItemId{kItemToolSerial}, reported) != kStatusOk) return;
  DropStatus(ResultStatus(m_toolName->Detach()), "it is bound again below or stays hidden");
  DropStatus(ResultStatus(m_toolName->SetStateAndNotify(kStateHidden)), "the window may lack the control");
  // Group 0 is the tablet's own; the tool groups follow.
  const std::int32_t groups = tablet->GetSubGroupCount(kSubGroupMain);
  for (std::int32_t i = 1; i < groups; ++i) {
    CDataGrouping* group = tablet->GetSubGroup(i, kSubGroupMain);
    std::uint32_t serial = 0;
    if (group == nullptr || ReadValue(*group, ItemId{kItemToolSerial}, serial) != kStatusOk || serial != reported)
      continue;
    if (LowWord(m_toolName->Attach(group, kSameData)) == kStatusOk)
      DropStatus(ResultStatus(m_toolName->SetStateAndNotify(kStateShown)), "the window may lack the control");
    return;
  }
}

ViewResult CDiagnosticSuperView::PickTablet(const ViewRequest& request) {
  const std::int32_t position = m_tabletList->IndexOf(static_cast<const CKelvoView*>(request.data));
  if (position < 0) return kStatusOk;
  DropStatus(ResultStatus(CSuperView::Detach()), "the fields are attached again at once");
  m_selectedTablet = static_cast<std::int16_t>(position);
  DropStatus(ResultStatus(CSuperView::Attach(m_root, m_selectedTablet)), "a tablet gone meanwhile shows blank");
  return kStatusOk;
}

ViewResult CDiagnosticSuperView::Dispatch(ViewRequest& incoming) {
  // The dialog only reads: nothing to commit, and leaving it either way is
  // an Apply.
  if (incoming.operation == kViewCommit) return kStatusOk;
  ViewRequest request = incoming;
  if (request.operation == kViewRevert) request.operation = kViewApply;
  if (request.operation == kViewGet && request.controlId == id::kDeviceSerialNumber) BindToolName();

  ViewResult result = CDialogSuperView::Dispatch(request);
  if (LowWord(result) == kStatusHandled) return result;
  for (CKelvoView* special : {static_cast<CKelvoView*>(m_toolName.get()),
                              static_cast<CKelvoView*>(m_driverVersion.get()),
                              static_cast<CKelvoView*>(m_tabletList.get())}) {
    if (special == nullptr) continue;
    const ViewResult answer = special->Dispatch(request);
    if (LowWord(answer) != kStatusHandled) continue;
    if (special == m_tabletList.get() && request.operation == kViewSet) return PickTablet(request);
    return answer;
  }
  if (request.operation == kViewRefresh && m_toolName) {
    // The name is shown or hidden as the serial number is.
    if (const auto* serial = dynamic_cast<const CItemView*>(FindView(id::kDeviceSerialNumber)))
      DropStatus(ResultStatus(m_toolName->SetStateAndNotify(serial->GetState())), "the window may lack the control");
  }
  return result;
}
