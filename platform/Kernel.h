#pragma once

// Kernel functions the applet calls, with their Windows meanings, over POSIX.

#include <string>

#include "platform/WinTypes.h"

[[nodiscard]] DWORD GetLastError();
void SetLastError(DWORD error);

// The module that holds `address` (a code or data address inside it); null
// when no loaded module holds it.
[[nodiscard]] HMODULE GetModuleHandleFromAddress(const void* address);
// Full path of `module` (null: the program itself). Answers the length copied;
// when the path does not fit it is cut to size − 1 characters, the answer is
// `size` and the last error ERROR_INSUFFICIENT_BUFFER. 0 on failure.
[[nodiscard]] DWORD GetModuleFileNameA(HMODULE module, LPSTR fileName, DWORD size);

// A named lock: an flock on the file MutexFileName(name) in the user's
// runtime folder (UserRuntimeFolder; "Global\" names too, as a lock is only
// ever the user's own here). When another process or an earlier call holds
// it, the answer is still a handle and the last error is ERROR_ALREADY_EXISTS;
// otherwise the last error is 0. Null on failure (no folder of the user's own:
// ERROR_ACCESS_DENIED).
[[nodiscard]] HANDLE CreateMutexA(void* attributes, BOOL initialOwner, LPCSTR name);
// The lock file's name for a mutex name, "Global\" and "Local\" left out.
[[nodiscard]] std::string MutexFileName(LPCSTR name);
BOOL CloseHandle(HANDLE handle);

// Platform 2, version 5.1 build 2600, unless $KELVO_WINDOWS_VERSION says
// "platform.major.minor"; any other text there (e.g. "fail") makes the call fail.
BOOL GetVersionExA(OSVERSIONINFOA* info);

// Opens an existing file for reading (OPEN_EXISTING, GENERIC_READ only); the
// caller uses it to learn that the file is there. INVALID_HANDLE_VALUE with
// ERROR_FILE_NOT_FOUND or ERROR_PATH_NOT_FOUND when it is not.
[[nodiscard]] HANDLE CreateFileA(LPCSTR fileName, DWORD access, DWORD shareMode, void* attributes,
                                 DWORD disposition, DWORD flags, HANDLE templateFile);

// A handle for a child process started by the shell stand-in; its owner
// waits for it (WaitForSingleObject) and closes it (CloseHandle).
[[nodiscard]] HANDLE MakeProcessHandle(int processId);
// Process handles: WAIT_OBJECT_0 once the process has ended, WAIT_TIMEOUT
// when it is still running after `milliseconds` (INFINITE waits for good).
// Other handles cannot be waited for here: WAIT_FAILED, ERROR_INVALID_HANDLE.
[[nodiscard]] DWORD WaitForSingleObject(HANDLE handle, DWORD milliseconds);

// "USER32" (with or without ".DLL", in any case) is the only module the
// applet looks functions up in by name; others are not there (null).
[[nodiscard]] HMODULE GetModuleHandleA(LPCSTR moduleName);
// The USER32 functions the applet asks for by name (the multi-monitor ones
// and GetSystemMetrics); null for anything else.
[[nodiscard]] FARPROC GetProcAddress(HMODULE module, LPCSTR name);
