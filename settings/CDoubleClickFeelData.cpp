#include "settings/CDoubleClickFeelData.h"

#include <cstring>

namespace {

constexpr std::size_t kValueA = 0;
constexpr std::size_t kValueB = 1;
constexpr std::size_t kSwitch = 2;

// Halfway from row i to row i + 1, halved by integer division.
std::uint32_t Midpoint(std::uint32_t low, std::uint32_t high) {
  return low + (high - low) / 2;
}

}  // namespace

CDoubleClickFeelData::CDoubleClickFeelData() : CDoubleClickFeelData(kDoubleClickCommon) {}

CDoubleClickFeelData::CDoubleClickFeelData(const DoubleClickTable& table)
    : CCompositeData(DataType::kLong), m_table(&table) {}

CDoubleClickFeelData::~CDoubleClickFeelData() = default;

Status CDoubleClickFeelData::SetSources(CDriverData* valueA, CDriverData* valueB,
                                        CDriverData* onOff) {
  return AssignSources({valueA, valueB, onOff});
}

Status CDoubleClickFeelData::Get(void* out) {
  if (GetSourceCount() == 0) return GetMissingSourceStatus();
  std::uint8_t on = 0;
  std::uint32_t b = 0;
  std::uint32_t a = 0;
  DropStatus(ReadValue(*GetSource(kSwitch), &on, sizeof on), "unreadable reads as off");
  DropStatus(ReadValue(*GetSource(kValueB), &b, sizeof b), "unreadable reads as the first row");
  DropStatus(ReadValue(*GetSource(kValueA), &a, sizeof a), "unreadable reads as the first row");
  std::int32_t position = 0;
  if (on != 0) {
    const DoubleClickTable& rows = *m_table;
    std::int32_t iA = kDoubleClickPositions - 1;
    std::int32_t iB = kDoubleClickPositions - 1;
    for (std::int32_t i = kDoubleClickPositions - 2; i >= 0; --i) {
      const auto at = static_cast<std::size_t>(i);
      if (b < Midpoint(rows[at].b, rows[at + 1].b)) iB = i;
      if (a <= Midpoint(rows[at].a, rows[at + 1].a)) iA = i;
    }
    position = (iA + iB + 1) / 2;
  }
  std::memcpy(out, &position, sizeof position);
  return kStatusOk;
}

Status CDoubleClickFeelData::Set(const void* value) {
  if (GetSourceCount() == 0) return GetMissingSourceStatus();
  std::int32_t position = 0;
  std::memcpy(&position, value, sizeof position);
  if (position < 0 || position >= kDoubleClickPositions) position = 0;
  const StDoubleClickRow& row = (*m_table)[static_cast<std::size_t>(position)];
  const Status statusA = WriteValue(*GetSource(kValueA), &row.a, sizeof row.a);
  const Status statusB = WriteValue(*GetSource(kValueB), &row.b, sizeof row.b);
  const Status statusSwitch = WriteValue(*GetSource(kSwitch), &row.on, sizeof row.on);
  if (statusSwitch != kStatusOk) return statusSwitch;
  return statusB != kStatusOk ? statusB : statusA;
}
