#pragma once

#include <cstdint>

// Size in bytes of a value of a driver data type code; 0 for code 9 and
// unknown codes. The applet's items and the service's values both take their
// sizes from here, so a set of the wrong size is refused the same way on
// either side of the packet.
[[nodiscard]] constexpr std::uint32_t DataTypeSize(std::int32_t code) {
  switch (code) {
    case 1: return 1;
    case 2: return 2;
    case 3: case 10: return 4;
    case 4: case 6: case 7: return 8;
    case 5: case 20: return 256;
    case 8: case 11: return 12;
    case 12: case 16: return 16;
    case 13: case 18: return 48;
    case 14: return 44;
    case 15: return 5;
    case 17: return 32;
    case 19: return 14;
    default: return 0;
  }
}
