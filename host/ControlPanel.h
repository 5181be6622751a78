#pragma once

// The Control Panel interface between a host and an applet module: the
// messages, the information blocks and the two entry points' signatures.
// Handles are 32-bit values, so that the blocks keep their sizes on 64-bit
// Linux.

#include <cstdint>

using HandleValue = std::uint32_t;

inline constexpr std::uint32_t kCplInit = 1;
inline constexpr std::uint32_t kCplGetCount = 2;
inline constexpr std::uint32_t kCplInquire = 3;
inline constexpr std::uint32_t kCplSelect = 4;
inline constexpr std::uint32_t kCplDblClk = 5;
inline constexpr std::uint32_t kCplStop = 6;
inline constexpr std::uint32_t kCplExit = 7;
inline constexpr std::uint32_t kCplNewInquire = 8;
inline constexpr std::uint32_t kCplStartWithParamsA = 9;
inline constexpr std::uint32_t kCplStartWithParamsW = 10;

inline constexpr std::uint32_t kDllProcessDetach = 0;
inline constexpr std::uint32_t kDllProcessAttach = 1;

// Answer block of CPL_INQUIRE (16 bytes).
struct StCplInfo {
  std::int32_t iconId;
  std::int32_t nameId;
  std::int32_t infoId;
  std::int32_t data;
};
static_assert(sizeof(StCplInfo) == 16);

// Answer block of CPL_NEWINQUIRE (244 bytes).
struct StNewCplInfo {
  std::uint32_t size;
  std::uint32_t flags;
  std::uint32_t helpContext;
  std::uint32_t data;
  HandleValue icon;
  char name[32];
  char info[64];
  char helpFile[128];
};
static_assert(sizeof(StNewCplInfo) == 244);

extern "C" {
using CplAppletEntry = std::int32_t (*)(void* hostWindow, std::uint32_t message, std::intptr_t param1,
                                        std::intptr_t param2);
using DllMainEntry = std::int32_t (*)(void* instance, std::uint32_t reason, void* reserved);
}

inline constexpr char kCplAppletSymbol[] = "CPlApplet";
inline constexpr char kDllMainSymbol[] = "DllMain";
