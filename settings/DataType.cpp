#include "settings/DataType.h"

#include <cstring>

namespace {

constexpr std::uint32_t kWordBytes = 4;
// A list holds 64 words; the last one is always its end.
constexpr std::uint32_t kMaxCountedWords = 63;

}  // namespace

std::uint32_t ComparisonLength(DataType type, const void* value) {
  const std::uint32_t size = DataTypeSize(type);
  if (type == DataType::kWordList) {
    const auto* bytes = static_cast<const unsigned char*>(value);
    std::uint32_t words = 0;
    while (words < kMaxCountedWords) {
      std::uint32_t word = 0;
      std::memcpy(&word, bytes + words * kWordBytes, kWordBytes);
      if (word == 0) break;
      ++words;
    }
    return words * kWordBytes + kWordBytes;
  }
  if (type == DataType::kText) {
    // A text that fills its field without a zero compares in full.
    const auto* bytes = static_cast<const unsigned char*>(value);
    const void* zero = std::memchr(bytes, 0, size);
    if (zero == nullptr) return size;
    return static_cast<std::uint32_t>(static_cast<const unsigned char*>(zero) - bytes) + 1;
  }
  return size;
}
