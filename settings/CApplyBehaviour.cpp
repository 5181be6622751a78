#include "settings/CApplyBehaviour.h"

#include "protocol/StDriverPacket.h"
#include "settings/CDriverData.h"

// Changes wait in the current value until Apply.
Status CApplyBehaviour::OnSet(CDriverData& /*item*/) { return kStatusOk; }

Status CApplyBehaviour::OnRevert(CDriverData& /*item*/) { return kStatusOk; }

Status CApplyBehaviour::OnDefault(CDriverData& /*item*/) { return kStatusOk; }

// The applied value becomes the new baseline, so a later Cancel keeps it.
Status CApplyBehaviour::OnApply(CDriverData& item) {
  KELVO_TRY(item.WriteIfChanged(WriteMode::kIfChanged));
  return item.Commit();
}

Status CApplyBehaviour::Read(CDriverData& item) { return item.RequestIntoDriverValue(kCommandGet); }

Status CApplyBehaviour::ReadDefault(CDriverData& item) {
  return item.RequestIntoDriverValue(kCommandGetDefault);
}
