#include "support/CRecordingEventTranslator.h"

#include <memory>
#include <new>

#include "services/CDriverInterface.h"
#include "services/CObjectFactory.h"
#include "services/CStringManager.h"

namespace {

class CRecordingFactory : public CObjectFactory {
 public:
  std::unique_ptr<CDriverInterface> MakeDriverInterface() override { return nullptr; }
  std::unique_ptr<CEventTranslator> MakeEventTranslator() override {
    return std::unique_ptr<CEventTranslator>(new (std::nothrow) CRecordingEventTranslator());
  }
  std::unique_ptr<CStringManager> MakeStringManager() override { return nullptr; }
};

}  // namespace

Status CRecordingEventTranslator::Notify(std::uint32_t controlNumber, std::uint32_t reason) {
  m_changes.push_back(StStateChange{controlNumber, reason});
  const auto answer = m_answers.find(controlNumber);
  return answer != m_answers.end() ? answer->second : kStatusOk;
}

std::vector<CRecordingEventTranslator::StStateChange> CRecordingEventTranslator::TakeChanges() {
  std::vector<StStateChange> taken;
  taken.swap(m_changes);
  return taken;
}

CRecordingEventTranslator* CRecordingEventTranslator::Install() {
  ReleaseEventTranslator();
  InstallObjectFactory(std::unique_ptr<CObjectFactory>(new (std::nothrow) CRecordingFactory()));
  return dynamic_cast<CRecordingEventTranslator*>(GetEventTranslator());
}

void CRecordingEventTranslator::Uninstall() {
  ReleaseEventTranslator();
  ReleaseObjectFactory();
}
