#include "toolkit/storage/ZncFormat.h"

namespace znc {

std::uint32_t StyleBit(std::string_view name) {
  for (std::size_t i = 0; i < kStyleNames.size(); ++i) {
    if (kStyleNames[i] == name) return 1U << i;
  }
  return 0;
}

std::uint32_t Crc32(std::span<const std::uint8_t> bytes) {
  // Bitwise CRC-32 (IEEE); the file is small and read once.
  std::uint32_t crc = 0xFFFFFFFFU;
  for (std::uint8_t byte : bytes) {
    crc ^= byte;
    for (int bit = 0; bit < 8; ++bit) {
      const std::uint32_t mask = 0U - (crc & 1U);
      crc = (crc >> 1) ^ (0xEDB88320U & mask);
    }
  }
  return ~crc;
}

}  // namespace znc
