#include "services/CEventTranslator.h"

#include "services/CObjectFactory.h"

namespace {

CEventTranslator* g_eventTranslator = nullptr;

}  // namespace

CEventTranslator::~CEventTranslator() {
  if (g_eventTranslator == this) g_eventTranslator = nullptr;
}

Status CEventTranslator::Forward(std::uint32_t operation, std::uint32_t controlId, void* data) {
  if (m_listener == nullptr) return kStatusUnknown;
  ViewRequest request{operation, controlId, data};
  const auto answer = static_cast<Status>(m_listener->HandleRequest(request) & 0xFFFFU);
  return answer == kStatusHandled ? kStatusOk : answer;
}

CRequestListener* CEventTranslator::SetListener(CRequestListener* listener) {
  CRequestListener* previous = m_listener;
  m_listener = listener;
  return previous;
}

CEventTranslator* GetEventTranslator() {
  if (g_eventTranslator != nullptr) return g_eventTranslator;
  CObjectFactory* factory = GetObjectFactory();
  if (factory == nullptr) return nullptr;
  std::unique_ptr<CEventTranslator> made = factory->MakeEventTranslator();
  if (!made || made->Open() != kStatusOk) return nullptr;
  g_eventTranslator = made.release();
  return g_eventTranslator;
}

void ReleaseEventTranslator() {
  delete g_eventTranslator;
  g_eventTranslator = nullptr;
}

Status ForwardViewRequest(std::uint32_t operation, std::uint32_t controlId, void* data) {
  CEventTranslator* translator = GetEventTranslator();
  if (translator == nullptr) return kStatusUnknown;
  return translator->Forward(operation, controlId, data);
}
