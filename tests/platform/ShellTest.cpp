#include <gtest/gtest.h>

#include <sys/stat.h>

#include <fstream>

#include "platform/Kernel.h"
#include "platform/Shell.h"
#include "support/CScopedEnv.h"
#include "support/CTempDir.h"

namespace {

std::string Program(const CTempDir& dir, const std::string& name, const std::string& body) {
  const std::string path = dir.Write(name, "#!/bin/sh\n" + body + "\n");
  chmod(path.c_str(), 0700);
  return path;
}

std::string Read(const std::string& path) {
  std::ifstream in(path);
  std::string text;
  std::getline(in, text);
  return text;
}

// The system's calibration program, as the applet names it: environment
// variables expanded, backslashes as separators, waited for by its handle.
TEST(Shell, AProgramRunsWithItsParametersAndIsWaitedForByItsHandle) {
  CTempDir windir;
  Program(windir, "system32/TabCal.exe", "sleep 0.2; echo \"$1|$2\" > \"$PWD/ran\"");
  const CScopedEnv env("windir", windir.Path());
  SHELLEXECUTEINFOA info;
  info.fMask = SEE_MASK_NOCLOSEPROCESS | SEE_MASK_DOENVSUBST;
  info.lpVerb = "open";
  info.lpFile = "%windir%\\system32\\TabCal.exe";
  info.lpParameters = "one \"two words\"";
  info.lpDirectory = "%windir%";
  ASSERT_EQ(ShellExecuteExA(&info), TRUE);
  EXPECT_GT(reinterpret_cast<std::intptr_t>(info.hInstApp), 32);
  ASSERT_NE(info.hProcess, nullptr);
  EXPECT_EQ(WaitForSingleObject(info.hProcess, 10), WAIT_TIMEOUT) << "the program is still running";
  DWORD result = WAIT_TIMEOUT;
  for (int polls = 0; polls < 500 && result == WAIT_TIMEOUT; ++polls) result = WaitForSingleObject(info.hProcess, 10);
  EXPECT_EQ(result, WAIT_OBJECT_0);
  EXPECT_EQ(WaitForSingleObject(info.hProcess, 0), WAIT_OBJECT_0) << "an ended process stays signalled";
  EXPECT_EQ(Read(windir.Path() + "/ran"), "one|two words");
  EXPECT_EQ(CloseHandle(info.hProcess), TRUE);
  EXPECT_EQ(WaitForSingleObject(info.hProcess, 0), WAIT_FAILED);
}

TEST(Shell, MissingFilesAndFoldersAndOtherVerbsAreRefused) {
  CTempDir dir;
  const CScopedEnv unset("KELVO_NO_SUCH_VARIABLE", std::nullopt);
  struct Case {
    const char* verb;
    std::string file;
    std::string directory;
    std::intptr_t error;
  };
  const Case cases[] = {
      {"open", dir.Path() + "/absent.exe", "", SE_ERR_FNF},
      {"open", dir.Path() + "/no/such/folder/x.exe", "", SE_ERR_PNF},
      {"open", "%KELVO_NO_SUCH_VARIABLE%\\x.exe", "", SE_ERR_PNF},
      {"open", Program(dir, "ok", "true"), dir.Path() + "/absent", SE_ERR_PNF},
      {"print", Program(dir, "ok2", "true"), "", SE_ERR_NOASSOC},
  };
  for (const Case& c : cases) {
    SHELLEXECUTEINFOA info;
    info.fMask = SEE_MASK_NOCLOSEPROCESS | SEE_MASK_DOENVSUBST;
    info.lpVerb = c.verb;
    info.lpFile = c.file.c_str();
    info.lpDirectory = c.directory.empty() ? nullptr : c.directory.c_str();
    EXPECT_EQ(ShellExecuteExA(&info), FALSE) << c.file;
    EXPECT_EQ(reinterpret_cast<std::intptr_t>(info.hInstApp), c.error) << c.file;
    EXPECT_EQ(info.hProcess, nullptr) << c.file;
  }
}

TEST(Shell, ADocumentGoesToTheOpenHandler) {
  CTempDir dir;
  const std::string opener = Program(dir, "opener", "echo \"$1\" > \"" + dir.Path() + "/opened\"");
  const std::string document = dir.Write("manual.pdf", "%PDF");
  const CScopedEnv handler("KELVO_OPEN_COMMAND", opener);
  SHELLEXECUTEINFOA info;
  info.fMask = SEE_MASK_NOCLOSEPROCESS;
  info.lpFile = document.c_str();
  ASSERT_EQ(ShellExecuteExA(&info), TRUE);
  EXPECT_EQ(WaitForSingleObject(info.hProcess, INFINITE), WAIT_OBJECT_0);
  EXPECT_EQ(Read(dir.Path() + "/opened"), document);
  EXPECT_EQ(CloseHandle(info.hProcess), TRUE);
}

}  // namespace
