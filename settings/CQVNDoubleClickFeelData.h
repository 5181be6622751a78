#pragma once

#include "settings/CDoubleClickFeelData.h"

// The double-click slider of tools of type code 42: its own rows.
class CQVNDoubleClickFeelData : public CDoubleClickFeelData {
 public:
  CQVNDoubleClickFeelData();
  ~CQVNDoubleClickFeelData() override;
};
