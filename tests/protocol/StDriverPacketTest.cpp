#include <array>
#include <functional>
#include <string>

#include <gtest/gtest.h>

#include "protocol/StDriverPacket.h"
#include "protocol/StObjectKeyPlaceKeeper.h"

namespace {

using Wire = std::array<std::uint8_t, StDriverPacket::kWireSize>;

void Put32(Wire& wire, std::size_t at, std::uint32_t value) {
  for (std::size_t i = 0; i < 4; ++i) wire[at + i] = static_cast<std::uint8_t>(value >> (8 * i));
}

void Put16(Wire& wire, std::size_t at, std::uint16_t value) {
  wire[at] = static_cast<std::uint8_t>(value);
  wire[at + 1] = static_cast<std::uint8_t>(value >> 8);
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

TEST(PacketWireImage, EncodesEveryFieldAtItsOffset) {
  StFilledPacket filled;
  Wire expected{};
  expected[2] = 'Q';
  expected[3] = 'Z';
  Put32(expected, 4, kCommandSet);
  Put32(expected, 8, 12);
  Put32(expected, 12, 0x11223344);
  Put16(expected, 16, 2);
  Put32(expected, 20, 1);
  Put32(expected, 24, 0xA1B2C3D4);
  Put16(expected, 28, 115);
  Put32(expected, 32, 0x01020304);
  Put32(expected, 144, 8);
  Put32(expected, 148, 2);
  Put32(expected, 152, 1);
  Put32(expected, 156, 1);
  Put16(expected, 0, 0x0A0B);
  Put32(expected, 160, 0xDEADBEEF);
  filled.packet.status = 0x0A0B;
  filled.packet.word160 = 0xDEADBEEF;

  Wire wire{};
  wire.fill(0xCC);  // padding and unused keys must be written, not left alone
  filled.packet.EncodeWire(wire);
  for (std::size_t i = 0; i < wire.size(); ++i) EXPECT_EQ(wire[i], expected[i]) << "byte " << i;
}

TEST(PacketWireImage, KeyPointerIsTheByteOffsetOfItsSlot) {
  StFilledPacket filled;
  struct Case {
    int slot;
    std::uint32_t offset;
  };
  for (const Case c : {Case{-1, 0}, Case{0, 12}, Case{1, 24}, Case{2, 36}, Case{10, 132}}) {
    filled.packet.keyPointer =
        c.slot < 0 ? nullptr : &filled.packet.keys[static_cast<std::size_t>(c.slot)];
    Wire wire{};
    filled.packet.EncodeWire(wire);
    std::uint32_t got = 0;
    for (std::size_t i = 4; i-- > 0;) got = got << 8 | wire[8 + i];
    EXPECT_EQ(got, c.offset) << "slot " << c.slot;
  }
}

TEST(PacketWireImage, DecodeRebuildsTheEncodedPacket) {
  StFilledPacket filled;
  filled.packet.keyPointer = &filled.packet.keys[1];
  Wire wire{};
  filled.packet.EncodeWire(wire);

  std::array<std::uint8_t, 8> other{};
  StDriverPacket decoded;
  ASSERT_EQ(StDriverPacket::DecodeWire(wire, other.data(), decoded), kStatusOk);
  // Pointers are the decoder's own; every other field shows in the encoding again.
  EXPECT_EQ(decoded.keyPointer, &decoded.keys[1]);
  EXPECT_EQ(decoded.data, other.data());
  EXPECT_EQ(StDriverPacket::Validate(&decoded), kStatusOk);

  Wire again{};
  decoded.EncodeWire(again);
  EXPECT_EQ(again, wire);
}

TEST(PacketWireImage, DecodeRejectsKeyOffsetsOutsideTheArray) {
  StFilledPacket filled;
  Wire wire{};
  filled.packet.EncodeWire(wire);
  for (const std::uint32_t offset : {4U, 11U, 13U, 30U, 144U, 156U, 0xFFFFFFF0U}) {
    Put32(wire, 8, offset);
    StDriverPacket decoded;
    EXPECT_EQ(StDriverPacket::DecodeWire(wire, nullptr, decoded), kStatusMalformedPacket)
        << "offset " << offset;
    EXPECT_EQ(decoded.keyPointer, nullptr);
  }
  Put32(wire, 8, 0);
  StDriverPacket decoded;
  EXPECT_EQ(StDriverPacket::DecodeWire(wire, nullptr, decoded), kStatusOk);
  EXPECT_EQ(StDriverPacket::Validate(&decoded), kStatusNullPointer);
}

// Without a buffer the data pointer field is zero, and decoding gives no data.
TEST(PacketWireImage, DataPointerFollowsTheFlagNotTheBuffer) {
  StDriverPacket packet;
  ASSERT_EQ(packet.Clear(), kStatusOk);
  Wire wire{};
  packet.EncodeWire(wire);
  EXPECT_EQ(wire[152], 0);
  std::uint8_t buffer[4] = {};
  StDriverPacket decoded;
  ASSERT_EQ(StDriverPacket::DecodeWire(wire, buffer, decoded), kStatusOk);
  EXPECT_EQ(decoded.data, nullptr);
}

// Every rejection of Validate, each applied to a well-formed request.
TEST(PacketValidate, RejectsEachMalformation) {
  struct Case {
    std::string name;
    std::function<void(StDriverPacket&)> damage;
    Status expected;
  };
  const std::vector<Case> cases = {
      {"well formed", [](StDriverPacket&) {}, kStatusOk},
      {"signature reversed", [](StDriverPacket& p) { p.signature = {'Z', 'Q'}; }, kStatusMalformedPacket},
      {"no key pointer", [](StDriverPacket& p) { p.keyPointer = nullptr; }, kStatusNullPointer},
      {"code 263", [](StDriverPacket& p) { p.keys[1].code = 263; }, kStatusMalformedPacket},
      {"code 262", [](StDriverPacket& p) { p.keys[1].code = 262; }, kStatusOk},
      {"ten keys without end",
       [](StDriverPacket& p) {
         for (std::size_t i = 0; i < 10; ++i) p.keys[i].code = 1;
       },
       kStatusMalformedPacket},
      {"nine keys then end",
       [](StDriverPacket& p) {
         for (std::size_t i = 0; i < 9; ++i) p.keys[i].code = 1;
       },
       kStatusOk},
      {"key pointer at the end entry", [](StDriverPacket& p) { p.keyPointer = &p.keys[2]; },
       kStatusOk},
      {"key pointer past the end entry", [](StDriverPacket& p) { p.keyPointer = &p.keys[3]; },
       kStatusMalformedPacket},
      {"key pointer outside the packet",
       [](StDriverPacket& p) {
         static const StObjectKey elsewhere{};
         p.keyPointer = &elsewhere;
       },
       kStatusMalformedPacket},
      {"command 7", [](StDriverPacket& p) { p.command = 7; }, kStatusOk},
      {"command 8", [](StDriverPacket& p) { p.command = 8; }, kStatusMalformedPacket},
      {"buffer without capacity",
       [](StDriverPacket& p) {
         p.capacity = 0;
         p.dataLength = 0;
       },
       kStatusMalformedPacket},
      {"capacity without buffer", [](StDriverPacket& p) { p.data = nullptr; },
       kStatusMalformedPacket},
      {"data longer than capacity", [](StDriverPacket& p) { p.dataLength = 9; },
       kStatusMalformedPacket},
      {"no buffer and no capacity",
       [](StDriverPacket& p) {
         p.data = nullptr;
         p.capacity = 0;
         p.dataLength = 0;
       },
       kStatusOk},
  };
  for (const Case& c : cases) {
    StFilledPacket filled;
    c.damage(filled.packet);
    EXPECT_EQ(StDriverPacket::Validate(&filled.packet), c.expected) << c.name;
  }
  EXPECT_EQ(StDriverPacket::Validate(nullptr), kStatusNullPointer);
}

TEST(PacketKeyCopy, StopsAfterTenEntriesAndKeepsTheEleventhZero) {
  std::array<StObjectKey, 11> source{};
  for (std::size_t i = 0; i < source.size(); ++i)
    source[i] = StObjectKey{static_cast<std::uint32_t>(i), static_cast<std::uint16_t>(i + 1), 7};
  StDriverPacket packet;
  ASSERT_EQ(packet.Make(0, nullptr), kStatusOk);
  packet.CopyKeys(source.data());
  for (std::size_t i = 0; i < 10; ++i) EXPECT_EQ(packet.keys[i], source[i]) << i;
  EXPECT_EQ(packet.keys[10], StObjectKey{});
}

TEST(PacketKeyCopy, StopsAfterTheFirstEndEntry) {
  const std::array<StObjectKey, 3> source = {StObjectKey{5, 0, 6}, StObjectKey{0, 9, 9},
                                             StObjectKey{0, 9, 9}};
  StDriverPacket packet;
  ASSERT_EQ(packet.Make(0, nullptr), kStatusOk);
  const StObjectKey sentinel{0xAA, 0xBB, 0xCC};
  packet.keys.fill(sentinel);
  packet.CopyKeys(source.data());
  EXPECT_EQ(packet.keys[0], source[0]) << "the end entry itself is copied, qualifier and all";
  EXPECT_EQ(packet.keys[1], sentinel);
}

TEST(PacketFill, DataLongerThanCapacityChangesNothingButStatus) {
  std::array<std::uint8_t, 4> buffer{1, 2, 3, 4};
  const std::array<std::uint8_t, 5> data{9, 9, 9, 9, 9};
  const std::array<StObjectKey, 2> keys = {StObjectKey{0, 2, 1}, StObjectKey{}};
  StDriverPacket packet;
  ASSERT_EQ(packet.Make(4, buffer.data()), kStatusOk);
  EXPECT_EQ(packet.FillRequest(kCommandSet, keys.data(), 5, data.data(), 1), kStatusDataTooLong);
  EXPECT_EQ(packet.status, kStatusDataTooLong);
  EXPECT_EQ(packet.command, 0U);
  EXPECT_EQ(packet.keys[0], StObjectKey{});
  EXPECT_EQ(buffer, (std::array<std::uint8_t, 4>{1, 2, 3, 4}));
}

TEST(PacketSetData, Outcomes) {
  const std::array<std::uint8_t, 3> source{7, 8, 9};
  std::array<std::uint8_t, 3> buffer{};
  StDriverPacket packet;

  ASSERT_EQ(packet.Make(3, nullptr), kStatusOk);
  EXPECT_EQ(packet.SetData(3, source.data()), kStatusNullPointer) << "no buffer";
  EXPECT_EQ(packet.SetData(4, source.data()), kStatusDataTooLong);

  ASSERT_EQ(packet.Make(3, buffer.data()), kStatusOk);
  EXPECT_EQ(packet.SetData(3, source.data()), kStatusOk);
  EXPECT_EQ(buffer, source);
  EXPECT_EQ(packet.dataLength, 3U);
  EXPECT_EQ(packet.SetData(2, nullptr), kStatusOk) << "null source empties the data";
  EXPECT_EQ(packet.dataLength, 0U);
  ASSERT_EQ(packet.SetData(3, source.data()), kStatusOk);
  EXPECT_EQ(packet.SetData(0, source.data()), kStatusOk);
  EXPECT_EQ(packet.dataLength, 0U);
}

TEST(PacketReadReply, Outcomes) {
  std::array<std::uint8_t, 4> buffer{1, 2, 3, 4};
  StDriverPacket packet;
  ASSERT_EQ(packet.Make(4, buffer.data()), kStatusOk);
  packet.dataLength = 3;

  std::array<std::uint8_t, 4> out{};
  std::uint32_t length = 0;
  EXPECT_EQ(packet.ReadReply(&length, out.data()), kStatusOk) << "zero length";
  EXPECT_EQ(packet.ReadReply(nullptr, out.data()), kStatusOk);
  length = 4;
  EXPECT_EQ(packet.ReadReply(&length, nullptr), kStatusOk);
  EXPECT_EQ(out, (std::array<std::uint8_t, 4>{}));

  length = 2;
  EXPECT_EQ(packet.ReadReply(&length, out.data()), kStatusDataTooLong);
  EXPECT_EQ(out, (std::array<std::uint8_t, 4>{}));

  length = 4;
  EXPECT_EQ(packet.ReadReply(&length, out.data()), kStatusOk);
  EXPECT_EQ(length, 3U);
  EXPECT_EQ(out, (std::array<std::uint8_t, 4>{1, 2, 3, 0}));
}

TEST(PacketMake, FreshPacketAndClear) {
  std::array<std::uint8_t, 2> buffer{};
  StDriverPacket packet;
  packet.command = 5;
  packet.keys[3].code = 4;
  packet.word160 = 1;
  ASSERT_EQ(packet.Make(2, buffer.data()), kStatusOk);
  EXPECT_EQ(packet.signature, (std::array<char, 2>{'Q', 'Z'}));
  EXPECT_EQ(packet.command, 0U);
  EXPECT_EQ(packet.keyPointer, packet.keys.data());
  EXPECT_EQ(packet.keys[3], StObjectKey{});
  EXPECT_EQ(packet.capacity, 2U);
  EXPECT_EQ(packet.data, buffer.data());
  EXPECT_EQ(packet.word160, 0U);
  ASSERT_EQ(packet.Clear(), kStatusOk);
  EXPECT_EQ(packet.capacity, 0U);
  EXPECT_EQ(packet.data, nullptr);
}

TEST(PacketCopy, KeyPointerFollowsIntoTheCopy) {
  StFilledPacket filled;
  filled.packet.keyPointer = &filled.packet.keys[1];
  const StDriverPacket copy(filled.packet);
  EXPECT_EQ(copy.keyPointer, &copy.keys[1]);
}

TEST(PlaceKeeper, PutsTheKeyPointerBack) {
  StFilledPacket filled;
  {
    StObjectKeyPlaceKeeper keeper(filled.packet);
    ++filled.packet.keyPointer;
    ++filled.packet.keyPointer;
  }
  EXPECT_EQ(filled.packet.keyPointer, filled.packet.keys.data());
}

}  // namespace
