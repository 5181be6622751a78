#include "views/CSuperView.h"

#include <algorithm>

CSuperView::CSuperView(std::uint32_t controlId) : m_controlId(controlId) {}

CSuperView::~CSuperView() = default;

ViewResult CSuperView::Dispatch(ViewRequest& request) {
  for (StChildEntry& entry : m_children) {
    if (LowWord(entry.view->Dispatch(request)) == kStatusHandled) return kStatusHandled;
  }
  return kStatusOk;
}

ViewResult CSuperView::Perform(ViewRequest& request) {
  ViewResult flags = 0;
  for (StChildEntry& entry : m_children) {
    const ViewResult result = entry.view->Perform(request);
    if (IsStatusResult(result)) return result;
    flags |= result;
    if ((flags & kResultOwned) != 0) break;
  }
  return flags;
}

ViewResult CSuperView::CanAttach(CDataGrouping* data, std::int32_t index) {
  if (ResolveViewData(data, index) != nullptr) {
    DropStatus(NotifyControlState(m_controlId, kControlShow),
               "a window without this control has nothing to show; the view's answer stands");
    return kStatusOk;
  }
  DropStatus(NotifyControlState(m_controlId, kControlHide),
             "a window without this control has nothing to show; the view's answer stands");
  return kStatusNotFound;
}

ViewResult CSuperView::Attach(CDataGrouping* data, std::int32_t index) {
  m_data = ResolveViewData(data, index);
  for (StChildEntry& entry : m_children) {
    CDataGrouping* childData = m_data;
    if (entry.selector != nullptr && childData != nullptr) {
      childData = entry.selector(childData, entry.argument);
    }
    if (entry.view->CanAttach(childData, entry.index) == kStatusOk) {
      DropStatus(entry.view->Attach(childData, entry.index),
                 "a child that cannot attach stays empty; its siblings still attach");
    }
  }
  return kStatusOk;
}

ViewResult CSuperView::Detach() {
  for (StChildEntry& entry : m_children)
    DropStatus(entry.view->Detach(), "every child lets go whatever one of them answers");
  m_data = nullptr;
  return kStatusOk;
}

ViewResult CSuperView::SetStateAndNotify(std::uint32_t state) {
  if (state == m_state) return kStatusOk;
  m_state = state;
  const std::uint32_t code = StateChangeCode(state);
  if (code == 0) return kStatusOk;
  return NotifyControlState(m_controlId, code);
}

Status CSuperView::Build() { return kStatusOk; }

Status CSuperView::AddView(std::unique_ptr<CKelvoView> view, std::int32_t index,
                           ViewSelector selector, std::uint32_t argument) {
  if (!view) return kStatusNullPointer;
  m_children.push_back(StChildEntry{std::move(view), index, selector, argument});
  return kStatusOk;
}

Status CSuperView::RemoveView(CKelvoView* view, std::unique_ptr<CKelvoView>& removed) {
  const auto found = std::find_if(m_children.begin(), m_children.end(),
                                  [view](const StChildEntry& entry) { return entry.view.get() == view; });
  if (found == m_children.end()) return kStatusNoChild;
  removed = std::move(found->view);
  m_children.erase(found);
  return kStatusOk;
}

CKelvoView* CSuperView::ViewAt(std::size_t position) const {
  return position < m_children.size() ? m_children[position].view.get() : nullptr;
}

CKelvoView* CSuperView::FindView(std::uint32_t controlId) const {
  for (const StChildEntry& entry : m_children) {
    if (entry.view->GetControlId() == controlId) return entry.view.get();
  }
  return nullptr;
}

std::size_t CSuperView::Count() const { return m_children.size(); }

bool CSuperView::Contains(const CKelvoView* view) const { return IndexOf(view) >= 0; }

std::int32_t CSuperView::IndexOf(const CKelvoView* view) const {
  for (std::size_t i = 0; i < m_children.size(); ++i) {
    if (m_children[i].view.get() == view) return static_cast<std::int32_t>(i);
  }
  return -1;
}
