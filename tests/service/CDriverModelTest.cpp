#include <array>
#include <vector>

#include <gtest/gtest.h>

#include "service/ServiceTestSupport.h"

namespace {

using Levels = std::vector<StObjectKey>;
using namespace service_test;

const Levels kTablet{L(2, 0)};
const Levels kPen{L(2, 0), L(4, 0)};

Levels Under(Levels base, std::initializer_list<StObjectKey> more) {
  base.insert(base.end(), more);
  return base;
}

// A request whose data are `room` zero bytes.
std::uint32_t Command(CTabletService& service, std::uint32_t command, const Levels& path,
                      std::size_t room = 0) {
  std::vector<std::uint8_t> data(room, 0);
  return Request(service, command, path, data);
}

TEST(DriverModelTest, UnknownPathsAnswerNotFound) {
  CTabletService service;
  const std::vector<Levels> unknown{
      Under(kTablet, {L(4, 9), L(115)}),  // no such tool number
      {L(2, 3), L(124)},                  // no such tablet
      Under(kPen, {L(11, 5), L(41)}),     // a stylus has no button 5
      Under(kTablet, {L(12), L(5, 0, 5), L(19, 0, 5), L(21, 2), L(151)}),  // not a pen display
      Under(kTablet, {L(3), L(52)}),                                       // not wireless
      Under(kTablet, {L(23, 77, 1), L(116)}),                              // no application 77
      Under(kPen, {L(11, 3), L(104, 3)}),  // a modifier that is not one bit
  };
  for (const Levels& path : unknown)
    EXPECT_EQ(Command(service, kCommandGet, path, 4), kStatusNotFound) << path.back().code;
}

TEST(DriverModelTest, ModifierBitsAndMaskAreOneValue) {
  CTabletService service;
  const Levels mask = Under(kPen, {L(11, 3), L(104)});
  ASSERT_EQ(Set(service, Under(kPen, {L(11, 3), L(104, 4)}), std::uint16_t{1}), kStatusOk);
  ASSERT_EQ(Set(service, Under(kPen, {L(11, 3), L(104, 32)}), std::uint16_t{1}), kStatusOk);
  EXPECT_EQ(Get<std::uint16_t>(service, mask), 36);
  ASSERT_EQ(Set(service, mask, std::uint16_t{0x3}), kStatusOk);
  EXPECT_EQ(Get<std::uint16_t>(service, Under(kPen, {L(11, 3), L(104, 2)})), 1);
  EXPECT_EQ(Get<std::uint16_t>(service, Under(kPen, {L(11, 3), L(104, 32)})), 0);
}

TEST(DriverModelTest, RequestsThatDoNotFitChangeNothing) {
  CTabletService service;
  const Levels function = Under(kPen, {L(11, 2), L(41)});
  EXPECT_EQ(Set(service, function, std::uint16_t{7}), kStatusWrongSize);
  EXPECT_EQ(Set(service, function, std::uint64_t{7}), kStatusWrongSize);
  EXPECT_EQ(GetU32(service, function), 3u);
  // A reply never exceeds the caller's capacity.
  EXPECT_EQ(Command(service, kCommandGet, function, 2), kStatusDataTooLong);
  // Identity values are the driver's own, and neither they nor counts have defaults.
  EXPECT_EQ(SetU32(service, Under(kPen, {L(38)}), 1), kStatusReadOnly);
  EXPECT_EQ(Command(service, kCommandGetDefault, Under(kPen, {L(38)}), 4), kStatusNotSupported);
  EXPECT_EQ(Command(service, kCommandGetDefault, Under(kTablet, {L(28, 4)}), 2),
            kStatusNotSupported);
}

TEST(DriverModelTest, APresentFlagTakesATabletOutOfUse) {
  CTabletService service;
  ASSERT_EQ(Set(service, Under(kTablet, {L(172)}), std::uint8_t{0}), kStatusOk);
  EXPECT_EQ(Get<std::uint16_t>(service, {L(28, 2)}), 1);  // numbers are never reused
  EXPECT_EQ(Get<std::uint16_t>(service, {L(251, 2)}), 0);
}

TEST(DriverModelTest, ApplicationsCarryFunctionSetsOnEveryTablet) {
  CTabletService service;
  const Levels sets = Under(kTablet, {L(28, 9, 4), L(7)});
  std::vector<std::uint8_t> number(2, 0xFF);
  ASSERT_EQ(Request(service, kCommandCreate, {L(18), L(142)}, number), kStatusOk);
  EXPECT_EQ(number, (std::vector<std::uint8_t>{1, 0}));
  EXPECT_EQ(Get<std::uint16_t>(service, sets), 2);

  ASSERT_EQ(SetU32(service, {L(18), L(9, 1), L(116)}, 294), kStatusOk);
  EXPECT_EQ(GetU32(service, Under(kTablet, {L(23, 294, 1), L(116)})), 294u);

  // Both parts of a set go before the set leaves the count.
  ASSERT_EQ(Command(service, kCommandRemove, Under(kTablet, {L(158, 294, 1)})), kStatusOk);
  EXPECT_EQ(Get<std::uint16_t>(service, sets), 2);
  ASSERT_EQ(Command(service, kCommandRemove, Under(kTablet, {L(157, 294, 1)})), kStatusOk);
  EXPECT_EQ(Get<std::uint16_t>(service, sets), 1);

  ASSERT_EQ(Command(service, kCommandRemove, {L(18), L(142, 1)}), kStatusOk);
  EXPECT_EQ(Get<std::uint16_t>(service, {L(18), L(28)}), 1);
  EXPECT_EQ(Command(service, kCommandRemove, {L(18), L(142, 0)}), kStatusNotSupported);
  EXPECT_EQ(Command(service, kCommandRemove, {L(18), L(142, 5)}), kStatusNotFound);
}

TEST(DriverModelTest, PopupEntriesAreCreatedAndRemoved) {
  CTabletService service;
  const Levels popup = Under(kTablet, {L(7, 0, 1)});
  ASSERT_EQ(Command(service, kCommandCreate, Under(popup, {L(159)})), kStatusOk);
  ASSERT_EQ(Command(service, kCommandCreate, Under(popup, {L(159)})), kStatusOk);
  ASSERT_EQ(SetU32(service, Under(popup, {L(8, 1), L(41)}), 7), kStatusOk);
  ASSERT_EQ(Command(service, kCommandRemove, Under(popup, {L(159, 0)})), kStatusOk);
  EXPECT_EQ(Get<std::uint16_t>(service, Under(popup, {L(146)})), 1);
  EXPECT_EQ(GetU32(service, Under(popup, {L(8, 0), L(41)})), 7u);  // the later entry moved up
  // The reset write carries no data.
  EXPECT_EQ(Command(service, kCommandSet, Under(popup, {L(198)})), kStatusOk);
}

TEST(DriverModelTest, MalformedPacketsAnswer513AndChangeNothing) {
  CTabletService service;
  std::uint32_t value = 9;
  StDriverPacket packet;
  ASSERT_EQ(packet.Make(4, &value), kStatusOk);
  const StObjectKey keys[] = {L(2, 0), L(4, 0), L(11, 2), L(41), {}};
  ASSERT_EQ(packet.FillRequest(kCommandSet, keys, 4, &value, kRequestModeApplet), kStatusOk);
  StDriverPacket spoiled = packet;
  spoiled.keys[1].code = 263;
  EXPECT_EQ(service.HandlePacket(spoiled), kStatusMalformedPacket);
  EXPECT_EQ(GetU32(service, Button(0, 2)), 3u);
  EXPECT_EQ(service.HandlePacket(packet), kStatusOk);
  EXPECT_EQ(GetU32(service, Button(0, 2)), 9u);
}

}  // namespace
