#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// Names of the event types and codes a tablet stream uses, both ways, so that
// recordings read as text. Codes without a name are written as numbers, and
// a number is always accepted where a name is.
class CEventNames {
 public:
  [[nodiscard]] static std::string TypeName(std::uint16_t type);
  [[nodiscard]] static std::string CodeName(std::uint16_t type, std::uint16_t code);
  [[nodiscard]] static std::optional<std::uint16_t> ParseType(std::string_view text);
  [[nodiscard]] static std::optional<std::uint16_t> ParseCode(std::uint16_t type, std::string_view text);
};
