#pragma once

#include "settings/CCompositeData.h"
#include "settings/FeelTables.h"

// The double-click slider: a position (0 to 4, signed 32-bit) that writes
// one table row into three driver values of the tool at once (value A,
// value B and a switch), and reads back as the mean of where A and B fall
// between the rows.
class CDoubleClickFeelData : public CCompositeData {
 public:
  CDoubleClickFeelData();
  ~CDoubleClickFeelData() override;

  // None for any gives 0x102.
  [[nodiscard]] Status SetSources(CDriverData* valueA, CDriverData* valueB, CDriverData* onOff);

  [[nodiscard]] Status Get(void* out) override;
  // A position outside 0 to 4 writes row 0. Answers the switch's status,
  // else B's, else A's.
  [[nodiscard]] Status Set(const void* value) override;

 protected:
  explicit CDoubleClickFeelData(const DoubleClickTable& table);

 private:
  const DoubleClickTable* m_table;
};
