#include <array>
#include <functional>
#include <string>

#include <gtest/gtest.h>

#include "protocol/StDriverPacket.h"

namespace {

using Wire = std::array<std::uint8_t, StDriverPacket::kWireSize>;

void Put(Wire& wire, std::size_t at, std::uint32_t value, std::size_t size) {
  for (std::size_t i = 0; i < size; ++i) wire[at + i] = static_cast<std::uint8_t>(value >> (8 * i));
}

// A set request for (2, 1) / (115, 0x01020304 qualifier 0xA1B2C3D4) with two data bytes.
struct StFilledPacket {
  std::array<std::uint8_t, 8> buffer{};
  StDriverPacket packet;
  StFilledPacket() {
    const std::array<StObjectKey, 3> keys = {
        StObjectKey{0x11223344, 2, 1}, StObjectKey{0xA1B2C3D4, 115, 0x01020304}, StObjectKey{}};
    const std::array<std::uint8_t, 2> data = {0xBE, 0xEF};
    EXPECT_EQ(packet.Make(8, buffer.data()), kStatusOk);
    EXPECT_EQ(packet.FillRequest(kCommandSet, keys.data(), 2, data.data(), kRequestModeApplet),
              kStatusOk);
  }
};

TEST(PacketWire, EveryFieldHasItsOffsetAndDecodesBack) {
  StFilledPacket filled;
  filled.packet.status = 0x0A0B;
  filled.packet.word160 = 0xDEADBEEF;
  filled.packet.keyPointer = &filled.packet.keys[1];
  const struct {
    std::size_t at;
    std::uint32_t value;
    std::size_t size;
  } fields[] = {
      {0, 0x0A0B, 2},      {2, 'Q', 1},         {3, 'Z', 1},         {4, kCommandSet, 4},
      {8, 24, 4},          {12, 0x11223344, 4}, {16, 2, 2},          {20, 1, 4},
      {24, 0xA1B2C3D4, 4}, {28, 115, 2},        {32, 0x01020304, 4}, {144, 8, 4},
      {148, 2, 4},         {152, 1, 4},         {156, 1, 4},         {160, 0xDEADBEEF, 4},
  };
  Wire expected{};
  for (const auto& field : fields) Put(expected, field.at, field.value, field.size);
  Wire wire{};
  wire.fill(0xCC);  // padding and unused keys must be written, not left alone
  filled.packet.EncodeWire(wire);
  EXPECT_EQ(wire, expected);

  // Pointers are the decoder's own; every other field shows in the encoding again.
  std::array<std::uint8_t, 8> other{};
  StDriverPacket decoded;
  ASSERT_EQ(StDriverPacket::DecodeWire(wire, other.data(), decoded), kStatusOk);
  EXPECT_EQ(decoded.keyPointer, &decoded.keys[1]);
  EXPECT_EQ(decoded.data, other.data());
  Wire again{};
  decoded.EncodeWire(again);
  EXPECT_EQ(again, wire);

  // Without a buffer the image says so, and decoding gives no data.
  ASSERT_EQ(decoded.Clear(), kStatusOk);
  decoded.EncodeWire(wire);
  ASSERT_EQ(StDriverPacket::DecodeWire(wire, other.data(), decoded), kStatusOk);
  EXPECT_EQ(decoded.data, nullptr);
}

TEST(PacketWire, KeyOffsetsOutsideTheArrayAreRefused) {
  StFilledPacket filled;
  Wire wire{};
  filled.packet.EncodeWire(wire);
  for (const std::uint32_t offset : {11U, 13U, 144U, 0xFFFFFFF0U}) {
    Put(wire, 8, offset, 4);
    StDriverPacket decoded;
    EXPECT_EQ(StDriverPacket::DecodeWire(wire, nullptr, decoded), kStatusMalformedPacket) << offset;
    EXPECT_EQ(decoded.keyPointer, nullptr);
  }
  // A foreign key pointer travels as an offset every receiver refuses.
  static const StObjectKey elsewhere{};
  filled.packet.keyPointer = &elsewhere;
  filled.packet.EncodeWire(wire);
  StDriverPacket decoded;
  EXPECT_EQ(StDriverPacket::DecodeWire(wire, nullptr, decoded), kStatusMalformedPacket);
  Put(wire, 8, 0, 4);
  EXPECT_EQ(StDriverPacket::DecodeWire(wire, nullptr, decoded), kStatusOk);
  EXPECT_EQ(StDriverPacket::Validate(&decoded), kStatusNullPointer);
}

// Every rejection of Validate, each applied to a well-formed request, beside
// the nearest value it takes.
TEST(PacketValidate, RejectsEachMalformation) {
  const auto codes = [](std::size_t count) {
    return [count](StDriverPacket& p) {
      for (std::size_t i = 0; i < count; ++i) p.keys[i].code = 1;
    };
  };
  const struct {
    std::string name;
    std::function<void(StDriverPacket&)> damage;
    Status expected;
  } cases[] = {
      {"well formed", [](StDriverPacket&) {}, kStatusOk},
      {"signature reversed",
       [](StDriverPacket& p) {
         p.signature = {'Z', 'Q'};
       },
       kStatusMalformedPacket},
      {"no key pointer", [](StDriverPacket& p) { p.keyPointer = nullptr; }, kStatusNullPointer},
      {"code 263", [](StDriverPacket& p) { p.keys[1].code = 263; }, kStatusMalformedPacket},
      {"code 262", [](StDriverPacket& p) { p.keys[1].code = 262; }, kStatusOk},
      {"ten keys without end", codes(10), kStatusMalformedPacket},
      {"nine keys then end", codes(9), kStatusOk},
      {"key pointer at the end", [](StDriverPacket& p) { p.keyPointer = &p.keys[2]; }, kStatusOk},
      {"key pointer past the end", [](StDriverPacket& p) { p.keyPointer = &p.keys[3]; },
       kStatusMalformedPacket},
      {"command 7", [](StDriverPacket& p) { p.command = 7; }, kStatusOk},
      {"command 8", [](StDriverPacket& p) { p.command = 8; }, kStatusMalformedPacket},
      {"buffer without capacity", [](StDriverPacket& p) { p.capacity = p.dataLength = 0; },
       kStatusMalformedPacket},
      {"capacity without buffer", [](StDriverPacket& p) { p.data = nullptr; },
       kStatusMalformedPacket},
      {"data longer than capacity", [](StDriverPacket& p) { p.dataLength = 9; },
       kStatusMalformedPacket},
  };
  for (const auto& c : cases) {
    StFilledPacket filled;
    c.damage(filled.packet);
    EXPECT_EQ(StDriverPacket::Validate(&filled.packet), c.expected) << c.name;
  }
  EXPECT_EQ(StDriverPacket::Validate(nullptr), kStatusNullPointer);
}

}  // namespace
