#pragma once

// Every operation that can fail answers a 16-bit status: 0 is success, codes
// of the driver pass through unchanged, the applet's own codes are named here.

#include <concepts>
#include <cstdint>

// The type itself is [[nodiscard]], so no function that answers a status can
// have it ignored by accident. It converts to and from the 16-bit code so that
// comparisons, switches and the wire image read as plain numbers.
class [[nodiscard]] Status {
 public:
  constexpr Status() = default;
  constexpr Status(std::uint16_t code) : m_code(code) {}  // NOLINT(google-explicit-constructor)
  constexpr operator std::uint16_t() const { return m_code; }  // NOLINT(google-explicit-constructor)

 private:
  std::uint16_t m_code = 0;
};

inline constexpr Status kStatusOk = 0;

// Driver link (request packet, data key, driver interface).
inline constexpr Status kStatusKeyFull = 0x100;            // 256: no room for another key level (thrown)
inline constexpr Status kStatusOutOfMemory = 0x101;        // 257: an object could not be created
inline constexpr Status kStatusMissingArgument = 0x102;    // 258: a source or argument is missing
inline constexpr Status kStatusNullPointer = 0x103;        // 259: packet, key pointer or data buffer missing
inline constexpr Status kStatusDataTooLong = 0x105;        // 261: data longer than the buffer
inline constexpr Status kStatusNotFound = 0x200;           // 512: no such path, table or string
inline constexpr Status kStatusMalformedPacket = 0x201;    // 513
inline constexpr Status kStatusNoOutText = 0x202;          // 514: string found but nowhere to put it
inline constexpr Status kStatusWrongSize = 0x203;          // 515: a set whose data size is not the value's size
inline constexpr Status kStatusReadOnly = 0x204;           // 516: the value is kept by the driver and cannot be set
// Tablet service.
inline constexpr Status kStatusNotSaved = 0x205;           // 517: the change took effect but could not be stored
inline constexpr Status kStatusServiceBusy = 0x206;        // 518: the service turned the request away (too many clients)
inline constexpr Status kStatusNoReply = 0x207;            // 519: a change was sent and no answer came: it may or may not be made
inline constexpr Status kStatusNoRoutine = 0x40D;          // 1037: no notification or string routine installed
inline constexpr Status kStatusBadVersionString = 0x410;   // 1040

// Settings items, groupings and views.
inline constexpr Status kStatusNoItem = 0x600;             // 1536: no such item or id
inline constexpr Status kStatusSequenceFull = 0x602;       // 1538: a keystroke sequence has no room left
inline constexpr Status kStatusNotSupported = 0x603;       // 1539: not supported here; no factory value
inline constexpr Status kStatusNoChild = 0x606;            // 1542: no such child, control or registry key
inline constexpr Status kStatusHandled = 0x60C;            // 1548: routing: the request was handled

// Driver link start.
inline constexpr Status kStatusNoDriverInterface = 0x1000; // 4096
inline constexpr Status kStatusNoTablet = 0x1001;          // 4097
inline constexpr Status kStatusCtrlHeld = 0x100D;          // 4109: a dialog closed with Ctrl held
inline constexpr Status kStatusVersionMismatch = 0x100E;   // 4110

// Resource storage and toolkit.
inline constexpr Status kStatusResourceMissing = 0x700;    // the resource file cannot be opened
inline constexpr Status kStatusResourceDamaged = 0x701;    // truncated, corrupt or of another format
inline constexpr Status kStatusWrongClass = 0x702;         // an object of another class than asked for
inline constexpr Status kStatusAlreadyExists = 0x703;      // a second object under the same name
inline constexpr Status kStatusWriteFailed = 0x710;        // a file (a screenshot) could not be written

inline constexpr Status kStatusUnknown = 0xFFFF;           // no listener, or nothing answered

// A status dropped on purpose goes through here, with the reason at the call:
//   DropStatus(view.Detach(), "the view is going away either way");
// Only a Status is taken, so a bool or a count cannot pass for one.
constexpr void DropStatus(std::same_as<Status> auto /*status*/, const char* /*why*/) {}

// A caller that gets a non-zero status stops and passes it up.
#define KELVO_TRY(expr)                                  \
  do {                                                   \
    if (const Status kelvoStatus_ = (expr); kelvoStatus_ != kStatusOk) \
      return kelvoStatus_;                               \
  } while (false)
