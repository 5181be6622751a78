#pragma once

#include <filesystem>
#include <string>
#include <string_view>

#include "service/StProfile.h"

// Reads a tablet profile from JSON with full validation: an unknown key, a
// wrong type or a value out of range fails and names the file and the field.
class CProfileReader {
 public:
  [[nodiscard]] static bool ReadFile(const std::filesystem::path& file, StProfile& out, std::string& error);
  // `source` names the text in error messages.
  [[nodiscard]] static bool ReadText(std::string_view text, std::string_view source, StProfile& out,
                                     std::string& error);
};
