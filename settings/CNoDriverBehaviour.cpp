#include "settings/CNoDriverBehaviour.h"

#include "settings/CDriverData.h"

// Nothing reaches the driver except through ForceWrite.
Status CNoDriverBehaviour::OnSet(CDriverData& /*item*/) { return kStatusOk; }

Status CNoDriverBehaviour::OnRevert(CDriverData& /*item*/) { return kStatusOk; }

Status CNoDriverBehaviour::OnDefault(CDriverData& /*item*/) { return kStatusOk; }

Status CNoDriverBehaviour::OnApply(CDriverData& /*item*/) { return kStatusOk; }

// Reads answer what the item itself last wrote: zero bytes until ForceWrite.
Status CNoDriverBehaviour::Read(CDriverData& item) {
  item.CopyLastWrittenToDriverValue();
  return kStatusOk;
}

Status CNoDriverBehaviour::ReadDefault(CDriverData& item) { return Read(item); }
