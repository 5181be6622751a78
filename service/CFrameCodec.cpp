#include "service/CFrameCodec.h"

#include <cstring>

#include "protocol/LittleEndian.h"

namespace {

void AppendU32(std::vector<std::uint8_t>& out, std::uint32_t value) {
  std::uint8_t bytes[4];
  PutU32(bytes, value);
  out.insert(out.end(), bytes, bytes + 4);
}

void AppendPacket(const StDriverPacket& packet, std::vector<std::uint8_t>& out) {
  std::array<std::uint8_t, StDriverPacket::kWireSize> image{};
  packet.EncodeWire(image);
  out.insert(out.end(), image.begin(), image.end());
  if (packet.data != nullptr && packet.dataLength <= packet.capacity) {
    const auto* bytes = static_cast<const std::uint8_t*>(packet.data);
    out.insert(out.end(), bytes, bytes + packet.dataLength);
  }
}

}  // namespace

std::uint32_t CFrameCodec::ReadLength(const std::uint8_t* header) { return GetU32(header); }

void CFrameCodec::EncodeRequest(const StDriverPacket& packet, std::vector<std::uint8_t>& out) {
  const std::size_t start = out.size();
  AppendU32(out, 0);
  AppendPacket(packet, out);
  const auto length = static_cast<std::uint32_t>(out.size() - start - kHeaderSize);
  for (int i = 0; i < 4; ++i) out[start + static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(length >> (8 * i));
}

Status CFrameCodec::DecodeRequest(std::span<const std::uint8_t> payload, StDriverPacket& packet,
                                  std::vector<std::uint8_t>& buffer) {
  if (payload.size() < StDriverPacket::kWireSize) return kStatusMalformedPacket;
  const std::uint8_t* image = payload.data();
  const std::uint32_t capacity = GetU32(image + 144);
  const std::uint32_t dataLength = GetU32(image + 148);
  if (capacity > kMaxData || dataLength > capacity) return kStatusMalformedPacket;
  const bool hasBuffer = GetU32(image + 152) != 0;
  const std::size_t carried = hasBuffer ? dataLength : 0;
  if (payload.size() != StDriverPacket::kWireSize + carried) return kStatusMalformedPacket;
  buffer.assign(hasBuffer ? capacity : 0, 0);
  if (carried != 0) std::memcpy(buffer.data(), image + StDriverPacket::kWireSize, carried);
  return StDriverPacket::DecodeWire(std::span<const std::uint8_t, StDriverPacket::kWireSize>(image, StDriverPacket::kWireSize),
                                    hasBuffer ? buffer.data() : nullptr, packet);
}

void CFrameCodec::EncodeReply(std::uint32_t status, const StDriverPacket& packet, std::vector<std::uint8_t>& out) {
  const std::size_t start = out.size();
  AppendU32(out, 0);
  AppendU32(out, status);
  AppendPacket(packet, out);
  const auto length = static_cast<std::uint32_t>(out.size() - start - kHeaderSize);
  for (int i = 0; i < 4; ++i) out[start + static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(length >> (8 * i));
}

void CFrameCodec::EncodeRefusal(std::uint32_t status, std::vector<std::uint8_t>& out) {
  AppendU32(out, kRefusalSize);
  AppendU32(out, status);
}

std::uint32_t CFrameCodec::ReadStatus(std::span<const std::uint8_t> payload) {
  return payload.size() >= 4 ? GetU32(payload.data()) : 0;
}

Status CFrameCodec::DecodeReply(std::span<const std::uint8_t> payload, StDriverPacket& packet,
                                std::uint32_t& status) {
  if (payload.size() < 4 + StDriverPacket::kWireSize) return kStatusMalformedPacket;
  status = GetU32(payload.data());
  const std::uint8_t* image = payload.data() + 4;
  const std::uint32_t dataLength = GetU32(image + 148);
  if (dataLength > packet.capacity || payload.size() != 4 + StDriverPacket::kWireSize + dataLength)
    return kStatusMalformedPacket;
  if (dataLength != 0 && packet.data == nullptr) return kStatusMalformedPacket;
  if (dataLength != 0) std::memcpy(packet.data, image + StDriverPacket::kWireSize, dataLength);
  packet.dataLength = dataLength;
  packet.status = GetU16(image);
  return kStatusOk;
}
