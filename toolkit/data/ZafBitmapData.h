#pragma once

#include <cstdint>
#include <vector>

#include "toolkit/data/ZafData.h"

// A picture as colour-table indexes, row by row; 0xFF is transparent.
class ZafBitmapData : public ZafData {
 public:
  static constexpr std::uint8_t kTransparent = 0xFF;

  ZafBitmapData(std::string name, std::uint16_t width, std::uint16_t height, std::vector<std::uint8_t> pixels)
      : ZafData("ZafBitmapData", std::move(name)), m_width(width), m_height(height), m_pixels(std::move(pixels)) {
    m_pixels.resize(std::size_t{width} * height, kTransparent);
  }
  [[nodiscard]] std::uint16_t Width() const { return m_width; }
  [[nodiscard]] std::uint16_t Height() const { return m_height; }
  [[nodiscard]] const std::vector<std::uint8_t>& Pixels() const { return m_pixels; }
  [[nodiscard]] std::uint8_t Pixel(std::uint16_t x, std::uint16_t y) const {
    return x < m_width && y < m_height ? m_pixels[std::size_t{y} * m_width + x] : kTransparent;
  }

 private:
  std::uint16_t m_width;
  std::uint16_t m_height;
  std::vector<std::uint8_t> m_pixels;
};
