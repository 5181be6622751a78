#pragma once

// The handful of Win32 types and constants that the platform stand-ins speak,
// with their Windows names and values so that calling code reads as it would
// on Windows.

#include <cstdint>

using BOOL = int;
using CHAR = char;
using SHORT = std::int16_t;
using BYTE = std::uint8_t;
using WORD = std::uint16_t;
using DWORD = std::uint32_t;
using LONG = std::int32_t;
using UINT = unsigned int;
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
