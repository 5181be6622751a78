#include "protocol/StDriverPacket.h"

#include <cstring>

#include "protocol/LittleEndian.h"

namespace {

constexpr std::size_t kCapacityOffset = 144;
constexpr std::size_t kDataLengthOffset = 148;
constexpr std::size_t kDataPointerOffset = 152;
constexpr std::size_t kRequestModeOffset = 156;
constexpr std::size_t kWord160Offset = 160;

}  // namespace

StDriverPacket::StDriverPacket(const StDriverPacket& other) { *this = other; }

StDriverPacket& StDriverPacket::operator=(const StDriverPacket& other) {
  if (this == &other) return *this;
  status = other.status;
  signature = other.signature;
  command = other.command;
  keys = other.keys;
  const int slot = other.KeyPointerSlot();
  keyPointer = slot >= 0 ? &keys[static_cast<std::size_t>(slot)] : other.keyPointer;
  capacity = other.capacity;
  dataLength = other.dataLength;
  data = other.data;
  requestMode = other.requestMode;
  word160 = other.word160;
  return *this;
}

Status StDriverPacket::Make(std::uint32_t bufferCapacity, void* buffer) {
  status = kStatusOk;
  signature = {'Q', 'Z'};
  command = 0;
  keys = {};
  keyPointer = keys.data();
  capacity = bufferCapacity;
  dataLength = 0;
  data = buffer;
  requestMode = 0;
  word160 = 0;
  return status;
}

Status StDriverPacket::Clear() { return Make(0, nullptr); }

void StDriverPacket::CopyKeys(const StObjectKey* source) {
  for (std::size_t i = 0; i < kMaxKeys; ++i) {
    keys[i] = source[i];
    if (source[i].code == 0) break;
  }
}

Status StDriverPacket::FillRequest(std::uint32_t requestCommand, const StObjectKey* requestKeys,
                                   std::uint32_t length, const void* source,
                                   std::uint32_t mode) {
  if (length > capacity) {
    status = kStatusDataTooLong;
    return status;
  }
  command = requestCommand;
  requestMode = mode;
  if (requestKeys != nullptr) CopyKeys(requestKeys);
  keyPointer = keys.data();
  return SetData(length, source);
}

Status StDriverPacket::SetData(std::uint32_t length, const void* source) {
  if (length > capacity) {
    status = kStatusDataTooLong;
  } else if (source == nullptr || length == 0) {
    dataLength = 0;
    status = kStatusOk;
  } else if (data == nullptr) {
    status = kStatusNullPointer;
  } else {
    dataLength = length;
    std::memmove(data, source, length);
    status = kStatusOk;
  }
  return status;
}

Status StDriverPacket::ReadReply(std::uint32_t* length, void* destination) const {
  if (length == nullptr || *length == 0 || destination == nullptr) return kStatusOk;
  if (*length < dataLength) return kStatusDataTooLong;
  *length = dataLength;
  if (dataLength != 0 && data != nullptr && data != destination)
    std::memmove(destination, data, dataLength);
  return kStatusOk;
}

int StDriverPacket::KeyPointerSlot() const {
  for (std::size_t i = 0; i < kKeySlots; ++i)
    if (keyPointer == &keys[i]) return static_cast<int>(i);
  return -1;
}

Status StDriverPacket::Validate(const StDriverPacket* packet) {
  if (packet == nullptr) return kStatusNullPointer;
  if (packet->signature[0] != 'Q' || packet->signature[1] != 'Z') return kStatusMalformedPacket;
  if (packet->keyPointer == nullptr) return kStatusNullPointer;

  std::size_t end = kKeySlots;
  for (std::size_t i = 0; i < kMaxKeys; ++i) {
    if (packet->keys[i].code > kMaxObjectKeyCode) return kStatusMalformedPacket;
    if (packet->keys[i].code == 0) {
      end = i;
      break;
    }
  }
  if (end == kKeySlots) return kStatusMalformedPacket;
  const int slot = packet->KeyPointerSlot();
  if (slot < 0 || static_cast<std::size_t>(slot) > end) return kStatusMalformedPacket;

  if (packet->command > kMaxCommand) return kStatusMalformedPacket;
  if (packet->capacity == 0 && packet->data != nullptr) return kStatusMalformedPacket;
  if (packet->capacity > 0 && packet->data == nullptr) return kStatusMalformedPacket;
  if (packet->dataLength > packet->capacity) return kStatusMalformedPacket;
  return kStatusOk;
}

void StDriverPacket::EncodeWire(std::span<std::uint8_t, kWireSize> out) const {
  std::uint8_t* bytes = out.data();
  std::memset(bytes, 0, kWireSize);
  PutU16(bytes, status);
  bytes[2] = static_cast<std::uint8_t>(signature[0]);
  bytes[3] = static_cast<std::uint8_t>(signature[1]);
  PutU32(bytes + 4, command);
  const int slot = KeyPointerSlot();
  // A pointer that does not aim into the own array cannot be carried; it is
  // sent as an offset past the array, which every receiver rejects.
  const std::uint32_t keyOffset =
      keyPointer == nullptr ? 0
      : slot >= 0 ? static_cast<std::uint32_t>(kWireKeyArrayOffset +
                                                kObjectKeyWireSize * static_cast<std::size_t>(slot))
                  : static_cast<std::uint32_t>(kCapacityOffset);
  PutU32(bytes + 8, keyOffset);
  for (std::size_t i = 0; i < kKeySlots; ++i) {
    std::uint8_t* at = bytes + kWireKeyArrayOffset + kObjectKeyWireSize * i;
    PutU32(at, keys[i].qualifier);
    PutU16(at + 4, keys[i].code);
    PutU32(at + 8, keys[i].index);
  }
  PutU32(bytes + kCapacityOffset, capacity);
  PutU32(bytes + kDataLengthOffset, dataLength);
  PutU32(bytes + kDataPointerOffset, data != nullptr ? 1U : 0U);
  PutU32(bytes + kRequestModeOffset, requestMode);
  PutU32(bytes + kWord160Offset, word160);
}

Status StDriverPacket::DecodeWire(std::span<const std::uint8_t, kWireSize> in, void* buffer,
                                  StDriverPacket& out) {
  const std::uint8_t* bytes = in.data();
  out.status = GetU16(bytes);
  out.signature = {static_cast<char>(bytes[2]), static_cast<char>(bytes[3])};
  out.command = GetU32(bytes + 4);
  for (std::size_t i = 0; i < kKeySlots; ++i) {
    const std::uint8_t* at = bytes + kWireKeyArrayOffset + kObjectKeyWireSize * i;
    out.keys[i].qualifier = GetU32(at);
    out.keys[i].code = GetU16(at + 4);
    out.keys[i].index = GetU32(at + 8);
  }
  out.capacity = GetU32(bytes + kCapacityOffset);
  out.dataLength = GetU32(bytes + kDataLengthOffset);
  out.data = GetU32(bytes + kDataPointerOffset) != 0 ? buffer : nullptr;
  out.requestMode = GetU32(bytes + kRequestModeOffset);
  out.word160 = GetU32(bytes + kWord160Offset);

  const std::uint32_t keyOffset = GetU32(bytes + 8);
  if (keyOffset == 0) {
    out.keyPointer = nullptr;
    return kStatusOk;
  }
  const std::uint32_t relative = keyOffset - static_cast<std::uint32_t>(kWireKeyArrayOffset);
  if (keyOffset < kWireKeyArrayOffset || relative % kObjectKeyWireSize != 0 ||
      relative / kObjectKeyWireSize >= kKeySlots) {
    out.keyPointer = nullptr;
    return kStatusMalformedPacket;
  }
  out.keyPointer = &out.keys[relative / kObjectKeyWireSize];
  return kStatusOk;
}
