#include "views/info/CTabletVersionView.h"

#include <cstdio>

Status CTabletVersionView::WriteText(char* text) {
  std::uint8_t record[5] = {};
  KELVO_TRY(ReadItem(record, sizeof record));
  std::snprintf(text, kInfoTextCapacity, "%d.%d%d", record[0], record[1], record[2]);
  return kStatusOk;
}
