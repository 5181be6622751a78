// Feeds arbitrary bytes to the receiving side of the driver link: the wire
// decoder, Validate, and a receiver's walk over a validated key array.

#include <array>
#include <cstddef>
#include <cstdint>
#include <cstring>

#include "protocol/StDriverPacket.h"
#include "protocol/StObjectKeyPlaceKeeper.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::array<std::uint8_t, StDriverPacket::kWireSize> image{};
  std::memcpy(image.data(), data, size < image.size() ? size : image.size());
  std::array<std::uint8_t, 64> buffer{};

  StDriverPacket packet;
  if (StDriverPacket::DecodeWire(image, buffer.data(), packet) != kStatusOk) return 0;
  if (StDriverPacket::Validate(&packet) != kStatusOk) return 0;

  // A valid packet can be walked level by level up to its end entry.
  {
    StObjectKeyPlaceKeeper keeper(packet);
    while (packet.keyPointer->code != 0) ++packet.keyPointer;
  }
  std::array<std::uint8_t, StDriverPacket::kWireSize> again{};
  packet.EncodeWire(again);
  StDriverPacket decoded;
  if (StDriverPacket::DecodeWire(again, buffer.data(), decoded) != kStatusOk ||
      StDriverPacket::Validate(&decoded) != kStatusOk)
    __builtin_trap();  // a valid packet must survive its own wire image
  return 0;
}
