#pragma once

// The private request entry of libwintab32.so. The applet resolves it by the
// fixed symbol name below, which stands for the driver library's ordinal 599.

#include <cstdint>

struct StDriverPacket;

inline constexpr char kWintabLibraryName[] = "libwintab32.so";
inline constexpr char kWintabEntrySymbol[] = "WintabPrivateEntry599";
inline constexpr char kWintabInstallSymbol[] = "WintabInstallPacketHandler";
inline constexpr char kWintabFailureSymbol[] = "WintabServiceFailure";

// Answers one request packet; the low 16 bits of the result are the status.
using WintabPacketHandler = std::uint32_t (*)(void* context, StDriverPacket* packet);

extern "C" {

// One packet address in, the driver's status out. The reply data is written
// through the packet's data pointer and its length into the data length.
__attribute__((visibility("default"))) std::uint32_t WintabPrivateEntry599(StDriverPacket* packet);

// Replaces the handler that answers packets in this process and returns the
// previous one through `previousContext` (both may be null).
__attribute__((visibility("default"))) WintabPacketHandler WintabInstallPacketHandler(
    WintabPacketHandler handler, void* context, void** previousContext);

// Why the last request found no tablet service (it answered 0x1000), for a
// person to read; null while there is nothing to tell.
__attribute__((visibility("default"))) const char* WintabServiceFailure();
}
