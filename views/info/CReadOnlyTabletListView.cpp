#include "views/info/CReadOnlyTabletListView.h"

#include <cstring>

#include "model/ModelCodes.h"
#include "services/CStringManager.h"
#include "views/ControlIds.h"
#include "views/ViewCreation.h"
#include "views/info/InfoStrings.h"

namespace {

CReadOnlyTabletListView* g_registered = nullptr;

// A model that cannot be read names the entry as this one.
constexpr std::uint16_t kUnreadModel = 290;

}  // namespace

CReadOnlyTabletListView::CReadOnlyTabletListView(std::uint32_t controlId)
    : CListSuperView(controlId, ControlId::kTabletListEntry), m_strings(GetStringManager()) {}

CReadOnlyTabletListView::~CReadOnlyTabletListView() {
  if (g_registered == this) g_registered = nullptr;
}

CReadOnlyTabletListView* CReadOnlyTabletListView::Registered() { return g_registered; }

Status CReadOnlyTabletListView::Build() {
  KELVO_TRY(CListSuperView::Build());
  if (IsEntry()) return BuildEntry();
  g_registered = this;
  return kStatusOk;
}

Status CReadOnlyTabletListView::BuildEntry() {
  KELVO_TRY(AddItemView(*this, ControlId::kTabletListName, ItemId{kItemTabletName}));
  return AddItemView(*this, ControlId::kTabletListModel, ItemId{kItemModelCode}, {}, kValueLong);
}

Status CReadOnlyTabletListView::CreateEntry(std::unique_ptr<CListSuperView>& entry) {
  std::unique_ptr<CReadOnlyTabletListView> made;
  KELVO_TRY(MakeView(made, ControlId::kTabletListEntry));
  made->MakeEntry();
  if (const Status built = made->Build(); built != kStatusOk) return built;
  entry = std::move(made);
  return kStatusOk;
}

ViewResult CReadOnlyTabletListView::Attach(CDataGrouping* data, std::int32_t index) {
  // An entry is attached with its tablet's position: that is its key.
  if (IsEntry() && m_key < 0) m_key = index;
  return CListSuperView::Attach(data, index);
}

ViewResult CReadOnlyTabletListView::Dispatch(ViewRequest& request) {
  if (!IsEntry() && request.operation == kViewSet && request.controlId == GetControlId()) {
    // The data is the entry picked.
    const auto* picked = static_cast<const CKelvoView*>(request.data);
    if (picked == nullptr || IndexOf(picked) < 0) return kStatusNoChild;
    std::uint32_t key = 0;
    KELVO_TRY(static_cast<const CReadOnlyTabletListView*>(picked)->EntryKey(key));
    return SelectEntry(kListByKey, &key);
  }
  return CListSuperView::Dispatch(request);
}

std::uint16_t CReadOnlyTabletListView::ModelCode() {
  std::uint32_t model = kUnreadModel;
  ViewRequest get{kViewGet, ControlId::kTabletListModel, &model};
  if (LowWord(CSuperView::Dispatch(get)) != kStatusHandled) return kUnreadModel;
  return static_cast<std::uint16_t>(model);
}

ViewResult CReadOnlyTabletListView::GetEntry(std::uint32_t mode, void* out) {
  if (!IsEntry()) return CListSuperView::GetEntry(mode, out);
  if (out == nullptr) return kStatusNullPointer;
  switch (mode) {
    case kListByKey: return EntryKey(*static_cast<std::uint32_t*>(out)) == kStatusOk ? kStatusHandled : kStatusNoChild;
    case kTabletEntryName: {
      char* text = static_cast<char*>(out);
      text[0] = '\0';
      if (m_strings == nullptr) return kStatusHandled;
      DropStatus(m_strings->GetString(InfoStrings::kTabletModels, static_cast<std::uint16_t>(ModelCode() + 1), text),
                 "a model without a name shows the table's fallback");
      return kStatusHandled;
    }
    case kTabletEntryModel: {
      const std::uint16_t model = ModelCode();
      std::memcpy(out, &model, sizeof model);
      return kStatusHandled;
    }
    default: return kStatusMalformedPacket;
  }
}

ViewResult CReadOnlyTabletListView::SelectEntry(std::uint32_t mode, void* data) {
  if (!IsEntry()) return CListSuperView::SelectEntry(mode, data);
  if (data == nullptr) return kStatusNullPointer;
  if (mode != kListByKey) return mode == kTabletEntryName || mode == kTabletEntryModel ? kStatusNoChild : kStatusMalformedPacket;
  m_key = static_cast<std::int32_t>(*static_cast<const std::uint32_t*>(data));
  return kStatusHandled;
}

Status CReadOnlyTabletListView::EntryKey(std::uint32_t& key) const {
  if (!IsEntry() || m_key < 0) return kStatusNoChild;
  key = static_cast<std::uint32_t>(m_key);
  return kStatusOk;
}
