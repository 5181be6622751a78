#include <gtest/gtest.h>

#include "platform/Kernel.h"
#include "platform/Shell.h"
#include "support/CScopedEnv.h"
#include "support/CTempDir.h"

#include <sys/stat.h>

namespace {

std::string Program(const CTempDir& dir, const std::string& name, const std::string& body) {
  const std::string path = dir.Write(name, "#!/bin/sh\n" + body + "\n");
  chmod(path.c_str(), 0700);
  return path;
}

// The calibration program is waited for by its handle.
TEST(Shell, AProgramIsWaitedForByItsHandle) {
  CTempDir dir;
  const std::string program = Program(dir, "slow", "sleep 0.2");
  SHELLEXECUTEINFOA info;
  info.fMask = SEE_MASK_NOCLOSEPROCESS;
  info.lpFile = program.c_str();
  ASSERT_EQ(ShellExecuteExA(&info), TRUE);
  EXPECT_GT(reinterpret_cast<std::intptr_t>(info.hInstApp), 32);
  EXPECT_EQ(WaitForSingleObject(info.hProcess, 10), WAIT_TIMEOUT) << "the program is still running";
  EXPECT_EQ(WaitForSingleObject(info.hProcess, INFINITE), WAIT_OBJECT_0);
  EXPECT_EQ(WaitForSingleObject(info.hProcess, 0), WAIT_OBJECT_0)
      << "an ended process stays signalled";
  EXPECT_EQ(CloseHandle(info.hProcess), TRUE);
  EXPECT_EQ(WaitForSingleObject(info.hProcess, 0), WAIT_FAILED);
}

TEST(Shell, MissingFilesAndFoldersAndOtherVerbsAreRefused) {
  CTempDir dir;
  const CScopedEnv unset("KELVO_NO_SUCH_VARIABLE", std::nullopt);
  const struct {
    const char* verb;
    std::string file;
    std::intptr_t error;
  } cases[] = {
      {"open", dir.Path() + "/absent.exe", SE_ERR_FNF},
      {"open", dir.Path() + "/no/such/folder/x.exe", SE_ERR_PNF},
      {"open", "%KELVO_NO_SUCH_VARIABLE%\\x.exe", SE_ERR_PNF},
      {"print", Program(dir, "ok", "true"), SE_ERR_NOASSOC},
  };
  for (const auto& c : cases) {
    SHELLEXECUTEINFOA info;
    info.fMask = SEE_MASK_NOCLOSEPROCESS | SEE_MASK_DOENVSUBST;
    info.lpVerb = c.verb;
    info.lpFile = c.file.c_str();
    EXPECT_EQ(ShellExecuteExA(&info), FALSE) << c.file;
    EXPECT_EQ(reinterpret_cast<std::intptr_t>(info.hInstApp), c.error) << c.file;
    EXPECT_EQ(info.hProcess, nullptr) << c.file;
  }
}

}  // namespace
