#pragma once

// The stored form of a window object, as the packer writes it and the storage
// reads it back; the persistence turns it into a live object.

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "toolkit/storage/ZncFormat.h"

struct StResourceEntry {
  std::string text;
  std::string stringId;
  std::int32_t value = 0;

  bool operator==(const StResourceEntry&) const = default;
};

struct StResourceObject {
  std::string className;
  std::uint16_t classId = 0;
  std::optional<std::string> stringId;
  std::optional<std::int32_t> numberId;
  std::optional<std::string> text;
  std::optional<std::string> quickTip;
  // x, y, width, height relative to the parent's client area.
  std::optional<std::array<std::int32_t, 4>> region;
  std::uint32_t styles = 0;
  std::uint32_t flags = 0;
  std::optional<std::int32_t> value;
  std::optional<std::int32_t> minimum;
  std::optional<std::int32_t> maximum;
  std::optional<std::int32_t> step;
  std::optional<std::vector<StResourceEntry>> entries;
  std::optional<std::string> bitmap;
  std::optional<std::int32_t> foreground;
  std::optional<std::int32_t> background;
  std::optional<std::string> pageText;
  std::vector<StResourceObject> children;

  [[nodiscard]] bool Has(std::string_view style) const { return (styles & znc::StyleBit(style)) != 0; }
  bool operator==(const StResourceObject&) const = default;
};
