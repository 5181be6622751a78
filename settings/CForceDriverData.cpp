#include "settings/CForceDriverData.h"

CForceDriverData::CForceDriverData(DataType type) : CDriverData(type) { SetAlwaysWrite(); }
