#include "host/upperview/CUpperViewLink.h"

#include "model/CDriverObject.h"
#include "views/ViewCreation.h"

Status CUpperViewLink::Attach(CDriverObject& driverObject, std::int32_t index) {
  return ResultStatus(m_view->Attach(&driverObject, index));
}

void CUpperViewLink::Detach() {
  DropStatus(m_view->Detach(), "the view lets go either way");
}

std::unique_ptr<CLinkedView> CUpperViewLink::Make() {
  std::unique_ptr<CUpperView> view;
  if (MakeView(view) != kStatusOk || view->Build() != kStatusOk) return nullptr;
  return MakeNoThrow<CUpperViewLink>(std::move(view));
}
