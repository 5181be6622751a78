#include <array>
#include <vector>

#include <gtest/gtest.h>

#include "driver/CDataKey.h"
#include "service/ServiceTestSupport.h"
#include "support/CRecordingDriverInterface.h"

namespace {

using Levels = std::vector<StObjectKey>;
using service_test::L;

// Requests go the applet's way: data key, driver interface, packet, service.
class DriverModelTest : public ::testing::Test {
 protected:
  void SetUp() override {
    auto iface = std::make_unique<CRecordingDriverInterface>(std::make_unique<CTabletService>());
    m_interface = iface.get();
    InstallDriverInterface(std::move(iface));
  }
  void TearDown() override { ReleaseDriverInterface(); }

  static Status Request(const Levels& levels, std::uint32_t command, std::uint16_t size,
                        void* buffer) {
    CDataKey key;
    for (const StObjectKey& level : levels)
      key.AppendLevel(level.code, level.index, level.qualifier);
    return key.Request(command, size, buffer);
  }
  template <typename T>
  static T Read(const Levels& levels) {
    T value{};
    EXPECT_EQ(Request(levels, kCommandGet, sizeof(T), &value), kStatusOk);
    return value;
  }
  template <typename T>
  static Status Set(const Levels& levels, T value) {
    return Request(levels, kCommandSet, sizeof(T), &value);
  }

  CRecordingDriverInterface* m_interface = nullptr;
};

const Levels kTablet{L(2, 0)};
const Levels kPen{L(2, 0), L(4, 0)};

Levels Under(Levels base, std::initializer_list<StObjectKey> more) {
  base.insert(base.end(), more);
  return base;
}

TEST_F(DriverModelTest, UnknownPathsAnswerNotFound) {
  const std::vector<Levels> unknown{
      Under(kTablet, {L(4, 9), L(115)}),  // no such tool number
      {L(2, 3), L(124)},                  // no such tablet
      Under(kPen, {L(11, 5), L(41)}),     // a stylus has no button 5
      Under(kTablet, {L(12), L(5, 0, 5), L(19, 0, 5), L(21, 2), L(151)}),  // not a pen display
      Under(kTablet, {L(3), L(52)}),                                       // not wireless
      Under(kTablet, {L(23, 77, 1), L(116)}),                              // no application 77
      Under(kPen, {L(11, 3), L(104, 3)}),  // a modifier that is not one bit
  };
  for (const Levels& path : unknown) {
    std::uint32_t value = 0;
    EXPECT_EQ(Request(path, kCommandGet, 4, &value), kStatusNotFound) << path.back().code;
  }
}

TEST_F(DriverModelTest, ModifierBitsAndMaskAreOneValue) {
  const Levels mask = Under(kPen, {L(11, 3), L(104)});
  ASSERT_EQ(Set(Under(kPen, {L(11, 3), L(104, 4)}), std::uint16_t{1}), kStatusOk);
  ASSERT_EQ(Set(Under(kPen, {L(11, 3), L(104, 32)}), std::uint16_t{1}), kStatusOk);
  EXPECT_EQ(Read<std::uint16_t>(mask), 36);
  ASSERT_EQ(Set(mask, std::uint16_t{0x3}), kStatusOk);
  EXPECT_EQ(Read<std::uint16_t>(Under(kPen, {L(11, 3), L(104, 2)})), 1);
  EXPECT_EQ(Read<std::uint16_t>(Under(kPen, {L(11, 3), L(104, 32)})), 0);
}

TEST_F(DriverModelTest, RequestsThatDoNotFitChangeNothing) {
  const Levels function = Under(kPen, {L(11, 2), L(41)});
  EXPECT_EQ(Set(function, std::uint16_t{7}), kStatusWrongSize);
  EXPECT_EQ(Set(function, std::uint64_t{7}), kStatusWrongSize);
  EXPECT_EQ(Read<std::uint32_t>(function), 3u);
  // A reply never exceeds the caller's capacity.
  std::uint8_t small[2] = {0xAA, 0xAA};
  EXPECT_EQ(Request(function, kCommandGet, 2, small), kStatusDataTooLong);
  EXPECT_EQ(small[0], 0xAA);
  // Identity values are the driver's own, and neither they nor counts have defaults.
  std::uint32_t value = 0;
  EXPECT_EQ(Set(Under(kPen, {L(38)}), std::uint32_t{1}), kStatusReadOnly);
  EXPECT_EQ(Request(Under(kPen, {L(38)}), kCommandGetDefault, 4, &value), kStatusNotSupported);
  EXPECT_EQ(Request(Under(kTablet, {L(28, 4)}), kCommandGetDefault, 2, &value),
            kStatusNotSupported);
}

TEST_F(DriverModelTest, APresentFlagTakesATabletOutOfUse) {
  ASSERT_EQ(Set(Under(kTablet, {L(172)}), std::uint8_t{0}), kStatusOk);
  EXPECT_EQ(Read<std::uint16_t>({L(28, 2)}), 1);  // numbers are never reused
  EXPECT_EQ(Read<std::uint16_t>({L(251, 2)}), 0);
}

TEST_F(DriverModelTest, ApplicationsCarryFunctionSetsOnEveryTablet) {
  std::uint16_t number = 0xFFFF;
  ASSERT_EQ(Request({L(18), L(142)}, kCommandCreate, 2, &number), kStatusOk);
  EXPECT_EQ(number, 1);
  EXPECT_EQ(Read<std::uint16_t>(Under(kTablet, {L(28, 9, 4), L(7)})), 2);

  ASSERT_EQ(Set({L(18), L(9, 1), L(116)}, std::uint32_t{294}), kStatusOk);
  EXPECT_EQ(Read<std::uint32_t>(Under(kTablet, {L(23, 294, 1), L(116)})), 294u);

  // Both parts of a set go before the set leaves the count.
  ASSERT_EQ(Request(Under(kTablet, {L(158, 294, 1)}), kCommandRemove, 0, nullptr), kStatusOk);
  EXPECT_EQ(Read<std::uint16_t>(Under(kTablet, {L(28, 9, 4), L(7)})), 2);
  ASSERT_EQ(Request(Under(kTablet, {L(157, 294, 1)}), kCommandRemove, 0, nullptr), kStatusOk);
  EXPECT_EQ(Read<std::uint16_t>(Under(kTablet, {L(28, 9, 4), L(7)})), 1);

  ASSERT_EQ(Request({L(18), L(142, 1)}, kCommandRemove, 0, nullptr), kStatusOk);
  EXPECT_EQ(Read<std::uint16_t>({L(18), L(28)}), 1);
  EXPECT_EQ(Request({L(18), L(142, 0)}, kCommandRemove, 0, nullptr), kStatusNotSupported);
  EXPECT_EQ(Request({L(18), L(142, 5)}, kCommandRemove, 0, nullptr), kStatusNotFound);
}

TEST_F(DriverModelTest, PopupEntriesAreCreatedAndRemoved) {
  const Levels popup = Under(kTablet, {L(7, 0, 1)});
  ASSERT_EQ(Request(Under(popup, {L(159)}), kCommandCreate, 0, nullptr), kStatusOk);
  ASSERT_EQ(Request(Under(popup, {L(159)}), kCommandCreate, 0, nullptr), kStatusOk);
  ASSERT_EQ(Set(Under(popup, {L(8, 1), L(41)}), std::uint32_t{7}), kStatusOk);
  ASSERT_EQ(Request(Under(popup, {L(159, 0)}), kCommandRemove, 0, nullptr), kStatusOk);
  EXPECT_EQ(Read<std::uint16_t>(Under(popup, {L(146)})), 1);
  EXPECT_EQ(Read<std::uint32_t>(Under(popup, {L(8, 0), L(41)})), 7u);  // the later entry moved up
  // The reset write carries no data.
  EXPECT_EQ(Request(Under(popup, {L(198)}), kCommandSet, 0, nullptr), kStatusOk);
}

TEST_F(DriverModelTest, MalformedPacketsAnswer513AndChangeNothing) {
  std::uint32_t value = 9;
  StDriverPacket packet;
  ASSERT_EQ(packet.Make(4, &value), kStatusOk);
  const StObjectKey keys[] = {L(2, 0), L(4, 0), L(11, 2), L(41), {}};
  ASSERT_EQ(packet.FillRequest(kCommandSet, keys, 4, &value, 1), kStatusOk);
  StDriverPacket spoiled = packet;
  spoiled.keys[1].code = 263;
  EXPECT_EQ(m_interface->Service().HandlePacket(spoiled), kStatusMalformedPacket);
  EXPECT_EQ(Read<std::uint32_t>({L(2, 0), L(4, 0), L(11, 2), L(41)}), 3u);
  EXPECT_EQ(m_interface->Service().HandlePacket(packet), kStatusOk);
  EXPECT_EQ(Read<std::uint32_t>({L(2, 0), L(4, 0), L(11, 2), L(41)}), 9u);
}

}  // namespace
