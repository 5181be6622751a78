#pragma once

// The classes a resource object may name, with their class identifiers.
// Identifiers repeat (1007 is a plain window and three of the system's own
// windows), so an object is always looked up by its class name; the
// identifier is stored beside it and checked.

#include <cstdint>
#include <span>
#include <string_view>

struct StClassInfo {
  std::uint16_t id;
  std::string_view name;
};

class ZafClassTable {
 public:
  [[nodiscard]] static std::span<const StClassInfo> WindowClasses();
  [[nodiscard]] static std::span<const StClassInfo> DataClasses();
  // First row with that name, nullptr when none.
  [[nodiscard]] static const StClassInfo* FindWindowClass(std::string_view name);
  [[nodiscard]] static const StClassInfo* FindDataClass(std::string_view name);
  // The system's own classes are those whose name begins with C.
  [[nodiscard]] static bool IsSystemClass(std::string_view name) {
    return !name.empty() && name.front() == 'C';
  }
};
