#pragma once

#include <array>
#include <cstdint>
#include <vector>

// The pressure a pen reports, shaped by the curve words of its feel: a
// quadratic Bezier through (input, output) points (w1, w0), control (w3, w2)
// and (w5, w4), over the tablet's levels 0..M. Below w1 the output is w0,
// above w5 it is w4. Precomputed for every level, so a report costs one
// lookup.
class CPressureCurve {
 public:
  void Set(const std::array<std::uint16_t, 6>& words, std::uint32_t levels);
  [[nodiscard]] std::uint32_t Apply(std::uint32_t pressure) const {
    if (m_table.empty()) return 0;
    return m_table[pressure < m_table.size() ? pressure : m_table.size() - 1];
  }

 private:
  std::vector<std::uint16_t> m_table;
};
