// The state file: damage and refusals are said once and never cost the user
// a file. (Two writers sharing it: DaemonTest, StateSoakTest.)
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include <gtest/gtest.h>

#include "service/ServiceTestSupport.h"
#include "support/CTempDir.h"

#include <sys/stat.h>

namespace {

namespace fs = std::filesystem;
using namespace service_test;

void WriteText(const fs::path& file, const std::string& text) {
  std::ofstream(file, std::ios::binary) << text;
}

class StateStoreTest : public ::testing::Test {
 protected:
  fs::path Dir() const { return m_temp.Path(); }
  fs::path State() const { return Dir() / "state.json"; }
  std::unique_ptr<CTabletService> Service() {
    return std::make_unique<CTabletService>(MakeDefaultProfile(), State());
  }

  CTempDir m_temp;
};

TEST_F(StateStoreTest, DamagedFilesAreKeptNumberedAndWhatCouldBeReadIsRestored) {
  std::string good;
  {
    auto writer = Service();
    ASSERT_EQ(SetU32(*writer, Button(0, 2), 7), kStatusOk);
    good = ReadText(State());
  }
  ASSERT_EQ(good.find("\n{"), std::string::npos) << "one line expected: " << good;
  struct Row {
    std::string text;
    const char* said;  // nullptr: no damage to report
    std::uint32_t value;
  };
  const Row rows[] = {
      {"{not json\n", "defaults used", 3},
      {good + "{\"values\": [{\"path\": 5}]}\n", "partly restored", 7},
      {"[1, 2, 3]\n"
       R"({"values":[{"bytes":"09000000","model":130,"path":"11:2/41","serial":4660,)"
       R"("tablet":0,"type":2}]})"
       "\n",
       "partly restored", 9},
      // Older files: one indented document; a line cut short by a writer that died.
      {"{\n \"version\": 1,\n \"applications\": [],\n"
       R"( "values": [{"path": "2:0/4:0/11:2/41", "bytes": "05000000"}])"
       "\n}",
       nullptr, 5},
      {good + "{\"values\": [{\"pa", nullptr, 7},
  };
  int damaged = 0;
  for (const Row& row : rows) {
    WriteText(State(), row.text);
    testing::internal::CaptureStderr();
    auto service = Service();
    const std::string said = testing::internal::GetCapturedStderr();
    EXPECT_EQ(GetU32(*service, Button(0, 2)), row.value) << row.text;
    if (row.said == nullptr) {
      EXPECT_EQ(said, "") << row.text;
      continue;
    }
    ++damaged;
    EXPECT_NE(said.find(row.said), std::string::npos) << said;
    EXPECT_EQ(std::count(said.begin(), said.end(), '\n'), 1) << said;
    // Every damaged copy is kept, each under its own number.
    EXPECT_EQ(ReadText(fs::path(State()) += ".damaged." + std::to_string(damaged)), row.text);
    service.reset();
    EXPECT_EQ(GetU32(*Service(), Button(0, 2)), row.value)
        << "what was restored is stored again: " << row.text;
  }
  EXPECT_FALSE(fs::exists(fs::path(State()) += ".damaged." + std::to_string(damaged + 1)));
}

TEST_F(StateStoreTest, ModesThatForbidReadingOrWritingAreReported) {
  {
    auto writer = Service();
    ASSERT_EQ(SetU32(*writer, Button(0, 2), 6), kStatusOk);
  }
  const std::string before = ReadText(State());
  ::chmod(State().c_str(), 0000);
  const fs::path state = State();
  const int unreadable = RunWhereModesBind(Dir(), [&] {
    CTabletService service(MakeDefaultProfile(), state);
    return SetU32(service, Button(0, 1), 8) == kStatusNotSaved ? 0 : 1;
  });
  if (unreadable == -1) GTEST_SKIP() << "no second user to run as";
  EXPECT_EQ(unreadable, 0);
  ::chmod(State().c_str(), 0600);
  EXPECT_EQ(ReadText(State()), before);  // never replaced
  if (const auto other = OtherUser()) {
    ASSERT_EQ(::chown(State().c_str(), other->uid, other->gid), 0);
  }

  // A file that may be read but neither written nor replaced.
  ::chmod(State().c_str(), 0400);
  ::chmod(Dir().c_str(), 0500);
  const int readOnly = RunWhereModesBind(Dir(), [&] {
    CTabletService service(MakeDefaultProfile(), state);
    const bool restored = GetU32(service, Button(0, 2)) == 6u;
    return restored && SetU32(service, Button(0, 1), 8) == kStatusNotSaved ? 0 : 1;
  });
  EXPECT_EQ(readOnly, 0);
  // No file yet, and no way to make one.
  const int noFile = RunWhereModesBind(Dir(), [&] {
    CTabletService service(MakeDefaultProfile(), fs::path(state).replace_filename("other.json"));
    return SetU32(service, Button(0, 1), 8) == kStatusNotSaved ? 0 : 1;
  });
  ::chmod(Dir().c_str(), 0700);
  EXPECT_EQ(noFile, 0);
}

TEST_F(StateStoreTest, FoldersAndNamesOthersControlAreNeverWrittenThrough) {
  const fs::path victim = Dir() / "victim";
  WriteText(victim, "precious");
  const fs::path shared = Dir() / "shared";
  fs::create_directories(shared);
  ::chmod(shared.c_str(), 0777);
  {
    testing::internal::CaptureStderr();
    CTabletService service(MakeDefaultProfile(), shared / "state.json");
    EXPECT_EQ(SetU32(service, Button(0, 1), 8), kStatusNotSaved);
    EXPECT_NE(testing::internal::GetCapturedStderr().find("other users may change it"),
              std::string::npos);
  }
  EXPECT_FALSE(fs::exists(shared / "state.json"));

  // Names planted where a careless writer would put its temporary file.
  for (const std::string& name :
       {std::string("state.json.tmp"), "state.json.tmp." + std::to_string(::getpid())})
    fs::create_symlink(victim, Dir() / name);
  {
    auto service = Service();
    EXPECT_EQ(SetU32(*service, Button(0, 1), 8), kStatusOk);
  }
  EXPECT_EQ(ReadText(victim), "precious");

  // A state file that is no file of its own: said once, and the change still takes effect.
  fs::remove(State());
  fs::create_symlink(victim, State());
  {
    testing::internal::CaptureStderr();
    auto service = Service();
    EXPECT_EQ(SetU32(*service, Button(0, 1), 9), kStatusNotSaved);
    EXPECT_EQ(SetU32(*service, Button(0, 2), 9), kStatusNotSaved);
    EXPECT_EQ(GetU32(*service, Button(0, 1)), 9u);
    const std::string said = testing::internal::GetCapturedStderr();
    EXPECT_NE(said.find("cannot be read"), std::string::npos) << said;
    EXPECT_EQ(std::count(said.begin(), said.end(), '\n'), 1) << said;
  }
  EXPECT_EQ(ReadText(victim), "precious");

  if (const auto other = OtherUser()) {
    const fs::path theirs = Dir() / "theirs";
    fs::create_directories(theirs);
    ASSERT_EQ(::chown(theirs.c_str(), other->uid, other->gid), 0);
    testing::internal::CaptureStderr();
    {
      CTabletService service(MakeDefaultProfile(), theirs / "state.json");
      EXPECT_EQ(SetU32(service, Button(0, 1), 8), kStatusNotSaved);
    }
    EXPECT_NE(testing::internal::GetCapturedStderr().find("belongs to user"), std::string::npos);
  }
}

}  // namespace
