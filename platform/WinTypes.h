#pragma once

// The handful of Win32 types and constants that the platform stand-ins speak,
// with their Windows names and values so that calling code reads as it would
// on Windows.

#include <cstddef>
#include <cstdint>

using BOOL = int;
using CHAR = char;
using SHORT = std::int16_t;
using BYTE = std::uint8_t;
using WORD = std::uint16_t;
using DWORD = std::uint32_t;
using LONG = std::int32_t;
using UINT = unsigned int;
using ULONG = std::uint32_t;
using LCID = DWORD;
using LANGID = WORD;
using REGSAM = DWORD;
using LPCSTR = const char*;
using LPSTR = char*;
using HANDLE = void*;

struct HKEY__;
using HKEY = HKEY__*;
using PHKEY = HKEY*;

struct HINSTANCE__;
using HMODULE = HINSTANCE__*;
using HINSTANCE = HINSTANCE__*;

// Windows, monitors and device contexts are opaque handles.
struct HWND__;
using HWND = HWND__*;
struct HMONITOR__;
using HMONITOR = HMONITOR__*;
struct HDC__;
using HDC = HDC__*;

using LPARAM = std::intptr_t;
using FARPROC = void (*)();

inline constexpr BOOL FALSE = 0;
inline constexpr BOOL TRUE = 1;

// Error codes, as GetLastError and the registry functions answer them.
inline constexpr LONG ERROR_SUCCESS = 0;
inline constexpr LONG ERROR_FILE_NOT_FOUND = 2;
inline constexpr LONG ERROR_PATH_NOT_FOUND = 3;
inline constexpr LONG ERROR_ACCESS_DENIED = 5;
inline constexpr LONG ERROR_INVALID_HANDLE = 6;
inline constexpr LONG ERROR_NOT_ENOUGH_MEMORY = 8;
inline constexpr LONG ERROR_INVALID_DATA = 13;
inline constexpr LONG ERROR_NOT_READY = 21;
inline constexpr LONG ERROR_INVALID_PARAMETER = 87;
inline constexpr LONG ERROR_INSUFFICIENT_BUFFER = 122;
inline constexpr LONG ERROR_PROC_NOT_FOUND = 127;
inline constexpr LONG ERROR_ALREADY_EXISTS = 183;
inline constexpr LONG ERROR_MORE_DATA = 234;

// Registry value kinds.
inline constexpr DWORD REG_NONE = 0;
inline constexpr DWORD REG_SZ = 1;
inline constexpr DWORD REG_EXPAND_SZ = 2;
inline constexpr DWORD REG_BINARY = 3;
inline constexpr DWORD REG_DWORD = 4;
inline constexpr DWORD REG_MULTI_SZ = 7;
inline constexpr DWORD REG_QWORD = 11;

inline constexpr REGSAM KEY_QUERY_VALUE = 0x0001;
inline constexpr REGSAM KEY_READ = 0x20019;

// GetVersionExA platforms.
inline constexpr DWORD VER_PLATFORM_WIN32s = 0;
inline constexpr DWORD VER_PLATFORM_WIN32_WINDOWS = 1;
inline constexpr DWORD VER_PLATFORM_WIN32_NT = 2;

struct OSVERSIONINFOA {
  DWORD dwOSVersionInfoSize = 0;
  DWORD dwMajorVersion = 0;
  DWORD dwMinorVersion = 0;
  DWORD dwBuildNumber = 0;
  DWORD dwPlatformId = 0;
  char szCSDVersion[128] = {};
};

// CreateFileA.
inline constexpr DWORD GENERIC_READ = 0x80000000U;
inline constexpr DWORD GENERIC_WRITE = 0x40000000U;
inline constexpr DWORD FILE_SHARE_READ = 0x1;
inline constexpr DWORD CREATE_NEW = 1;
inline constexpr DWORD CREATE_ALWAYS = 2;
inline constexpr DWORD OPEN_EXISTING = 3;
inline constexpr DWORD FILE_ATTRIBUTE_NORMAL = 0x80;

// MapVirtualKeyA map types.
inline constexpr UINT MAPVK_VK_TO_VSC = 0;
inline constexpr UINT MAPVK_VSC_TO_VK = 1;
inline constexpr UINT MAPVK_VK_TO_CHAR = 2;

struct RECT {
  LONG left = 0;
  LONG top = 0;
  LONG right = 0;   // exclusive, as Windows keeps it
  LONG bottom = 0;
};
using LPRECT = RECT*;
using LPCRECT = const RECT*;

struct POINT {
  LONG x = 0;
  LONG y = 0;
};

// Multi-monitor functions.
inline constexpr DWORD MONITOR_DEFAULTTONULL = 0;
inline constexpr DWORD MONITOR_DEFAULTTOPRIMARY = 1;
inline constexpr DWORD MONITOR_DEFAULTTONEAREST = 2;
inline constexpr DWORD MONITORINFOF_PRIMARY = 1;
inline constexpr std::size_t CCHDEVICENAME = 32;

struct MONITORINFO {
  DWORD cbSize = sizeof(MONITORINFO);
  RECT rcMonitor;
  RECT rcWork;
  DWORD dwFlags = 0;
};
using LPMONITORINFO = MONITORINFO*;

// MONITORINFO followed by the display device's name.
struct MONITORINFOEXA : MONITORINFO {
  MONITORINFOEXA() { cbSize = sizeof(MONITORINFOEXA); }
  char szDevice[CCHDEVICENAME] = {};
};

struct DISPLAY_DEVICEA {
  DWORD cb = sizeof(DISPLAY_DEVICEA);
  char DeviceName[32] = {};
  char DeviceString[128] = {};
  DWORD StateFlags = 0;
  char DeviceID[128] = {};
  char DeviceKey[128] = {};
};
using PDISPLAY_DEVICEA = DISPLAY_DEVICEA*;

// DISPLAY_DEVICEA state flags.
inline constexpr DWORD DISPLAY_DEVICE_ATTACHED_TO_DESKTOP = 0x1;
inline constexpr DWORD DISPLAY_DEVICE_MULTI_DRIVER = 0x2;
inline constexpr DWORD DISPLAY_DEVICE_PRIMARY_DEVICE = 0x4;
inline constexpr DWORD DISPLAY_DEVICE_MIRRORING_DRIVER = 0x8;
inline constexpr DWORD DISPLAY_DEVICE_ACTIVE = 0x1;
inline constexpr DWORD DISPLAY_DEVICE_ATTACHED = 0x2;

using MONITORENUMPROC = BOOL (*)(HMONITOR monitor, HDC dc, LPRECT rect, LPARAM data);

// GetSystemMetrics.
inline constexpr int SM_CXSCREEN = 0;
inline constexpr int SM_CYSCREEN = 1;
inline constexpr int SM_XVIRTUALSCREEN = 76;
inline constexpr int SM_YVIRTUALSCREEN = 77;
inline constexpr int SM_CXVIRTUALSCREEN = 78;
inline constexpr int SM_CYVIRTUALSCREEN = 79;
inline constexpr int SM_CMONITORS = 80;
inline constexpr int SM_SAMEDISPLAYFORMAT = 81;
inline constexpr int SM_TABLETPC = 86;

// WaitForSingleObject.
inline constexpr DWORD INFINITE = 0xFFFFFFFFU;
inline constexpr DWORD WAIT_OBJECT_0 = 0;
inline constexpr DWORD WAIT_TIMEOUT = 0x102;
inline constexpr DWORD WAIT_FAILED = 0xFFFFFFFFU;

// ShellExecuteExA.
inline constexpr ULONG SEE_MASK_NOCLOSEPROCESS = 0x40;
inline constexpr ULONG SEE_MASK_DOENVSUBST = 0x200;
inline constexpr int SW_SHOWNORMAL = 1;
inline constexpr std::intptr_t SE_ERR_FNF = 2;
inline constexpr std::intptr_t SE_ERR_PNF = 3;
inline constexpr std::intptr_t SE_ERR_NOASSOC = 31;

struct SHELLEXECUTEINFOA {
  DWORD cbSize = sizeof(SHELLEXECUTEINFOA);
  ULONG fMask = 0;
  HWND hwnd = nullptr;
  LPCSTR lpVerb = nullptr;
  LPCSTR lpFile = nullptr;
  LPCSTR lpParameters = nullptr;
  LPCSTR lpDirectory = nullptr;
  int nShow = 0;
  HINSTANCE hInstApp = nullptr;  // above 32 on success, else an SE_ERR_* code
  void* lpIDList = nullptr;
  LPCSTR lpClass = nullptr;
  HKEY hkeyClass = nullptr;
  DWORD dwHotKey = 0;
  HANDLE hIcon = nullptr;
  HANDLE hProcess = nullptr;
};

// GetOpenFileNameA.
inline constexpr DWORD OFN_HIDEREADONLY = 0x4;
inline constexpr DWORD OFN_PATHMUSTEXIST = 0x800;
inline constexpr DWORD OFN_FILEMUSTEXIST = 0x1000;
inline constexpr DWORD OFN_LONGNAMES = 0x200000;
inline constexpr DWORD OFN_DONTADDTORECENT = 0x2000000;
inline constexpr DWORD FNERR_BUFFERTOOSMALL = 0x3003;

struct OPENFILENAMEA {
  DWORD lStructSize = sizeof(OPENFILENAMEA);
  HWND hwndOwner = nullptr;
  HINSTANCE hInstance = nullptr;
  LPCSTR lpstrFilter = nullptr;  // pairs of zero-terminated texts, ended by an empty one
  LPSTR lpstrCustomFilter = nullptr;
  DWORD nMaxCustFilter = 0;
  DWORD nFilterIndex = 0;
  LPSTR lpstrFile = nullptr;     // in: the starting path; out: the chosen one
  DWORD nMaxFile = 0;
  LPSTR lpstrFileTitle = nullptr;
  DWORD nMaxFileTitle = 0;
  LPCSTR lpstrInitialDir = nullptr;
  LPCSTR lpstrTitle = nullptr;
  DWORD Flags = 0;
  WORD nFileOffset = 0;
  WORD nFileExtension = 0;
  LPCSTR lpstrDefExt = nullptr;
  LPARAM lCustData = 0;
  void* lpfnHook = nullptr;
  LPCSTR lpTemplateName = nullptr;
};

// MessageBeep.
inline constexpr UINT MB_OK = 0x0;
inline constexpr UINT MB_ICONHAND = 0x10;
inline constexpr UINT MB_ICONEXCLAMATION = 0x30;

// Predefined registry roots; handles the stand-in hands out never take these values.
inline HKEY const HKEY_LOCAL_MACHINE = reinterpret_cast<HKEY>(std::uintptr_t{0x80000002U});
inline HKEY const HKEY_USERS = reinterpret_cast<HKEY>(std::uintptr_t{0x80000003U});

inline HANDLE const INVALID_HANDLE_VALUE = reinterpret_cast<HANDLE>(~std::uintptr_t{0});

// Language identifiers: low 10 bits the primary language, bits 10-15 the sublanguage.
[[nodiscard]] constexpr LANGID MAKELANGID(unsigned primary, unsigned sub) {
  return static_cast<LANGID>((sub << 10) | primary);
}
[[nodiscard]] constexpr unsigned PRIMARYLANGID(LANGID id) {
  return id & 0x3FFU;
}
[[nodiscard]] constexpr unsigned SUBLANGID(LANGID id) {
  return static_cast<unsigned>(id) >> 10;
}
[[nodiscard]] constexpr LANGID LANGIDFROMLCID(LCID id) {
  return static_cast<LANGID>(id & 0xFFFFU);
}
