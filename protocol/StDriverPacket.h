#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

#include "protocol/StObjectKey.h"
#include "protocol/Status.h"

// Request codes the applet sends.
inline constexpr std::uint32_t kCommandGet = 1;
inline constexpr std::uint32_t kCommandSet = 2;
inline constexpr std::uint32_t kCommandCreate = 3;
inline constexpr std::uint32_t kCommandRemove = 4;
inline constexpr std::uint32_t kCommandGetDefault = 6;
inline constexpr std::uint32_t kMaxCommand = 7;

inline constexpr std::uint32_t kRequestModeApplet = 1;

// The request packet exchanged with the driver. In memory it carries native
// pointers (key pointer, data pointer); on the wire it is the 164-byte
// little-endian image produced by EncodeWire, in which the key pointer is the
// byte offset of the first key to read and the data pointer only says whether
// a buffer exists.
struct StDriverPacket {
  static constexpr std::size_t kKeySlots = 11;   // the last one always stays zero
  static constexpr std::size_t kMaxKeys = 10;
  static constexpr std::size_t kWireSize = 164;
  static constexpr std::size_t kWireKeyArrayOffset = 12;

  std::uint16_t status = 0;
  std::array<char, 2> signature{'Q', 'Z'};
  std::uint32_t command = 0;
  const StObjectKey* keyPointer = nullptr;
  std::array<StObjectKey, kKeySlots> keys{};
  std::uint32_t capacity = 0;
  std::uint32_t dataLength = 0;
  void* data = nullptr;
  std::uint32_t requestMode = 0;
  std::uint32_t word160 = 0;

  StDriverPacket() = default;
  // The key pointer points into this very packet: a copy must re-aim it.
  StDriverPacket(const StDriverPacket& other);
  StDriverPacket& operator=(const StDriverPacket& other);

  // A fresh packet for a caller buffer of `capacity` bytes.
  Status Make(std::uint32_t bufferCapacity, void* buffer);
  // A fresh packet with no buffer at all.
  Status Clear();
  Status FillRequest(std::uint32_t requestCommand, const StObjectKey* requestKeys,
                     std::uint32_t length, const void* source, std::uint32_t mode);
  Status SetData(std::uint32_t length, const void* source);
  // `length` in: room at `destination`; out: bytes copied.
  Status ReadReply(std::uint32_t* length, void* destination) const;
  // Copies keys one by one, stopping after the first code 0 or after ten.
  void CopyKeys(const StObjectKey* source);

  // Checks a received packet before anything in it is trusted.
  [[nodiscard]] static Status Validate(const StDriverPacket* packet);

  // Index of the key the key pointer addresses in the own array, or -1 when it
  // is null or points elsewhere.
  [[nodiscard]] int KeyPointerSlot() const;

  void EncodeWire(std::span<std::uint8_t, kWireSize> out) const;
  // Rebuilds a packet from its wire image; `buffer` becomes the data pointer
  // when the image says there is one. Answers 513 for an impossible key
  // pointer offset; everything else is left to Validate.
  [[nodiscard]] static Status DecodeWire(std::span<const std::uint8_t, kWireSize> in,
                                         void* buffer, StDriverPacket& out);
};
