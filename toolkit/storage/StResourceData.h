#pragma once

// The stored form of a named data object.

#include <cstdint>
#include <map>
#include <string>
#include <vector>

struct StResourceData {
  std::string className;
  std::uint16_t classId = 0;
  std::string name;
  std::string text;                 // ZafStringData
  std::int32_t value = 0;           // ZafIntegerData
  std::uint16_t width = 0;          // ZafBitmapData
  std::uint16_t height = 0;
  std::vector<std::uint8_t> pixels; // colour indexes, row by row; 0xFF transparent
  // ZafLanguageData: language code -> (identifier -> text).
  std::map<std::string, std::map<std::string, std::string>> languages;

  bool operator==(const StResourceData&) const = default;
};
