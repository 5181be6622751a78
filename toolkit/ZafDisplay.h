#pragma once

#include <array>
#include <cstdint>

// The display's colour table: index 0..251 to a colour value with red in the
// low byte, then green, then blue.
class ZafDisplay {
 public:
  static constexpr int kColourCount = 252;
  static constexpr int kFirstApplicationColour = 16;
  static constexpr int kLastApplicationColour = 180;

  ZafDisplay();

  [[nodiscard]] static constexpr std::uint32_t Rgb(std::uint8_t r, std::uint8_t g, std::uint8_t b) {
    return std::uint32_t{r} | (std::uint32_t{g} << 8) | (std::uint32_t{b} << 16);
  }
  // False for an index outside the table.
  bool SetColour(int index, std::uint32_t colour);
  [[nodiscard]] std::uint32_t Colour(int index) const;
  // Fills the application's colours 16..180.
  void SetApplicationColours();

 private:
  std::array<std::uint32_t, kColourCount> m_colours{};
};
