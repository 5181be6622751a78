#pragma once

// Bounds-checked little-endian reads. Every read fails (and keeps failing)
// once the data runs out, so a parser checks Ok() at its end rather than
// after every field.

#include <cstdint>
#include <span>
#include <string>

class CByteReader {
 public:
  explicit CByteReader(std::span<const std::uint8_t> bytes) : m_bytes(bytes) {}

  std::uint8_t U8() {
    if (!Need(1)) return 0;
    return m_bytes[m_pos++];
  }
  std::uint16_t U16() {
    const std::uint8_t lo = U8();
    const std::uint8_t hi = U8();
    return static_cast<std::uint16_t>(lo | (hi << 8));
  }
  std::uint32_t U32() {
    const std::uint32_t lo = U16();
    const std::uint32_t hi = U16();
    return lo | (hi << 16);
  }
  std::int32_t I32() { return static_cast<std::int32_t>(U32()); }
  std::string Str() {
    const std::uint16_t n = U16();
    if (!Need(n)) return {};
    std::string s(reinterpret_cast<const char*>(m_bytes.data() + m_pos), n);
    m_pos += n;
    return s;
  }
  std::span<const std::uint8_t> Bytes(std::size_t n) {
    if (!Need(n)) return {};
    auto out = m_bytes.subspan(m_pos, n);
    m_pos += n;
    return out;
  }
  void Fail() { m_ok = false; }
  [[nodiscard]] bool Ok() const { return m_ok; }
  [[nodiscard]] std::size_t Remaining() const { return m_ok ? m_bytes.size() - m_pos : 0; }
  [[nodiscard]] bool AtEnd() const { return m_ok && m_pos == m_bytes.size(); }

 private:
  bool Need(std::size_t n) {
    if (!m_ok || m_bytes.size() - m_pos < n) {
      m_ok = false;
      return false;
    }
    return true;
  }

  std::span<const std::uint8_t> m_bytes;
  std::size_t m_pos = 0;
  bool m_ok = true;
};
