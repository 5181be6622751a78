#include <unistd.h>

#include <filesystem>
#include <string>

#include <gtest/gtest.h>

#include "platform/Kernel.h"
#include "platform/RuntimeFolder.h"
#include "support/CScopedEnv.h"
#include "support/CTempDir.h"

#include <sys/stat.h>
#include <sys/wait.h>

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

  HANDLE third = CreateMutexA(nullptr, FALSE, "ConsumerCPLRunningMutex");
  EXPECT_EQ(GetLastError(), 0U);
  EXPECT_EQ(CloseHandle(third), TRUE);
  EXPECT_EQ(CloseHandle(third), FALSE);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));
}

TEST_F(NamedMutex, HeldByAnotherProcess) {
  HANDLE mine = CreateMutexA(nullptr, FALSE, "Global\\Shared/Name");
  ASSERT_NE(mine, nullptr);
  ASSERT_EQ(GetLastError(), 0U);
  const pid_t child = fork();
  if (child == 0) {
    HANDLE theirs = CreateMutexA(nullptr, FALSE, "Global\\Shared/Name");
    _exit(theirs != nullptr && GetLastError() == ERROR_ALREADY_EXISTS ? 0 : 1);
  }
  int status = -1;
  ASSERT_EQ(waitpid(child, &status, 0), child);
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
  CloseHandle(mine);
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

TEST(WindowsVersion, DefaultAndOverrides) {
  struct Case {
    const char* value;  // null: unset
    BOOL ok;
    DWORD platform, major, minor;
  };
  const Case cases[] = {
      {nullptr, TRUE, 2, 5, 1},  {"1.4.10", TRUE, 1, 4, 10}, {"2.6.0", TRUE, 2, 6, 0},
      {"fail", FALSE, 0, 0, 0},  {"2.5", FALSE, 0, 0, 0},    {"2.5.1x", FALSE, 0, 0, 0},
      {"2.x.1", FALSE, 0, 0, 0},
  };
  for (const Case& c : cases) {
    CScopedEnv env("KELVO_WINDOWS_VERSION",
                   c.value != nullptr ? std::optional<std::string>(c.value) : std::nullopt);
    OSVERSIONINFOA info;
    info.dwOSVersionInfoSize = sizeof info;
    EXPECT_EQ(GetVersionExA(&info), c.ok) << (c.value ? c.value : "unset");
    if (c.ok == FALSE) continue;
    EXPECT_EQ(info.dwPlatformId, c.platform);
    EXPECT_EQ(info.dwMajorVersion, c.major);
    EXPECT_EQ(info.dwMinorVersion, c.minor);
  }
  OSVERSIONINFOA tooSmall;
  tooSmall.dwOSVersionInfoSize = 4;
  EXPECT_EQ(GetVersionExA(&tooSmall), FALSE);
}

TEST(ModuleFileName, ProgramAndModulePaths) {
  char path[4096] = {};
  const DWORD length = GetModuleFileNameA(nullptr, path, sizeof path);
  ASSERT_GT(length, 0U);
  EXPECT_EQ(std::string(path).find("platform_tests"), std::string(path).size() - 14);

  char fromModule[4096] = {};
  const HMODULE self = GetModuleHandleFromAddress(reinterpret_cast<const void*>(&GetLastError));
  ASSERT_NE(self, nullptr);
  EXPECT_EQ(GetModuleFileNameA(self, fromModule, sizeof fromModule), length)
      << "the stand-ins are linked into the program";
  EXPECT_STREQ(fromModule, path);

  char small[5] = {};
  EXPECT_EQ(GetModuleFileNameA(nullptr, small, sizeof small), 5U);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INSUFFICIENT_BUFFER));
  EXPECT_EQ(std::string(small), std::string(path, 4));
}

TEST(CreateFile, ReportsWhetherTheFileIsThere) {
  CTempDir dir;
  const std::string there = dir.Write("manual.pdf", "%PDF");
  HANDLE file = CreateFileA(there.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(file, INVALID_HANDLE_VALUE);
  EXPECT_EQ(CloseHandle(file), TRUE);

  const std::string missing = dir.Path() + "/none.pdf";
  EXPECT_EQ(CreateFileA(missing.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr),
            INVALID_HANDLE_VALUE);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
  EXPECT_EQ(CreateFileA(there.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr),
            INVALID_HANDLE_VALUE)
      << "the stand-in only opens existing files for reading";
}

}  // namespace
