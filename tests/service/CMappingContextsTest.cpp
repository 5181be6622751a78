// Mapping contexts as the service keeps them: factory values, removal, and
// the reported rectangles after a restart.
#include <array>
#include <filesystem>
#include <vector>

#include <gtest/gtest.h>

#include "service/ServiceTestSupport.h"
#include "support/CTempDir.h"

namespace {

namespace fs = std::filesystem;
using namespace service_test;
using Path = std::vector<StObjectKey>;
using Words3 = std::array<std::int32_t, 3>;
using Rect = std::array<std::int32_t, 4>;

Path Below(Path path, const Path& more) {
  path.insert(path.end(), more.begin(), more.end());
  return path;
}
Path Context(std::uint32_t tablet, std::uint32_t serial, std::uint32_t identity) {
  return {L(2, tablet), L(12), L(5, 0, 4), L(2), L(5), L(19, serial, 4), L(19, identity)};
}

// A pen display's pen addresses its monitor from the start; other tablets
// map onto the whole screen.
TEST(MappingContextsTest, PenDisplaysStartOnTheirMonitor) {
  for (const auto& [file, mode, monitor] :
       std::vector<std::tuple<const char*, std::uint16_t, std::uint16_t>>{
           {"wireless.json", 0, 0}, {"pen-display.json", 1, 2}, {"tablet-pc.json", 1, 1}}) {
    const StProfile profile = ShippedProfile(file);
    CTabletService service(profile);
    const StToolProfile& pen = profile.tablets[0].tools[0];
    const Path display = Below(Context(0, pen.serial, pen.identity), {L(21, 2)});
    EXPECT_EQ(Get<std::uint16_t>(service, Below(display, {L(150)})), mode) << file;
    EXPECT_EQ(Get<std::uint16_t>(service, Below(display, {L(151)})), monitor) << file;
    EXPECT_EQ(Get<Words3>(service, Below(display, {L(79)})), (Words3{1920, 1080, 0})) << file;
  }
}

TEST(MappingContextsTest, RemovalFromTheRootDropsTheContextOnEveryTablet) {
  CTabletService service(ShippedProfile("two-tablets.json"));
  CDriverModel& model = service.Model();
  auto speed = [&service](std::uint32_t tablet) {
    return Get<std::uint16_t>(service, Below(Context(tablet, 0x77, 3), {L(21, 2), L(191)}));
  };
  auto setBoth = [&service] {
    for (const std::uint32_t tablet : {0U, 1U})
      ASSERT_EQ(Set(service, Below(Context(tablet, 0x77, 3), {L(21, 2), L(191)}), std::uint16_t{9}),
                kStatusOk);
  };
  const Path removal{L(12), L(5, 0, 4), L(3), L(5), L(136, 0x77, 4), L(136, 3)};
  setBoth();
  const std::uint64_t before = model.Generation();
  ASSERT_EQ(model.Remove(removal), kStatusOk);
  EXPECT_GT(model.Generation(), before) << "the state file must hear of it";
  EXPECT_EQ(speed(0), 5);
  EXPECT_EQ(speed(1), 5);

  setBoth();
  ASSERT_EQ(model.Remove(Below({L(2, 1)}, removal)), kStatusOk);
  EXPECT_EQ(speed(0), 9) << "only the tablet named";
  EXPECT_EQ(speed(1), 5);
  EXPECT_EQ(model.Remove(Below({L(2, 7)}, removal)), kStatusNotFound);
  EXPECT_EQ(model.Remove(Path{L(12), L(5, 0, 4), L(2), L(5), L(136, 1, 4), L(136, 1)}),
            kStatusNotFound);
}

TEST(MappingContextsTest, RestartKeepsTheReportedRectangleInStep) {
  CTempDir dir;
  const fs::path state = fs::path(dir.Path()) / "state.json";
  const Path area = Below(Context(0, 0x1234, 1), {L(20, 2)});
  {
    CTabletService service(MakeDefaultProfile(), state);
    ASSERT_EQ(Set(service, Below(area, {L(61)}), Words3{1000, 2000, 0}), kStatusOk);
    EXPECT_EQ(Set(service, Below(area, {L(243)}), Rect{}), kStatusReadOnly);
  }
  CTabletService service(MakeDefaultProfile(), state);
  EXPECT_EQ(Get<Rect>(service, Below(area, {L(243)})), (Rect{0, 0, 2000, 1000}));
}

}  // namespace
