#include "model/CDriverLink.h"

#include "driver/CDataKey.h"
#include "driver/CWinDriverInterface.h"
#include "model/CDriverObject.h"
#include "model/ModelCodes.h"
#include "services/CDriverInterface.h"
#include "services/CEventTranslator.h"
#include "services/CObjectFactory.h"
#include "services/CStringManager.h"
#include "services/CWinObjectFactory.h"
#include "settings/CBehaviour.h"
#include "settings/MakeNoThrow.h"

namespace {

// What a started link holds besides the driver object.
struct StDriverLinkHolder {
  std::unique_ptr<CLinkedView> upperView;
};

std::unique_ptr<StDriverLinkHolder> g_holder;
std::unique_ptr<CDriverObject> g_driverObject;

Status InstallRoutines(const StDriverLinkStart& start) {
  CEventTranslator* translator = GetEventTranslator();
  if (translator == nullptr) return kStatusOutOfMemory;
  // A translator of another kind (a test's) routes on its own.
  if (auto* windows = dynamic_cast<CWinEventTranslator*>(translator); windows != nullptr)
    KELVO_TRY(windows->InstallRoutine(start.notify));
  CStringManager* strings = GetStringManager();
  if (strings == nullptr) return kStatusOutOfMemory;
  if (auto* windows = dynamic_cast<CWinStringManager*>(strings); windows != nullptr)
    KELVO_TRY(windows->InstallRoutine(start.strings));
  return kStatusOk;
}

}  // namespace

CLinkedView::~CLinkedView() = default;

Status StartDriverLink(const StDriverLinkStart& start) {
  CWinObjectFactory::SetDriverInterfaceMaker(&CWinDriverInterface::Make);
  KELVO_TRY(InstallRoutines(start));

  g_holder = MakeNoThrow<StDriverLinkHolder>();
  if (!g_holder) return kStatusOutOfMemory;

  std::unique_ptr<CModelFactory> factory;
  if (start.makeModelFactory) factory = start.makeModelFactory();
  g_driverObject = MakeNoThrow<CDriverObject>(std::move(factory));
  if (!g_driverObject) return kStatusOutOfMemory;

  KELVO_TRY(g_driverObject->SetKey(CDataKey()));

  if (start.makeUpperView) g_holder->upperView = start.makeUpperView();
  if (!g_holder->upperView) return kStatusOutOfMemory;
  KELVO_TRY(g_holder->upperView->Attach(*g_driverObject, -1));

  if (g_driverObject->GetSubGroupCount(kSubGroupMain) == 0) {
    g_holder->upperView->ShowNoTablet();
    return kStatusNoTablet;
  }
  return kStatusOk;
}

void StopDriverLink() {
  if (g_holder) {
    if (g_holder->upperView) g_holder->upperView->Detach();
    g_driverObject.reset();
    g_holder->upperView.reset();
    // Every item is gone with the driver object; the behaviours can follow.
    ReleaseBehaviour(BehaviourKind::kLive);
    ReleaseBehaviour(BehaviourKind::kApply);
    ReleaseBehaviour(BehaviourKind::kNoDriver);
    ReleaseDriverInterface();
    ReleaseStringManager();
    ReleaseObjectFactory();
    g_holder.reset();
  }
  ReleaseEventTranslator();
}

CDriverObject* GetDriverObject() { return g_driverObject.get(); }

CLinkedView* GetUpperView() { return g_holder ? g_holder->upperView.get() : nullptr; }
