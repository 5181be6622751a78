#include "service/input/CSpawnLauncher.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <thread>

#include "support/CTempDir.h"

namespace {

bool AppearsWithin(const std::filesystem::path& path, std::chrono::milliseconds limit) {
  const auto end = std::chrono::steady_clock::now() + limit;
  while (std::chrono::steady_clock::now() < end) {
    if (std::filesystem::exists(path)) return true;
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  return std::filesystem::exists(path);
}

TEST(CSpawnLauncher, StartsTheProgramWithoutAShell) {
  CTempDir temp;
  const std::filesystem::path dir(temp.Path());
  // A program whose name a shell would split and run twice over.
  const std::filesystem::path program = dir / "paint; touch pwned";
  {
    std::ofstream script(program);
    script << "#!/bin/sh\ntouch \"$0.ran\"\n";
  }
  ASSERT_EQ(chmod(program.c_str(), 0700), 0);
  CSpawnLauncher launcher;
  launcher.Launch(program.string());
  EXPECT_TRUE(AppearsWithin(program.string() + ".ran", std::chrono::seconds(5)));
  EXPECT_FALSE(std::filesystem::exists(dir / "pwned"));
  // A command line is not a program: nothing runs.
  launcher.Launch("/bin/sh -c 'touch " + (dir / "shell").string() + "'");
  std::this_thread::sleep_for(std::chrono::milliseconds(50));
  EXPECT_FALSE(std::filesystem::exists(dir / "shell"));
  CSpawnLauncher::Reap();
}

}  // namespace
