#include "model/CModelContext.h"

#include "model/CModelRemovalListener.h"

CModelContext::~CModelContext() = default;

void CModelContext::NotifyRemoving(const CDataGrouping& leaving) {
  if (m_removalListener != nullptr) m_removalListener->ModelObjectRemoving(leaving);
}
