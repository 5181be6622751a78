#pragma once

#include <array>
#include <cstdint>

#include "toolkit/ZafEvents.h"

// Which keys are down, as the presenter (or automation) reported them; the
// platform's GetKeyState reads it. Also the 8-bit code page in which key
// messages carry their character (the application sets the one of its
// language).
class ZafKeyboard {
 public:
  void SetKeyDown(std::uint8_t virtualKey, bool down) {
    if (down && !m_down[virtualKey]) m_toggled[virtualKey] = !m_toggled[virtualKey];
    m_down[virtualKey] = down;
  }
  void Apply(const ZafKeyInfo& key) { SetKeyDown(key.virtualKey, key.down); }
  [[nodiscard]] bool IsDown(std::uint8_t virtualKey) const { return m_down[virtualKey]; }
  // High bit when down, low bit when toggled (each press flips it).
  [[nodiscard]] std::int16_t GetKeyState(int virtualKey) const {
    if (virtualKey < 0 || virtualKey > 255) return 0;
    const auto k = static_cast<std::size_t>(virtualKey);
    return static_cast<std::int16_t>((m_down[k] ? 0x8000 : 0) | (m_toggled[k] ? 1 : 0));
  }
  [[nodiscard]] std::uint32_t CodePage() const { return m_codePage; }
  void SetCodePage(std::uint32_t codePage) { m_codePage = codePage; }
  void Reset() {
    m_down.fill(false);
    m_toggled.fill(false);
  }

 private:
  std::array<bool, 256> m_down{};
  std::array<bool, 256> m_toggled{};
  std::uint32_t m_codePage = 1252;
};
