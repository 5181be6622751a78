// Profile files are user input: any text either fails with a message or
// yields a profile the service can be built from.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "service/CProfileReader.h"
#include "service/CTabletService.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  StProfile profile;
  std::string error;
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  if (CProfileReader::ReadText(text, "fuzz.json", profile, error)) {
    CTabletService service(profile);
    (void)service;
  } else if (error.empty()) {
    __builtin_trap();
  }
  return 0;
}
