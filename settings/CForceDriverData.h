#pragma once

#include "settings/CDriverData.h"

// An item that is written on every write, even when the driver already holds
// its value.
class CForceDriverData : public CDriverData {
 public:
  explicit CForceDriverData(DataType type);
};
