#include <unistd.h>

#include <filesystem>
#include <string>

#include <gtest/gtest.h>

#include "platform/Kernel.h"
#include "platform/RuntimeFolder.h"
#include "platform/Shell.h"
#include "support/CScopedEnv.h"
#include "support/CTempDir.h"

#include <sys/stat.h>

namespace {

class NamedMutex : public ::testing::Test {
 protected:
  CTempDir m_dir;
  CScopedEnv m_runtime{"KELVO_RUNTIME_DIR", m_dir.Path()};
};

TEST_F(NamedMutex, SecondCreateSeesItHeldUntilTheFirstCloses) {
  HANDLE first = CreateMutexA(nullptr, FALSE, "ConsumerCPLRunningMutex");
  ASSERT_NE(first, nullptr);
  EXPECT_EQ(GetLastError(), 0U);
  HANDLE second = CreateMutexA(nullptr, FALSE, "ConsumerCPLRunningMutex");
  ASSERT_NE(second, nullptr) << "an existing mutex still gives a handle";
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ALREADY_EXISTS));
  EXPECT_EQ(CloseHandle(second), TRUE);
  EXPECT_EQ(CloseHandle(first), TRUE);

  CloseHandle(CreateMutexA(nullptr, FALSE, "ConsumerCPLRunningMutex"));
  EXPECT_EQ(GetLastError(), 0U) << "free again once both are closed";
}

// Locks are the user's own, whatever their name: in the user's runtime folder,
// else in a folder of the user's own that nobody else may enter.
class UserFolderMutex : public ::testing::Test {
 protected:
  // Where the lock of `name` ended up: the folder holding it, or "" when none was made.
  std::string LockFolderOf(const char* name) {
    HANDLE lock = CreateMutexA(nullptr, FALSE, name);
    if (lock == nullptr) return {};
    CloseHandle(lock);
    for (const std::string& folder :
         {m_dir.Path(), m_dir.Path() + "/kelvo-" + std::to_string(getuid())}) {
      if (std::filesystem::exists(folder + "/" + MutexFileName(name))) return folder;
    }
    return "elsewhere";
  }

  CTempDir m_dir;
  CScopedEnv m_tests{"KELVO_RUNTIME_DIR", std::nullopt};
};

TEST_F(UserFolderMutex, GlobalNamesToo) {
  CScopedEnv runtime("XDG_RUNTIME_DIR", m_dir.Path());
  EXPECT_EQ(LockFolderOf("Global\\ConsumerCPLRunningMutex"), m_dir.Path());
  EXPECT_EQ(LockFolderOf("ConsumerCPLRunningMutex"), m_dir.Path());
}

TEST_F(UserFolderMutex, WithoutRuntimeFolderAFolderOfTheUsersOwn) {
  CScopedEnv runtime("XDG_RUNTIME_DIR", std::nullopt);
  CScopedEnv temporary("TMPDIR", m_dir.Path());
  const std::string own = m_dir.Path() + "/kelvo-" + std::to_string(getuid());
  EXPECT_EQ(LockFolderOf("Global\\ConsumerCPLRunningMutex"), own);
  struct stat about {};
  ASSERT_EQ(stat(own.c_str(), &about), 0);
  EXPECT_EQ(about.st_mode & 0777, 0700U);

  // A folder others may enter, or that is someone else's, holds no lock.
  std::string problem;
  ASSERT_EQ(chmod(own.c_str(), 0777), 0);
  EXPECT_EQ(LockFolderOf("ConsumerCPLRunningMutex"), "");
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ACCESS_DENIED));
  EXPECT_EQ(UserRuntimeFolder(problem), "");
  EXPECT_EQ(problem, own + " is open to other users");
  ASSERT_EQ(chmod(own.c_str(), 0700), 0);
  if (getuid() == 0) {
    ASSERT_EQ(chown(own.c_str(), 65534, 65534), 0);
    EXPECT_EQ(LockFolderOf("ConsumerCPLRunningMutex"), "");
    EXPECT_EQ(UserRuntimeFolder(problem), "");
    EXPECT_EQ(problem, own + " belongs to another user");
  }
}

TEST(ModuleFileName, IsCutToTheBufferAndSaysSo) {
  char path[4096] = {};
  ASSERT_GT(GetModuleFileNameA(nullptr, path, sizeof path), 4U);
  char small[5] = {};
  EXPECT_EQ(GetModuleFileNameA(nullptr, small, sizeof small), 5U);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INSUFFICIENT_BUFFER));
  EXPECT_EQ(std::string(small), std::string(path, 4));
}

// The manual is looked for with a read-only open of what must be there.
TEST(CreateFile, OnlyOpensAFileThatIsThereForReading) {
  CTempDir dir;
  const std::string missing = dir.Path() + "/none.pdf";
  EXPECT_EQ(CreateFileA(missing.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr),
            INVALID_HANDLE_VALUE);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
  const std::string there = dir.Write("manual.pdf", "%PDF");
  EXPECT_EQ(CreateFileA(there.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr),
            INVALID_HANDLE_VALUE);
}

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
