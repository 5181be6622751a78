#include "platform/Kernel.h"

#include <dlfcn.h>
#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <memory>
#include <mutex>
#include <string>

#include "platform/RuntimeFolder.h"

#include <sys/file.h>
#include <sys/wait.h>
#include <strings.h>
#include <time.h>

#include "platform/Monitors.h"

namespace {

thread_local DWORD t_lastError = 0;

// A mutex, an opened file or a child process; an unnamed mutex has no
// descriptor. A process that has ended keeps its handle until it is closed.
struct StKernelHandle {
  int fd = -1;
  pid_t process = -1;
  bool ended = false;
};

std::mutex g_mutex;
std::map<HANDLE, std::unique_ptr<StKernelHandle>> g_handles;

HANDLE Register(std::unique_ptr<StKernelHandle> object) {
  std::lock_guard lock(g_mutex);
  const HANDLE handle = object.get();
  g_handles.emplace(handle, std::move(object));
  return handle;
}

DWORD ErrorFromErrno(int error) {
  switch (error) {
    case ENOENT: return ERROR_FILE_NOT_FOUND;
    case ENOTDIR: return ERROR_PATH_NOT_FOUND;
    case EACCES:
    case EPERM: return ERROR_ACCESS_DENIED;
    case ENOMEM: return ERROR_NOT_ENOUGH_MEMORY;
    default: return ERROR_INVALID_PARAMETER;
  }
}

// Reads "platform.major.minor"; false when the text is not of that form.
bool ParseVersionOverride(const char* text, OSVERSIONINFOA& info) {
  unsigned long parts[3] = {};
  const char* at = text;
  for (int i = 0; i < 3; ++i) {
    char* end = nullptr;
    if (*at < '0' || *at > '9') return false;
    parts[i] = std::strtoul(at, &end, 10);
    if (parts[i] > 0xFFFFU) return false;
    at = end;
    if (i < 2 && *at++ != '.') return false;
  }
  if (*at != '\0') return false;
  info.dwPlatformId = static_cast<DWORD>(parts[0]);
  info.dwMajorVersion = static_cast<DWORD>(parts[1]);
  info.dwMinorVersion = static_cast<DWORD>(parts[2]);
  info.dwBuildNumber = 0;
  return true;
}

}  // namespace

std::string MutexFileName(LPCSTR name) {
  std::string_view bare = name != nullptr ? name : "";
  if (bare.rfind("Global\\", 0) == 0) bare.remove_prefix(7);
  if (bare.rfind("Local\\", 0) == 0) bare.remove_prefix(6);
  std::string file = "kelvo-mutex-";
  for (const char c : bare) file.push_back(c == '/' || c == '\\' ? '_' : c);
  return file + ".lock";
}

DWORD GetLastError() {
  return t_lastError;
}

void SetLastError(DWORD error) {
  t_lastError = error;
}

HMODULE GetModuleHandleFromAddress(const void* address) {
  Dl_info info{};
  if (address == nullptr || dladdr(address, &info) == 0) return nullptr;
  return static_cast<HMODULE>(info.dli_fbase);
}

DWORD GetModuleFileNameA(HMODULE module, LPSTR fileName, DWORD size) {
  if (fileName == nullptr || size == 0) {
    SetLastError(ERROR_INSUFFICIENT_BUFFER);
    return 0;
  }
  std::string path;
  if (module == nullptr) {
    char buffer[PATH_MAX] = {};
    const ssize_t got = readlink("/proc/self/exe", buffer, sizeof buffer - 1);
    if (got <= 0) {
      SetLastError(ErrorFromErrno(errno));
      return 0;
    }
    path.assign(buffer, static_cast<std::size_t>(got));
  } else {
    Dl_info info{};
    if (dladdr(module, &info) == 0 || info.dli_fname == nullptr) {
      SetLastError(ERROR_INVALID_HANDLE);
      return 0;
    }
    std::unique_ptr<char, void (*)(void*)> real(realpath(info.dli_fname, nullptr), &std::free);
    path = real ? real.get() : info.dli_fname;
  }
  if (path.size() >= size) {
    std::memcpy(fileName, path.data(), size - 1);
    fileName[size - 1] = '\0';
    SetLastError(ERROR_INSUFFICIENT_BUFFER);
    return size;
  }
  std::memcpy(fileName, path.c_str(), path.size() + 1);
  SetLastError(0);
  return static_cast<DWORD>(path.size());
}

HANDLE CreateMutexA(void* /*attributes*/, BOOL /*initialOwner*/, LPCSTR name) {
  auto object = std::make_unique<StKernelHandle>();
  if (name == nullptr || *name == '\0') {
    SetLastError(0);
    return Register(std::move(object));
  }
  // Every name is the user's own: a lock another user left can never hold
  // this user's program back.
  std::string problem;
  const std::string folder = UserRuntimeFolder(problem);
  if (folder.empty()) {
    SetLastError(ERROR_ACCESS_DENIED);
    return nullptr;
  }
  const std::string path = folder + '/' + MutexFileName(name);

  object->fd = open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
  if (object->fd < 0) {
    SetLastError(ErrorFromErrno(errno));
    return nullptr;
  }
  // flock belongs to the open file, so an earlier call in this process holds
  // it against us just as another process would.
  const bool held = flock(object->fd, LOCK_EX | LOCK_NB) != 0 && errno == EWOULDBLOCK;
  const HANDLE handle = Register(std::move(object));
  SetLastError(held ? static_cast<DWORD>(ERROR_ALREADY_EXISTS) : 0);
  return handle;
}

BOOL CloseHandle(HANDLE handle) {
  std::unique_ptr<StKernelHandle> object;
  {
    std::lock_guard lock(g_mutex);
    const auto found = g_handles.find(handle);
    if (found == g_handles.end()) {
      SetLastError(ERROR_INVALID_HANDLE);
      return FALSE;
    }
    object = std::move(found->second);
    g_handles.erase(found);
  }
  if (object->fd >= 0) close(object->fd);
  // Closing the handle of a running process leaves it running; reap it
  // once it has ended rather than leave a zombie behind.
  if (object->process > 0 && !object->ended) waitpid(object->process, nullptr, WNOHANG);
  return TRUE;
}

HANDLE MakeProcessHandle(int processId) {
  auto object = std::make_unique<StKernelHandle>();
  object->process = processId;
  return Register(std::move(object));
}

DWORD WaitForSingleObject(HANDLE handle, DWORD milliseconds) {
  StKernelHandle* object = nullptr;
  {
    std::lock_guard lock(g_mutex);
    const auto found = g_handles.find(handle);
    if (found != g_handles.end()) object = found->second.get();
  }
  if (object == nullptr || object->process <= 0) {
    SetLastError(ERROR_INVALID_HANDLE);
    return WAIT_FAILED;
  }
  if (object->ended) return WAIT_OBJECT_0;
  if (milliseconds == INFINITE) {
    while (waitpid(object->process, nullptr, 0) < 0) {
      if (errno != EINTR) {
        SetLastError(ErrorFromErrno(errno));
        return WAIT_FAILED;
      }
    }
    object->ended = true;
    return WAIT_OBJECT_0;
  }
  // Checked every millisecond up to the time given.
  for (DWORD waited = 0;; ++waited) {
    const pid_t done = waitpid(object->process, nullptr, WNOHANG);
    if (done == object->process) {
      object->ended = true;
      return WAIT_OBJECT_0;
    }
    if (done < 0 && errno != EINTR) {
      SetLastError(ErrorFromErrno(errno));
      return WAIT_FAILED;
    }
    if (waited >= milliseconds) return WAIT_TIMEOUT;
    const timespec oneMs{0, 1000000};
    nanosleep(&oneMs, nullptr);
  }
}

namespace {
// The one module handle GetModuleHandleA hands out.
HMODULE const kUser32 = reinterpret_cast<HMODULE>(std::uintptr_t{0x7E410000U});

template <typename F>
FARPROC AsProc(F* function) {
  return reinterpret_cast<FARPROC>(function);
}
}  // namespace

HMODULE GetModuleHandleA(LPCSTR moduleName) {
  if (moduleName != nullptr && (strcasecmp(moduleName, "USER32") == 0 || strcasecmp(moduleName, "USER32.DLL") == 0))
    return kUser32;
  SetLastError(ERROR_FILE_NOT_FOUND);
  return nullptr;
}

FARPROC GetProcAddress(HMODULE module, LPCSTR name) {
  if (module == kUser32 && name != nullptr) {
    const std::string_view wanted = name;
    if (wanted == "GetSystemMetrics") return AsProc(&GetSystemMetrics);
    if (wanted == "MonitorFromWindow") return AsProc(&MonitorFromWindow);
    if (wanted == "MonitorFromRect") return AsProc(&MonitorFromRect);
    if (wanted == "MonitorFromPoint") return AsProc(&MonitorFromPoint);
    if (wanted == "EnumDisplayMonitors") return AsProc(&EnumDisplayMonitors);
    if (wanted == "GetMonitorInfoA") return AsProc(&GetMonitorInfoA);
    if (wanted == "EnumDisplayDevicesA") return AsProc(&EnumDisplayDevicesA);
  }
  SetLastError(ERROR_PROC_NOT_FOUND);
  return nullptr;
}

BOOL GetVersionExA(OSVERSIONINFOA* info) {
  if (info == nullptr || info->dwOSVersionInfoSize < sizeof(OSVERSIONINFOA)) {
    SetLastError(ERROR_INSUFFICIENT_BUFFER);
    return FALSE;
  }
  info->dwPlatformId = VER_PLATFORM_WIN32_NT;
  info->dwMajorVersion = 5;
  info->dwMinorVersion = 1;
  info->dwBuildNumber = 2600;
  std::memset(info->szCSDVersion, 0, sizeof info->szCSDVersion);
  if (const char* forced = std::getenv("KELVO_WINDOWS_VERSION");
      forced != nullptr && *forced != '\0') {
    if (std::strcmp(forced, "fail") == 0 || !ParseVersionOverride(forced, *info)) {
      SetLastError(ERROR_INVALID_PARAMETER);
      return FALSE;
    }
  }
  return TRUE;
}

HANDLE CreateFileA(LPCSTR fileName, DWORD access, DWORD /*shareMode*/, void* /*attributes*/,
                   DWORD disposition, DWORD /*flags*/, HANDLE /*templateFile*/) {
  if (fileName == nullptr || disposition != OPEN_EXISTING || (access & ~GENERIC_READ) != 0) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return INVALID_HANDLE_VALUE;
  }
  const int fd = open(fileName, O_RDONLY | O_CLOEXEC);
  if (fd < 0) {
    SetLastError(ErrorFromErrno(errno));
    return INVALID_HANDLE_VALUE;
  }
  auto object = std::make_unique<StKernelHandle>();
  object->fd = fd;
  SetLastError(0);
  return Register(std::move(object));
}
