#pragma once

#include <string>

#include "driver/CWintabLibrary.h"
#include "services/CDriverInterface.h"

// Sends request packets through the Wintab library's private entry.
class CWinDriverInterface : public CDriverInterface {
 public:
  CWinDriverInterface() = default;
  ~CWinDriverInterface() override = default;

  // The maker the object factory uses on this platform; none when memory is
  // exhausted.
  static std::unique_ptr<CDriverInterface> Make();

  [[nodiscard]] Status SendRequest(std::uint32_t command, const StObjectKey* keys,
                                   std::uint32_t capacity, void* buffer) override;
  [[nodiscard]] Status GetAppletVersion(VersionRecord& out) override;
  // Loads the library; a library or entry that cannot be found makes the
  // interface unusable, so that the applet sees no driver.
  [[nodiscard]] Status Open() override;

  // Why requests find no driver, for a person: the library that does not
  // load, or what the library says of its service.
  [[nodiscard]] static std::string DescribeAbsence();

 private:
  CWintabLibrary m_library;
};
