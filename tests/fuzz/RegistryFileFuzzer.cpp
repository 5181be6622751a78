// Arbitrary text as a registry file: parsing skips every bad line, must
// never crash, and every value it kept must be readable.

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "platform/CRegistryFile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  CRegistryFile file;
  file.Parse(std::string_view(reinterpret_cast<const char*>(data), size));
  (void)file.HasKey("HKEY_USERS\\.DEFAULT\\Software\\Kelvo\\Parameters");
  (void)file.FindValue("HKEY_USERS\\.DEFAULT\\Software\\Kelvo\\Parameters", "OEMCPLName");
  return 0;
}
