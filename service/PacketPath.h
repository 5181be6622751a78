#pragma once

#include <cstddef>
#include <span>

#include "protocol/StDriverPacket.h"

// The levels a packet names: from its key pointer to the first code 0; empty
// without a key pointer.
[[nodiscard]] inline std::span<const StObjectKey> PacketPath(const StDriverPacket& packet) {
  const int first = packet.KeyPointerSlot();
  if (first < 0) return {};
  const auto begin = static_cast<std::size_t>(first);
  std::size_t end = begin;
  while (end < StDriverPacket::kMaxKeys && packet.keys[end].code != 0) ++end;
  return std::span<const StObjectKey>(packet.keys.data() + begin, end - begin);
}
