#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "protocol/StDriverPacket.h"
#include "protocol/Status.h"

// Daemon frames: a little-endian u32 payload length, then the payload.
// Request payload: the 164-byte packet image, then `data length` bytes of data.
// Reply payload: u32 status, the 164-byte packet image, then `data length` bytes.
class CFrameCodec {
 public:
  static constexpr std::size_t kHeaderSize = 4;
  static constexpr std::uint32_t kMaxData = 65536;
  static constexpr std::uint32_t kMaxPayload = 4 + StDriverPacket::kWireSize + kMaxData;

  // Appends the frame of a request to `out`.
  static void EncodeRequest(const StDriverPacket& packet, std::vector<std::uint8_t>& out);
  // Rebuilds a request from its payload; the packet's data pointer aims at
  // `buffer`, sized to the capacity (or 0 with no buffer). 513 for a payload
  // that cannot be a request.
  [[nodiscard]] static Status DecodeRequest(std::span<const std::uint8_t> payload, StDriverPacket& packet,
                                            std::vector<std::uint8_t>& buffer);
  static void EncodeReply(std::uint32_t status, const StDriverPacket& packet, std::vector<std::uint8_t>& out);
  // A reply payload of nothing but the u32 status: the daemon turned the
  // connection away before it read any request (it is busy).
  static constexpr std::uint32_t kRefusalSize = 4;
  static void EncodeRefusal(std::uint32_t status, std::vector<std::uint8_t>& out);
  // Copies the reply into the caller's packet and buffer; the data length is
  // checked against the capacity the caller gave.
  [[nodiscard]] static Status DecodeReply(std::span<const std::uint8_t> payload, StDriverPacket& packet,
                                          std::uint32_t& status);

  [[nodiscard]] static std::uint32_t ReadLength(const std::uint8_t* header);
  [[nodiscard]] static std::uint32_t ReadStatus(std::span<const std::uint8_t> payload);
};
