#include "settings/CLiveBehaviour.h"

#include "protocol/StDriverPacket.h"
#include "settings/CDriverData.h"

Status CLiveBehaviour::OnSet(CDriverData& item) { return item.WriteIfChanged(WriteMode::kIfChanged); }

Status CLiveBehaviour::OnRevert(CDriverData& item) {
  return item.WriteIfChanged(WriteMode::kIfChanged);
}

Status CLiveBehaviour::OnDefault(CDriverData& item) {
  return item.WriteIfChanged(WriteMode::kIfChanged);
}

// Live items never hold a pending change, so there is nothing to apply.
Status CLiveBehaviour::OnApply(CDriverData& /*item*/) { return kStatusOk; }

Status CLiveBehaviour::Read(CDriverData& item) { return item.RequestIntoDriverValue(kCommandGet); }

Status CLiveBehaviour::ReadDefault(CDriverData& item) {
  return item.RequestIntoDriverValue(kCommandGetDefault);
}
