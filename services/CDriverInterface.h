#pragma once

#include <array>
#include <cstdint>
#include <memory>

#include "protocol/StObjectKey.h"
#include "protocol/Status.h"

// The applet's (and the driver's) version record: major, tens and units of the
// minor number, release letter code, build.
using VersionRecord = std::array<std::uint8_t, 5>;

// Sends request packets to the driver. The process-wide instance is made by
// the object factory on first use and released at the end of the run.
class CDriverInterface {
 public:
  CDriverInterface() = default;
  virtual ~CDriverInterface();
  CDriverInterface(const CDriverInterface&) = delete;
  CDriverInterface& operator=(const CDriverInterface&) = delete;

  // `keys` is a key array ended by a code 0 entry; `buffer` holds `capacity`
  // bytes: the value to set, or room for the reply.
  [[nodiscard]] virtual Status SendRequest(std::uint32_t command, const StObjectKey* keys,
                                           std::uint32_t capacity, void* buffer) = 0;
  [[nodiscard]] virtual Status GetAppletVersion(VersionRecord& out) = 0;
  [[nodiscard]] virtual Status Open() = 0;

 private:
  std::uint32_t m_reserved = 0;
};

// The process-wide driver interface: made through the object factory and
// opened on first use; none when it cannot be made or opened (tried again on
// the next call).
[[nodiscard]] CDriverInterface* GetDriverInterface();
void ReleaseDriverInterface();
// Puts `replacement` in place of the process-wide interface (tests install a
// recording one); the previous one is deleted.
void InstallDriverInterface(std::unique_ptr<CDriverInterface> replacement);

// Parses a version string of the form "4.82-8" into a version record.
[[nodiscard]] Status ParseVersionString(const char* text, VersionRecord& out);

inline constexpr char kAppletVersionString[] = "4.82-8";
