// Mapping contexts as the service keeps them: factory values, the
// rectangles it reports, removal, and a restart from the state file.
#include "service/CMappingContexts.h"

#include <gtest/gtest.h>

#include <array>
#include <cstring>
#include <filesystem>
#include <vector>

#include "service/CProfileReader.h"
#include "service/CTabletService.h"
#include "support/CTempDir.h"

namespace {

namespace fs = std::filesystem;
using Path = std::vector<StObjectKey>;
using Words3 = std::array<std::int32_t, 3>;
using Rect4 = std::array<std::int32_t, 4>;

StObjectKey L(std::uint16_t code, std::uint32_t index = 0, std::uint32_t qualifier = 0) {
  return {qualifier, code, index};
}

Path Context(std::uint32_t tablet, std::uint32_t serial, std::uint32_t identity) {
  return {L(2, tablet), L(12), L(5, 0, 4), L(2), L(5), L(19, serial, 4), L(19, identity)};
}
Path Below(Path path, const Path& more) {
  path.insert(path.end(), more.begin(), more.end());
  return path;
}

template <typename T>
Status Get(CDriverModel& model, const Path& path, T& value) {
  std::array<std::uint8_t, sizeof(T)> bytes{};
  std::uint32_t length = 0;
  const Status status = model.Get(path, bytes, length);
  std::memcpy(&value, bytes.data(), sizeof(T));
  return status;
}
template <typename T>
T Read(CDriverModel& model, const Path& path) {
  T value{};
  EXPECT_EQ(Get(model, path, value), kStatusOk);
  return value;
}
template <typename T>
Status Set(CDriverModel& model, const Path& path, const T& value) {
  std::array<std::uint8_t, sizeof(T)> bytes{};
  std::memcpy(bytes.data(), &value, sizeof(T));
  return model.Set(path, bytes);
}

StProfile Profile(const char* file) {
  StProfile profile = MakeDefaultProfile();
  std::string error;
  EXPECT_TRUE(CProfileReader::ReadFile(fs::path(KELVO_SOURCE_DIR) / "service/profiles" / file, profile, error))
      << error;
  return profile;
}

TEST(MappingContextsTest, FactoryValuesCoverTheWholeTabletAndScreen) {
  struct Row {
    StProfile profile;
    std::int32_t width, height;
    std::uint16_t mode, monitor;
  };
  const Row rows[] = {{MakeDefaultProfile(), 20320, 15240, 0, 0}, {Profile("pen-display.json"), 30480, 22860, 1, 2}};
  for (const Row& row : rows) {
    SCOPED_TRACE(row.profile.name);
    CTabletService service(row.profile);
    CDriverModel& model = service.Model();
    const auto& tool = row.profile.tablets[0].tools[0];
    const Path context = Context(0, tool.serial, tool.identity);
    EXPECT_EQ(Read<Words3>(model, Below(context, {L(20, 2), L(61)})), (Words3{row.width, row.height, 0}));
    EXPECT_EQ(Read<Rect4>(model, Below(context, {L(20, 2), L(243)})), (Rect4{0, 0, row.height, row.width}));
    EXPECT_EQ(Read<Words3>(model, Below(context, {L(21, 2), L(79)})), (Words3{1920, 1080, 0}));
    EXPECT_EQ(Read<Rect4>(model, Below(context, {L(21, 2), L(242)})), (Rect4{0, 0, 1080, 1920}));
    EXPECT_EQ(Read<std::uint16_t>(model, Below(context, {L(21, 2), L(150)})), row.mode);
    EXPECT_EQ(Read<std::uint16_t>(model, Below(context, {L(21, 2), L(151)})), row.monitor);
    // The common display monitor answers on pen displays only.
    const Path common{L(2, 0), L(12), L(5, 0, 5), L(19, 0, 5), L(21, 2), L(151)};
    std::uint16_t monitor = 0;
    EXPECT_EQ(Get(model, common, monitor), row.monitor != 0 ? kStatusOk : kStatusNotFound);
    EXPECT_EQ(monitor, row.monitor);
  }
}

TEST(MappingContextsTest, ReportedRectanglesFollowEveryChangeOfTheirOwnPart) {
  CTabletService service;
  CDriverModel& model = service.Model();
  const Path context = Context(0, 0x1234, 1);
  ASSERT_EQ(Set(model, Below(context, {L(20, 1), L(60)}), Words3{10, 20, 5}), kStatusOk);
  ASSERT_EQ(Set(model, Below(context, {L(20, 1), L(61)}), Words3{100, 200, 5}), kStatusOk);
  ASSERT_EQ(Set(model, Below(context, {L(21, 2), L(78)}), Words3{-1920, 0, 0}), kStatusOk);
  EXPECT_EQ(Read<Rect4>(model, Below(context, {L(20, 1), L(243)})), (Rect4{20, 10, 220, 110}));
  EXPECT_EQ(Read<Rect4>(model, Below(context, {L(20, 0), L(243)})), (Rect4{0, 0, 15240, 20320}))
      << "another part keeps its own";
  EXPECT_EQ(Read<Rect4>(model, Below(context, {L(21, 2), L(242)})), (Rect4{0, -1920, 1080, 0}));
  // The driver keeps what it reports.
  EXPECT_EQ(Set(model, Below(context, {L(21, 2), L(242)}), Rect4{1, 2, 3, 4}), kStatusReadOnly);
  // Another tool's context still reads the factory rectangle.
  EXPECT_EQ(Read<Rect4>(model, Below(Context(0, 0x5678, 2), {L(20, 1), L(243)})), (Rect4{0, 0, 15240, 20320}));
}

TEST(MappingContextsTest, RemovalFromTheRootDropsTheContextOnEveryTablet) {
  StProfile profile = Profile("two-tablets.json");
  CTabletService service(profile);
  CDriverModel& model = service.Model();
  auto speed = [](std::uint32_t tablet) { return Below(Context(tablet, 0x77, 3), {L(21, 2), L(191)}); };
  auto setBoth = [&] {
    for (const std::uint32_t tablet : {0U, 1U}) ASSERT_EQ(Set(model, speed(tablet), std::uint16_t{9}), kStatusOk);
  };
  const Path removal{L(12), L(5, 0, 4), L(3), L(5), L(136, 0x77, 4), L(136, 3)};

  setBoth();
  const std::uint64_t before = model.Generation();
  ASSERT_EQ(model.Remove(removal), kStatusOk);
  EXPECT_GT(model.Generation(), before) << "the state file must hear of it";
  EXPECT_EQ(Read<std::uint16_t>(model, speed(0)), 5);
  EXPECT_EQ(Read<std::uint16_t>(model, speed(1)), 5);

  setBoth();
  ASSERT_EQ(model.Remove(Below({L(2, 1)}, removal)), kStatusOk);
  EXPECT_EQ(Read<std::uint16_t>(model, speed(0)), 9) << "only the tablet named";
  EXPECT_EQ(Read<std::uint16_t>(model, speed(1)), 5);

  // A context never written is removed without complaint; a bad shape or a
  // tablet that is not there is not found.
  EXPECT_EQ(model.Remove(Path{L(12), L(5, 0, 4), L(3), L(5), L(136, 1, 4), L(136, 1)}), kStatusOk);
  EXPECT_EQ(model.Remove(Path{L(12), L(5, 0, 4), L(2), L(5), L(136, 1, 4), L(136, 1)}), kStatusNotFound);
  EXPECT_EQ(model.Remove(Below({L(2, 7)}, removal)), kStatusNotFound);
}

TEST(MappingContextsTest, RestartKeepsOriginExtentAndTheRectangleInStep) {
  CTempDir dir;
  const fs::path state = fs::path(dir.Path()) / "state.json";
  const Path area = Below(Context(0, 0x1234, 1), {L(20, 2)});
  {
    CTabletService service(MakeDefaultProfile(), state);
    ASSERT_EQ(Set(service.Model(), Below(area, {L(61)}), Words3{1000, 2000, 0}), kStatusOk);
  }
  CTabletService service(MakeDefaultProfile(), state);
  EXPECT_EQ(Read<Words3>(service.Model(), Below(area, {L(61)})), (Words3{1000, 2000, 0}));
  EXPECT_EQ(Read<Rect4>(service.Model(), Below(area, {L(243)})), (Rect4{0, 0, 2000, 1000}));
}

}  // namespace
