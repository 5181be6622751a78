#include <filesystem>
#include <fstream>
#include <functional>
#include <tuple>

#include <gtest/gtest.h>

#include "toolkit/ZafClassTable.h"
#include "toolkit/storage/CZncWriter.h"
#include "toolkit/storage/ZafStorage.h"
#include "toolkit/storage/ZncFormat.h"

#include <sys/stat.h>

namespace {

StResourceObject Object(const char* className) {
  StResourceObject o;
  o.className = className;
  o.classId = ZafClassTable::FindWindowClass(className)->id;
  return o;
}

// A window that uses every field, with children.
StResourceObject FullWindow() {
  StResourceObject w = Object("ZafDialogWindow");
  w.stringId = "Dialog";
  w.numberId = 2000;
  w.text = "Title \xE2\x9C\x93";
  w.quickTip = "tip";
  w.region = std::array<std::int32_t, 4>{-5, 6, 300, 200};
  w.styles = znc::StyleBit("modal") | znc::StyleBit("sizeable");
  w.flags = znc::kFlagHidden | znc::kFlagDisabled | znc::kFlagChecked;
  w.value = -7;
  w.minimum = 1;
  w.maximum = 9;
  w.step = 2;
  w.entries = std::vector<StResourceEntry>{{"One", "E1", 1}, {"Two", "E2", 2}};
  w.bitmap = "Pic";
  w.foreground = 16;
  w.background = -1;
  w.pageText = "Page";
  w.children = {Object("ZafButton"), Object("CThumbnail")};
  return w;
}

std::vector<std::uint8_t> FileWith(const StResourceObject& window) {
  CZncWriter writer;
  EXPECT_EQ(writer.AddWindow("Dialog", window), kStatusOk);
  return writer.Build();
}

// Rewrites the checksum, so damage past the header reaches the deeper checks.
void Reseal(std::vector<std::uint8_t>& file) {
  const std::uint32_t crc =
      znc::Crc32({file.data() + znc::kHeaderSize, file.size() - znc::kHeaderSize});
  for (std::size_t i = 0; i < 4; ++i) file[20 + i] = static_cast<std::uint8_t>(crc >> (8 * i));
}

TEST(ZafStorage, EveryClassAndFieldSurvivesTheRoundTrip) {
  const StResourceObject window = FullWindow();
  CZncWriter writer;
  ASSERT_EQ(writer.AddWindow("Dialog", window), kStatusOk);
  EXPECT_EQ(writer.AddWindow("Dialog", window), kStatusAlreadyExists);
  const StResourceData data[] = {
      {"ZafStringData", 3105, "Greeting", "Hello", 0, 0, 0, {}, {}},
      {"ZafIntegerData", 3103, "Count", "", -42, 0, 0, {}, {}},
      {"ZafBitmapData", 3112, "Pic", "", 0, 2, 2, {0xFF, 16, 251, 0}, {}},
      {std::string(znc::kLanguageClassName),
       znc::kLanguageClassId,
       "LanguageStrings",
       "",
       0,
       0,
       0,
       {},
       {{"en", {{"A~B", "Text"}, {"A~B_QTIP", "Tip"}}}, {"de", {{"A~B", "Text (de)"}}}}}};
  for (const StResourceData& d : data) ASSERT_EQ(writer.AddData(d), kStatusOk);

  ZafStorage storage;
  ASSERT_EQ(storage.OpenBytes(writer.Build()), kStatusOk);
  StResourceObject back;
  ASSERT_EQ(storage.ReadWindow("Dialog", back), kStatusOk);
  EXPECT_EQ(back, window);
  for (const StResourceData& d : data) {
    StResourceData read;
    ASSERT_EQ(storage.ReadData(d.name, read), kStatusOk) << d.name;
    EXPECT_EQ(read, d) << d.name;
  }
  EXPECT_EQ(storage.WindowNames(), std::vector<std::string>{"Dialog"});
  StResourceData none;
  EXPECT_EQ(storage.ReadData("Dialog", none), kStatusNotFound);  // windows and data are apart
  EXPECT_EQ(storage.ReadWindow("Greeting", back), kStatusNotFound);
}

// Whatever stands at the path, opening answers a status and says what was
// wrong, never throws and never waits.
TEST(ZafStorage, APathThatIsNoResourceFileIsReportedAndNothingCanBeRead) {
  const std::string folder = ::testing::TempDir() + "/storage-test-folder.znc";
  const std::string pipe = ::testing::TempDir() + "/storage-test-pipe.znc";
  const std::string damaged = ::testing::TempDir() + "/storage-test-damaged.znc";
  std::filesystem::create_directory(folder);
  ASSERT_EQ(mkfifo(pipe.c_str(), 0600), 0);
  std::ofstream(damaged) << "not a resource file";
  const std::tuple<std::string, Status, const char*> cases[] = {
      {"/nonexistent/Tablet.znc", kStatusResourceMissing, "no such file"},
      {folder, kStatusResourceMissing, "is a folder"},
      {pipe, kStatusResourceMissing, "is not a regular file"},
      {damaged, kStatusResourceDamaged, "is damaged"},
  };
  for (const auto& [path, status, problem] : cases) {
    ZafStorage storage;
    EXPECT_EQ(storage.Open(path), status) << path;
    EXPECT_TRUE(storage.Problem().starts_with(problem)) << storage.Problem();
    StResourceObject out;
    EXPECT_NE(storage.ReadWindow("Dialog", out), kStatusOk);
  }
  for (const std::string& path : {folder, pipe, damaged}) std::filesystem::remove(path);
}

// Damage of every kind gives kStatusResourceDamaged, at open or at read.
TEST(ZafStorage, DamagedFilesGiveAStatusAndNeverACrash) {
  const std::vector<std::uint8_t> good = FileWith(FullWindow());
  using Damage = std::function<void(std::vector<std::uint8_t>&)>;
  const auto at = [](std::size_t offset, std::uint8_t value) -> Damage {
    return [=](std::vector<std::uint8_t>& f) { f[offset] = value; };
  };
  // The window's first field tag follows its class id, name and field count.
  const std::size_t firstTag = znc::kHeaderSize + 2 + 2 + 15 + 2;
  const std::tuple<const char*, Damage, bool> rows[] = {
      {"short header", [](auto& f) { f.resize(20); }, false},
      {"other magic", at(0, 'X'), false},
      {"other version", at(4, 9), false},
      {"truncated", [](auto& f) { f.resize(f.size() - 3); }, false},
      {"flipped payload byte", [](auto& f) { f[f.size() / 2] ^= 0x40; }, false},
      {"directory past the end", at(15, 0x7F), true},
      {"entry count too large", at(11, 0x7F), true},
      {"class id of another class", at(znc::kHeaderSize, 99), true},
      {"class name unknown", at(znc::kHeaderSize + 4, 'Q'), true},
      {"field count too large", at(firstTag - 1, 0x7F), true},
      {"unknown tag", at(firstTag, 0x55), true},
  };
  for (const auto& [what, damage, reseal] : rows) {
    std::vector<std::uint8_t> file = good;
    damage(file);
    if (reseal) Reseal(file);
    ZafStorage storage;
    Status status = storage.OpenBytes(file);
    StResourceObject out;
    if (status == kStatusOk) status = storage.ReadWindow("Dialog", out);
    EXPECT_EQ(status, kStatusResourceDamaged) << what;
  }
}

TEST(ZafStorage, TooDeepNestingAndImpossibleBitmapsAreRefused) {
  StResourceObject deep = Object("ZafWindow");
  for (std::size_t i = 0; i < znc::kMaxDepth + 2; ++i) {
    StResourceObject outer = Object("ZafWindow");
    outer.children.push_back(std::move(deep));
    deep = std::move(outer);
  }
  ZafStorage storage;
  ASSERT_EQ(storage.OpenBytes(FileWith(deep)), kStatusOk);
  StResourceObject out;
  EXPECT_EQ(storage.ReadWindow("Dialog", out), kStatusResourceDamaged);

  CZncWriter writer;
  // 252 is past the colour table.
  ASSERT_EQ(writer.AddData({"ZafBitmapData", 3112, "Pic", "", 0, 2, 1, {16, 252}, {}}), kStatusOk);
  ASSERT_EQ(storage.OpenBytes(writer.Build()), kStatusOk);
  StResourceData read;
  EXPECT_EQ(storage.ReadData("Pic", read), kStatusResourceDamaged);
}

}  // namespace
