#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include <nlohmann/json.hpp>

// How the bytes of a value read for people.
struct StValueType {
  enum class Form : std::uint8_t {
    kNumber,  // one little-endian unsigned number
    kList,    // numbers of `element` bytes each
    kText,    // zero-terminated text in a fixed field
    kBytes,   // anything else: hex
  };
  Form form = Form::kBytes;
  std::uint8_t element = 0;  // bytes per number of a list
  bool isSigned = false;     // list numbers may be negative
  bool zeroEnded = false;    // a list ended by a zero number: shown without the zeros after it

  [[nodiscard]] std::string Describe(std::size_t size) const;
};

// Values as tabletctl and preset files write them, and back to the exact
// bytes of a value of known size:
//   number        12, 0x1F, -3      (fits the value's size, signed or not)
//   list          10,20,-5          (the value's size split evenly)
//   text          text:Fine liner   (JSON: a string)
//   bytes         hex:0a0b...       (JSON: {"hex": "0a0b..."})
// A value is written back only in a form that reads back to the same bytes.
// With a type whose list is ended by a zero, a shorter list is filled up
// with zeros.
class CValueText {
 public:
  [[nodiscard]] static bool FromText(std::string_view text, std::size_t size, std::vector<std::uint8_t>& out,
                                     std::string& error, const StValueType* type = nullptr);
  [[nodiscard]] static bool FromJson(const nlohmann::json& value, std::size_t size, std::vector<std::uint8_t>& out,
                                     std::string& error, const StValueType* type = nullptr);

  // The form a value of unknown meaning takes: a number up to 8 bytes, a
  // text when the bytes are one, else hex.
  [[nodiscard]] static StValueType Guess(std::span<const std::uint8_t> bytes);
  // `type` when the bytes can take that form, else the guess.
  [[nodiscard]] static StValueType Fit(std::span<const std::uint8_t> bytes, const StValueType& type);
  [[nodiscard]] static std::string ToText(std::span<const std::uint8_t> bytes, const StValueType& type);
  [[nodiscard]] static nlohmann::json ToJson(std::span<const std::uint8_t> bytes, const StValueType& type);
};
