#pragma once

#include <cstdint>

#include "protocol/DataTypeSize.h"

// The driver's data type codes. A code fixes the size of the value in bytes.
// The numeric names match the codes in item tables; the role names are
// aliases for the codes whose meaning is fixed.
enum class DataType : std::int32_t {
  kType1 = 1,
  kType2 = 2,
  kType3 = 3,
  kType4 = 4,
  kType5 = 5,
  kType6 = 6,
  kType7 = 7,
  kType8 = 8,
  kType9 = 9,
  kType10 = 10,
  kType11 = 11,
  kType12 = 12,
  kType13 = 13,
  kType14 = 14,
  kType15 = 15,
  kType16 = 16,
  kType17 = 17,
  kType18 = 18,
  kType19 = 19,
  kType20 = 20,

  kByte = 1,              // 8-bit value
  kWord = 2,              // 16-bit value; slider positions of composite items
  kLong = 3,              // 32-bit value
  kWordList = 5,          // up to 64 u32 words ended by a zero word
  kPressureCurve = 11,    // six 16-bit words
  kPressureAxis = 12,     // second u32 word is the maximum pressure level
  kPressureProfile = 19,  // 16-bit threshold followed by the curve
  kText = 20,             // zero-terminated 8-bit text
};

// Size in bytes of a value of the type; 0 for code 9 and unknown codes.
[[nodiscard]] constexpr std::uint32_t DataTypeSize(DataType type) {
  return DataTypeSize(static_cast<std::int32_t>(type));
}

// Number of leading bytes of `value` that take part when two values of the
// type are compared: lists up to and including their zero word, texts up to
// and including their zero byte, everything else in full. Never more than
// `DataTypeSize(type)`.
[[nodiscard]] std::uint32_t ComparisonLength(DataType type, const void* value);
