#include <filesystem>
#include <fstream>

#include <gtest/gtest.h>

#include "toolkit/storage/CZncWriter.h"
#include "toolkit/ZafClassTable.h"
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

// A window that uses every field, with children of every window class.
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
  for (const StClassInfo& info : ZafClassTable::WindowClasses()) {
    StResourceObject child;
    child.className = std::string(info.name);
    child.classId = info.id;
    child.stringId = std::string(info.name) + std::to_string(info.id);
    w.children.push_back(child);
  }
  return w;
}

std::vector<std::uint8_t> FileWith(const StResourceObject& window, const std::string& name = "Dialog") {
  CZncWriter writer;
  EXPECT_EQ(writer.AddWindow(name, window), kStatusOk);
  return writer.Build();
}

// Rewrites the checksum, so damage past the header reaches the deeper checks.
void Reseal(std::vector<std::uint8_t>& file) {
  const std::uint32_t crc = znc::Crc32({file.data() + znc::kHeaderSize, file.size() - znc::kHeaderSize});
  for (int i = 0; i < 4; ++i) file[20 + static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(crc >> (8 * i));
}

TEST(ZafStorage, EveryClassAndFieldSurvivesTheRoundTrip) {
  const StResourceObject window = FullWindow();
  CZncWriter writer;
  ASSERT_EQ(writer.AddWindow("Dialog", window), kStatusOk);
  EXPECT_EQ(writer.AddWindow("Dialog", window), kStatusAlreadyExists);

  StResourceData text{"ZafStringData", 3105, "Greeting", "Hello", 0, 0, 0, {}, {}};
  StResourceData number{"ZafIntegerData", 3103, "Count", "", -42, 0, 0, {}, {}};
  StResourceData bitmap{"ZafBitmapData", 3112, "Pic", "", 0, 2, 2, {0xFF, 16, 251, 0}, {}};
  StResourceData strings{std::string(znc::kLanguageClassName), znc::kLanguageClassId, "LanguageStrings", "", 0, 0, 0, {},
                         {{"en", {{"A~B", "Text"}, {"A~B_QTIP", "Tip"}}}, {"de", {{"A~B", "Text (de)"}}}}};
  for (const StResourceData* d : {&text, &number, &bitmap, &strings}) ASSERT_EQ(writer.AddData(*d), kStatusOk);

  ZafStorage storage;
  ASSERT_EQ(storage.OpenBytes(writer.Build()), kStatusOk);
  StResourceObject back;
  ASSERT_EQ(storage.ReadWindow("Dialog", back), kStatusOk);
  EXPECT_EQ(back, window);
  for (const StResourceData* d : {&text, &number, &bitmap, &strings}) {
    StResourceData read;
    ASSERT_EQ(storage.ReadData(d->name, read), kStatusOk) << d->name;
    EXPECT_EQ(read, *d) << d->name;
  }
  EXPECT_EQ(storage.WindowNames(), std::vector<std::string>{"Dialog"});
  EXPECT_EQ(storage.DataNames().size(), 4U);
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
  struct Case {
    std::string path;
    Status status;
    const char* problem;
  };
  const Case cases[] = {
      {"/nonexistent/Tablet.znc", kStatusResourceMissing, "no such file"},
      {folder, kStatusResourceMissing, "is a folder"},
      {pipe, kStatusResourceMissing, "is not a regular file"},
      {damaged, kStatusResourceDamaged, "is damaged"},
  };
  for (const Case& c : cases) {
    ZafStorage storage;
    EXPECT_EQ(storage.Error(), kStatusResourceMissing);
    EXPECT_EQ(storage.Open(c.path), c.status) << c.path;
    EXPECT_EQ(storage.Problem().rfind(c.problem, 0), 0U) << storage.Problem();
    StResourceObject out;
    EXPECT_NE(storage.ReadWindow("Dialog", out), kStatusOk);
  }
  std::filesystem::remove(folder);
  std::filesystem::remove(pipe);
  std::filesystem::remove(damaged);
}

// Damage of every kind gives kStatusResourceDamaged, at open or at read.
TEST(ZafStorage, DamagedFilesGiveAStatusAndNeverACrash) {
  const std::vector<std::uint8_t> good = FileWith(FullWindow());
  struct Row {
    const char* what;
    std::function<void(std::vector<std::uint8_t>&)> damage;
    bool reseal;
  };
  const auto at = [](std::size_t offset, std::uint8_t value) {
    return [=](std::vector<std::uint8_t>& f) { f[offset] = value; };
  };
  const std::size_t payload = znc::kHeaderSize;
  const Row rows[] = {
      {"empty", [](auto& f) { f.clear(); }, false},
      {"short header", [](auto& f) { f.resize(20); }, false},
      {"other magic", at(0, 'X'), false},
      {"other version", at(4, 9), false},
      {"truncated", [](auto& f) { f.resize(f.size() - 3); }, false},
      {"one byte added", [](auto& f) { f.push_back(0); }, false},
      {"flipped payload byte", [](auto& f) { f[f.size() / 2] ^= 0x40; }, false},
      {"directory past the end", at(15, 0x7F), true},
      {"entry count too large", at(11, 0x7F), true},
      {"class id of another class", at(payload, 99), true},
      {"class name unknown", at(payload + 4, 'Q'), true},
      {"field count too large", [&](auto& f) { f[payload + 2 + 2 + 15 + 1] = 0x7F; }, true},
      {"unknown tag", [&](auto& f) { f[payload + 2 + 2 + 15 + 2] = 0x55; }, true},
  };
  for (const Row& row : rows) {
    std::vector<std::uint8_t> file = good;
    row.damage(file);
    if (row.reseal && file.size() >= znc::kHeaderSize) Reseal(file);
    ZafStorage storage;
    Status status = storage.OpenBytes(file);
    if (status == kStatusOk) {
      StResourceObject out;
      status = storage.ReadWindow("Dialog", out);
    }
    EXPECT_EQ(status, kStatusResourceDamaged) << row.what;
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
  StResourceData bad{"ZafBitmapData", 3112, "Pic", "", 0, 2, 1, {16, 252}, {}};  // 252 is past the colour table
  ASSERT_EQ(writer.AddData(bad), kStatusOk);
  ASSERT_EQ(storage.OpenBytes(writer.Build()), kStatusOk);
  StResourceData read;
  EXPECT_EQ(storage.ReadData("Pic", read), kStatusResourceDamaged);
}

}  // namespace
