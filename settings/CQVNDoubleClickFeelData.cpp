#include "settings/CQVNDoubleClickFeelData.h"

CQVNDoubleClickFeelData::CQVNDoubleClickFeelData() : CDoubleClickFeelData(kDoubleClickQVN) {}

CQVNDoubleClickFeelData::~CQVNDoubleClickFeelData() = default;
