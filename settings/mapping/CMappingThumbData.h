#pragma once

#include <array>
#include <cstddef>

#include "settings/CCompositeData.h"

// A read-only preview of the whole mapping: three 16-byte rectangles, the
// screen's, then the tablet area's one or two. It never writes: every change
// operation answers 0 and sends nothing.
class CMappingThumbData : public CCompositeData {
 public:
  static constexpr std::size_t kRecordSize = 16;
  using Record = std::array<std::byte, kRecordSize>;

  CMappingThumbData();

  // The screen rectangle, the tablet rectangle, the second and the first
  // preview rectangle, the tablet-area choice.
  [[nodiscard]] Status SetSources(CDriverData* screen, CDriverData* tablet, CDriverData* second,
                                  CDriverData* first, CDriverData* tabletArea);

  [[nodiscard]] Status Get(void* out) override;
  [[nodiscard]] Status Set(const void* value) override;
  [[nodiscard]] Status Revert() override;
  [[nodiscard]] Status Commit() override;
  [[nodiscard]] Status SetDefault() override;
  [[nodiscard]] Status Apply() override;
};
