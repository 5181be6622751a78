#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "protocol/StObjectKey.h"

// The one human-readable form of a driver path: levels separated by '/',
// each "code", "code:index" or "code:index@qualifier", numbers in decimal or
// 0x hex. "2:0/4:1/115" is (2,0)(4,1)(115,0); "2:0/23:7@1/11:0/41" selects a
// function set by application identifier.
class CPathText {
 public:
  // None when the text is not a path of 1 to 10 levels with codes 1..262;
  // `error` then says which level is wrong.
  [[nodiscard]] static std::optional<std::vector<StObjectKey>> Parse(std::string_view text, std::string& error);
  [[nodiscard]] static std::string Format(const std::vector<StObjectKey>& path);
};
