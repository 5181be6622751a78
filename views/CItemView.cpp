#include "views/CItemView.h"

#include <cstring>
#include <new>

#include "settings/CDataGrouping.h"
#include "settings/CDriverData.h"

namespace {

// Owned byte buffers come from here so that a failure reads as 0x101.
std::unique_ptr<std::uint8_t[]> AllocateBytes(std::size_t count) {
  return std::unique_ptr<std::uint8_t[]>(new (std::nothrow) std::uint8_t[count]);
}

std::uint32_t LoadU32(const void* data) {
  std::uint32_t value = 0;
  std::memcpy(&value, data, sizeof value);
  return value;
}

void StoreU32(void* data, std::uint32_t value) { std::memcpy(data, &value, sizeof value); }

}  // namespace

CItemView::CItemView(std::uint32_t controlId, ItemId itemId, std::uint32_t valueType)
    : m_controlId(controlId), m_itemId(itemId), m_valueType(valueType) {}

ViewResult CItemView::Dispatch(ViewRequest& request) {
  const ViewResult result = Perform(request);
  if (IsStatusResult(result) || LowWord(result) == 0) return result;
  if (const std::uint32_t code = result & kResultStateMask; code != 0) {
    DropStatus(NotifyControlState(m_controlId, code),
               "a window without this control has nothing to show; the view's answer stands");
  }
  if ((result & kResultValueChanged) != 0) {
    DropStatus(NotifyControlState(m_controlId, kControlRedisplay),
               "a window without this control has nothing to show; the view's answer stands");
  }
  return (result & kResultOwned) != 0 ? kStatusHandled : kStatusOk;
}

ViewResult CItemView::Perform(ViewRequest& request) {
  ViewResult result = 0;
  if (m_item != nullptr && IsForThisView(request)) result = PerformOnItem(request);
  if (request.controlId == m_controlId && LowWord(result) == 0) result = kStatusHandled;
  return result;
}

ViewResult CItemView::PerformOnItem(ViewRequest& request) {
  switch (request.operation) {
    case kViewGet: {
      if (request.data == nullptr) return kStatusOk;
      if (m_valueType == kValueByte || m_valueType == kValueWord) {
        std::uint32_t value = 0;
        const Status status =
            ReadItem(&value, m_valueType == kValueByte ? sizeof(std::uint8_t) : sizeof(std::uint16_t));
        StoreU32(request.data, value);
        return status;
      }
      return m_item->Get(request.data);
    }
    case kViewSet: {
      if (request.data == nullptr) return kStatusOk;
      const std::uint32_t wide = m_valueType == kValueByte || m_valueType == kValueWord
                                     ? LoadU32(request.data)
                                     : 0;
      if (m_valueType == kValueByte) {
        const auto narrow = static_cast<std::uint8_t>(wide);
        return m_item->Set(&narrow);
      }
      if (m_valueType == kValueWord) {
        const auto narrow = static_cast<std::uint16_t>(wide);
        return m_item->Set(&narrow);
      }
      return m_item->Set(request.data);
    }
    case kViewRevert:
      m_dirty = true;
      return m_item->Revert();
    case kViewDefault:
      m_dirty = true;
      return m_item->SetDefault();
    case kViewCommit:
      return m_item->Commit();
    case kViewApply:
      return m_item->Apply();
    case kViewRefresh:
      return Refresh(request);
    default:
      return kStatusNoItem;
  }
}

ViewResult CItemView::Refresh(const ViewRequest& request) {
  ViewResult result = 0;
  bool changed = false;
  if (m_item->Refresh(changed, this) != kStatusOk) {
    result = SetState(m_unavailableState);
  } else {
    if (m_dirty || changed || m_state == kStateUnknown) {
      result = SetState(MatchesReference() ? m_matchState : kStateShown);
    }
    if (m_dirty || changed) result |= kResultValueChanged;
  }
  m_dirty = false;
  if (request.controlId == m_controlId) result |= kResultOwned;
  return result;
}

bool CItemView::MatchesReference() {
  if (m_referenceLength == 0 || !m_reference) return false;
  if (ReadItem(m_scratch.get(), m_referenceLength) != kStatusOk) return true;
  const int order = std::memcmp(m_scratch.get(), m_reference.get(), m_referenceLength);
  if (m_comparisonMode == 0) return order == 0;
  const std::uint32_t outcome = order == 0 ? kExcludeEqual : order > 0 ? kExcludeGreater : kExcludeLess;
  return (m_comparisonMode & outcome) == 0;
}

Status CItemView::ReadItem(void* out, std::size_t capacity) {
  std::memset(out, 0, capacity);
  const std::size_t size = m_item->GetSize();
  if (size <= capacity) return m_item->Get(out);
  // The item's value is larger than the caller's room: read it whole first.
  std::unique_ptr<std::uint8_t[]> whole = AllocateBytes(size);
  if (!whole) return kStatusOutOfMemory;
  const Status status = m_item->Get(whole.get());
  std::memcpy(out, whole.get(), capacity);
  return status;
}

ViewResult CItemView::CanAttach(CDataGrouping* data, std::int32_t /*index*/) {
  return data != nullptr ? kStatusOk : kStatusNoChild;
}

ViewResult CItemView::Attach(CDataGrouping* data, std::int32_t index) {
  CDataGrouping* grouping = ResolveViewData(data, index);
  CDriverData* item = nullptr;
  if (grouping != nullptr && m_itemId != 0) {
    const Status status = grouping->GetItem(m_itemId, item);
    // An id the grouping does not have leaves the view unbound; any other
    // failure keeps the binding it had.
    if (status == kStatusNoItem) {
      item = nullptr;
    } else if (status != kStatusOk) {
      return status;
    }
  }
  m_item = item;
  if (m_item != nullptr) m_valueType = static_cast<std::uint32_t>(m_item->GetType());
  m_dirty = true;
  DropStatus(SetStateAndNotify(kStateUnknown),
             "state 3 notifies nothing; it only forces the next evaluation to");
  return kStatusOk;
}

ViewResult CItemView::Detach() { return Attach(nullptr, kSameData); }

ViewResult CItemView::SetStateAndNotify(std::uint32_t state) {
  const std::uint32_t code = SetState(state);
  if (code == 0) return kStatusOk;
  return NotifyControlState(m_controlId, code);
}

Status CItemView::Build() { return kStatusOk; }

Status CItemView::SetReference(const void* bytes, std::uint8_t length, std::uint32_t mode) {
  m_comparisonMode = mode;
  if (m_reference && m_referenceLength != length) {
    m_reference.reset();
    m_scratch.reset();
    m_referenceLength = 0;
  }
  if (!m_reference && bytes != nullptr && length != 0) {
    std::unique_ptr<std::uint8_t[]> reference = AllocateBytes(length);
    std::unique_ptr<std::uint8_t[]> scratch = AllocateBytes(length);
    if (!reference || !scratch) return kStatusOutOfMemory;
    m_reference = std::move(reference);
    m_scratch = std::move(scratch);
    m_referenceLength = length;
  }
  if (m_reference && bytes != nullptr && m_referenceLength == length) {
    std::memcpy(m_reference.get(), bytes, length);
  }
  return kStatusOk;
}

Status CItemView::SetStates(std::uint32_t unavailableState, std::uint32_t matchState) {
  m_unavailableState = unavailableState;
  m_matchState = matchState;
  return kStatusOk;
}

std::uint32_t CItemView::SetState(std::uint32_t state) {
  if (state == m_state) return 0;
  m_state = state;
  return StateChangeCode(state);
}
