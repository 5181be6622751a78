#include "views/CListSuperView.h"

#include <vector>

#include "settings/CDataGrouping.h"
#include "settings/CDriverData.h"
#include "views/ControlIds.h"

CListSuperView::CListSuperView(std::uint32_t controlId, std::uint32_t entryControlId,
                               std::uint32_t selectionId, std::uint32_t companionId)
    : CSuperView(controlId),
      m_entryControlId(entryControlId),
      m_selectionId(selectionId),
      m_companionId(companionId) {}

CListSuperView::~CListSuperView() = default;

CListSuperView* CListSuperView::EntryAt(std::size_t position) const {
  return dynamic_cast<CListSuperView*>(ViewAt(position));
}

ViewResult CListSuperView::Dispatch(ViewRequest& request) {
  if (request.controlId == 0) return kStatusOk;
  if (m_isEntry) return CSuperView::Dispatch(request);
  if (m_pendingDialog != 0 && request.controlId == m_pendingDialog &&
      (request.operation == kViewRevert || request.operation == kViewApply)) {
    m_pendingDialog = 0;
    ViewRequest closed{request.operation, kBroadcastId, request.data};
    const ViewResult result = OnDialogClosed(closed);
    DropStatus(SendViewRequest(kViewRefresh, kBroadcastId), "the list shows what the dialog left");
    return result;
  }
  ViewResult result = kStatusOk;
  if (request.controlId == GetControlId() || request.controlId == m_entryControlId) {
    result = HandleOwnRequest(request);
  } else if (request.controlId == kBroadcastId) {
    result = RefreshEntries(request);
  } else if (m_selectionId != 0 && request.controlId == m_selectionId) {
    std::uint32_t key = 0;
    DropStatus(ResultStatus(GetEntry(kListByKey, &key)), "no selection selects key 0");
    result = OnSelect(key);
  } else if (m_companionId != 0 && request.controlId == m_companionId) {
    result = OnCompanion(m_companionId);
  }
  if (request.operation != kViewGet && m_changed != 0) {
    m_changed = 0;
    DropStatus(NotifyControlState(GetControlId(), kControlRedisplay), "a window may show no list");
  }
  if (LowWord(result) != kStatusHandled && request.controlId != m_entryControlId && m_selectionView)
    return m_selectionView->Dispatch(request);
  return result;
}

ViewResult CListSuperView::HandleOwnRequest(ViewRequest& request) {
  switch (request.operation) {
    case kViewGet:
    case kViewSet: {
      auto* forward = static_cast<StListForward*>(request.data);
      if (forward == nullptr) return kStatusNullPointer;
      return request.operation == kViewGet ? ForwardGet(forward->list, forward->mode, forward->data)
                                           : ForwardSet(forward->list, forward->mode, forward->data);
    }
    case kViewRevert:
    case kViewCommit:
    case kViewDefault:
    case kViewRefresh:
    case kViewApply: return RefreshEntries(request);
    case ListRequest::kCount: {
      auto* count = static_cast<StListCount*>(request.data);
      if (count == nullptr) return kStatusNullPointer;
      CListSuperView* list = FindList(count->list);
      count->count = list != nullptr ? static_cast<std::uint32_t>(list->EntryCount()) : 0;
      return kStatusHandled;
    }
    case ListRequest::kEntryAt: {
      auto* at = static_cast<StListEntryAt*>(request.data);
      if (at == nullptr) return kStatusNullPointer;
      CListSuperView* list = FindList(at->list);
      at->entry = list != nullptr ? list->EntryAt(at->index) : nullptr;
      return kStatusHandled;
    }
    case ListRequest::kMove: {
      const auto* move = static_cast<const StListMove*>(request.data);
      return move != nullptr ? MoveEntry(*move) : ViewResult{kStatusNullPointer};
    }
    case ListRequest::kCompanion:
    case ListRequest::kSelect: {
      const auto* word = static_cast<const std::uint32_t*>(request.data);
      if (word == nullptr) return kStatusNullPointer;
      return request.operation == ListRequest::kCompanion ? OnCompanion(*word) : OnSelect(*word);
    }
    default: return kStatusNoItem;
  }
}

ViewResult CListSuperView::Attach(CDataGrouping* data, std::int32_t index) {
  const ViewResult result = CSuperView::Attach(data, index);
  if (m_selectionView && m_selectionView->CanAttach(GetData(), kSameData) == kStatusOk)
    DropStatus(ResultStatus(m_selectionView->Attach(GetData(), kSameData)), "shown unbound");
  return result;
}

ViewResult CListSuperView::Detach() {
  if (m_selectionView) DropStatus(ResultStatus(m_selectionView->Detach()), "detached either way");
  return CSuperView::Detach();
}

ViewResult CListSuperView::OnDialogClosed(ViewRequest& /*request*/) { return kStatusNotSupported; }

Status CListSuperView::SyncEntries() {
  CDataGrouping* data = GetData();
  const std::int32_t wanted = data->GetSubGroupCount(kViewSubGroupKind);
  while (static_cast<std::int32_t>(EntryCount()) < wanted) {
    std::unique_ptr<CListSuperView> entry;
    KELVO_TRY(CreateEntry(entry));
    if (!entry) return kStatusOutOfMemory;
    entry->MakeEntry();
    entry->m_entryControlId = m_entryControlId;
    entry->m_parent = this;
    const auto index = static_cast<std::int32_t>(EntryCount());
    entry->m_entryIndex = index;
    CListSuperView* added = entry.get();
    KELVO_TRY(AddView(std::move(entry), index));
    DropStatus(ResultStatus(added->Attach(data, index)), "an entry without data shows nothing");
    m_changed = 1;
  }
  while (static_cast<std::int32_t>(EntryCount()) > wanted) {
    std::unique_ptr<CKelvoView> removed;
    KELVO_TRY(RemoveView(ViewAt(EntryCount() - 1), removed));
    DropStatus(ResultStatus(removed->Detach()), "the entry goes");
    m_changed = 1;
  }
  return kStatusOk;
}

ViewResult CListSuperView::RefreshEntries(ViewRequest& request) {
  ViewResult result = kStatusOk;
  if (m_isEntry) {
    result = Perform(request);
    if (!IsStatusResult(result) && (result & kResultValueChanged) != 0) m_changed = 1;
    if (IsStatusResult(result)) return result;
    result = kStatusOk;
  } else if (GetData() != nullptr) {
    KELVO_TRY(SyncEntries());
  }
  for (std::size_t i = 0; i < EntryCount(); ++i) {
    CListSuperView* entry = EntryAt(i);
    if (entry == nullptr) continue;
    const ViewResult entryResult = entry->RefreshEntries(request);
    if (LowWord(result) == kStatusOk && IsStatusResult(entryResult)) result = entryResult;
  }
  if (m_isEntry && m_parent != nullptr && m_changed != 0) {
    m_parent->m_changed = 1;
    m_changed = 0;
  }
  if (LowWord(result) == kStatusOk && request.controlId == GetControlId()) return kStatusHandled;
  return result;
}

CListSuperView* CListSuperView::FindList(CListSuperView* list) {
  if (list == nullptr || list == this) return this;
  for (std::size_t i = 0; i < EntryCount(); ++i) {
    CListSuperView* entry = EntryAt(i);
    if (entry == nullptr) continue;
    if (entry == list) return entry;
    // Only a hit ends the search; an entry that lacks the list is passed by.
    if (CListSuperView* found = entry->FindList(list); found != nullptr) return found;
  }
  return nullptr;
}

CListSuperView* CListSuperView::FindHolder(const CListSuperView* entry) {
  for (std::size_t i = 0; i < EntryCount(); ++i) {
    CListSuperView* own = EntryAt(i);
    if (own == nullptr) continue;
    if (own == entry) return this;
    if (CListSuperView* found = own->FindHolder(entry)) return found;
  }
  return nullptr;
}

CListSuperView* CListSuperView::FindByKey(std::uint32_t key) {
  for (std::size_t i = 0; i < EntryCount(); ++i) {
    CListSuperView* entry = EntryAt(i);
    if (entry == nullptr) continue;
    std::uint32_t entryKey = 0;
    if (entry->EntryKey(entryKey) == kStatusOk && entryKey == key) return entry;
    if (CListSuperView* found = entry->FindByKey(key)) return found;
  }
  return nullptr;
}

ViewResult CListSuperView::ForwardGet(CListSuperView* list, std::uint32_t mode, void* out) {
  CListSuperView* target = FindList(list);
  return target != nullptr ? target->GetEntry(mode, out) : ViewResult{kStatusNoChild};
}

ViewResult CListSuperView::ForwardSet(CListSuperView* list, std::uint32_t mode, void* data) {
  CListSuperView* target = FindList(list);
  return target != nullptr ? target->SelectEntry(mode, data) : ViewResult{kStatusNoChild};
}

ViewResult CListSuperView::OnCompanion(std::uint32_t /*id*/) { return kStatusNotSupported; }

ViewResult CListSuperView::OnSelect(std::uint32_t /*key*/) { return kStatusNotSupported; }

bool CListSuperView::IsEntryHandle(const CListSuperView* /*entry*/) const { return false; }

Status CListSuperView::EntryKey(std::uint32_t& /*key*/) const { return kStatusNoChild; }

ViewResult CListSuperView::GetEntry(std::uint32_t mode, void* out) {
  if (mode != kListByKey || out == nullptr) return kStatusNoChild;
  if (GetData() == nullptr) return kStatusNoChild;
  CDriverData* item = nullptr;
  KELVO_TRY(GetData()->GetItem(kListSelectionItem, item));
  std::uint16_t index = 0;
  KELVO_TRY(item->Get(&index));
  CListSuperView* entry = EntryAt(index);
  if (entry == nullptr) return kStatusNoChild;
  std::uint32_t key = 0;
  KELVO_TRY(entry->EntryKey(key));
  *static_cast<std::uint32_t*>(out) = key;
  return kStatusHandled;
}

ViewResult CListSuperView::SelectEntry(std::uint32_t mode, void* data) {
  if (mode != kListByKey || data == nullptr || GetData() == nullptr) return kStatusNoChild;
  const std::uint32_t key = *static_cast<const std::uint32_t*>(data);
  CListSuperView* entry = FindByKey(key);
  CListSuperView* holder = entry != nullptr ? FindHolder(entry) : nullptr;
  const std::int32_t position = holder != nullptr ? holder->IndexOf(entry) : -1;
  CDriverData* item = nullptr;
  KELVO_TRY(GetData()->GetItem(kListSelectionItem, item));
  const auto index = static_cast<std::uint16_t>(position < 0 ? 0 : position);
  KELVO_TRY(item->Set(&index));
  m_currentKey = key;
  if (m_selectionId != 0) {
    DropStatus(NotifyControlState(m_selectionId, IsEntryHandle(entry) ? kControlShowDisabled : kControlShow),
               "a window may show no selection control");
  }
  if (m_selectionView) {
    DropStatus(ResultStatus(m_selectionView->Detach()), "attached again below");
    DropStatus(ResultStatus(m_selectionView->Attach(GetData(), kSameData)), "shown unbound");
  }
  ViewRequest refresh{kViewRefresh, kBroadcastId, nullptr};
  DropStatus(ResultStatus(Dispatch(refresh)), "refreshed for the new selection");
  return kStatusHandled;
}

ViewResult CListSuperView::MoveEntry(const StListMove& move) {
  CListSuperView* holder = move.entry != nullptr ? FindHolder(move.entry) : nullptr;
  if (holder == nullptr || holder != FindHolder(move.target) || move.entry == move.target)
    return kStatusNotSupported;
  // Take every entry out and put them back in the new order.
  std::vector<std::unique_ptr<CKelvoView>> order;
  std::unique_ptr<CKelvoView> moving;
  while (holder->EntryCount() > 0) {
    std::unique_ptr<CKelvoView> taken;
    KELVO_TRY(holder->RemoveView(holder->ViewAt(0), taken));
    if (taken.get() == move.entry) {
      moving = std::move(taken);
    } else {
      order.push_back(std::move(taken));
    }
  }
  for (std::size_t i = 0; i < order.size(); ++i) {
    if (order[i].get() != move.target) continue;
    order.insert(order.begin() + static_cast<std::ptrdiff_t>(move.where == 1 ? i + 1 : i), std::move(moving));
    break;
  }
  for (std::unique_ptr<CKelvoView>& view : order) {
    auto* entry = static_cast<CListSuperView*>(view.get());
    KELVO_TRY(holder->AddView(std::move(view), entry->m_entryIndex));
  }
  holder->m_changed = 1;
  ViewRequest refresh{kViewRefresh, kBroadcastId, nullptr};
  DropStatus(ResultStatus(Dispatch(refresh)), "the list is redrawn");
  ViewRequest commit{kViewCommit, kBroadcastId, nullptr};
  DropStatus(ResultStatus(Dispatch(commit)), "the new order is kept");
  return kStatusHandled;
}
