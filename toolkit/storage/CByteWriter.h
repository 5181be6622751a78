#pragma once

// Little-endian appends to a byte vector.

#include <cstdint>
#include <string_view>
#include <vector>

class CByteWriter {
 public:
  explicit CByteWriter(std::vector<std::uint8_t>& out) : m_out(out) {}

  void U8(std::uint8_t v) { m_out.push_back(v); }
  void U16(std::uint16_t v) {
    U8(static_cast<std::uint8_t>(v & 0xFFU));
    U8(static_cast<std::uint8_t>(v >> 8));
  }
  void U32(std::uint32_t v) {
    U16(static_cast<std::uint16_t>(v & 0xFFFFU));
    U16(static_cast<std::uint16_t>(v >> 16));
  }
  void I32(std::int32_t v) { U32(static_cast<std::uint32_t>(v)); }
  // Strings longer than 65535 bytes are cut; the packer refuses them first.
  void Str(std::string_view s) {
    const std::size_t n = s.size() > 0xFFFFU ? 0xFFFFU : s.size();
    U16(static_cast<std::uint16_t>(n));
    m_out.insert(m_out.end(), s.begin(), s.begin() + static_cast<std::ptrdiff_t>(n));
  }
  void PatchU32(std::size_t at, std::uint32_t v) {
    for (std::size_t i = 0; i < 4; ++i) m_out[at + i] = static_cast<std::uint8_t>((v >> (8 * i)) & 0xFFU);
  }
  [[nodiscard]] std::size_t Size() const { return m_out.size(); }

 private:
  std::vector<std::uint8_t>& m_out;
};
