// Feeds arbitrary bytes to the resource-file reader: opening and reading every
// object it lists must answer a status, never crash or read out of bounds.
// Each input is tried as it is and once more with its size and checksum
// fields made right, so that mutations get past the header into the parser.

#include <cstddef>
#include <cstdint>
#include <vector>

#include "toolkit/storage/ZafStorage.h"
#include "toolkit/storage/ZncFormat.h"

namespace {

void ReadEverything(std::vector<std::uint8_t> bytes) {
  ZafStorage storage;
  if (storage.OpenBytes(std::move(bytes)) != kStatusOk) return;
  for (const std::string& name : storage.WindowNames()) {
    StResourceObject window;
    (void)storage.ReadWindow(name, window);
  }
  for (const std::string& name : storage.DataNames()) {
    StResourceData object;
    (void)storage.ReadData(name, object);
  }
}

void PutU32(std::vector<std::uint8_t>& bytes, std::size_t at, std::uint32_t value) {
  for (std::size_t i = 0; i < 4; ++i) bytes[at + i] = static_cast<std::uint8_t>(value >> (8 * i));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::vector<std::uint8_t> bytes(data, data + size);
  ReadEverything(bytes);
  if (bytes.size() >= znc::kHeaderSize) {
    for (std::size_t i = 0; i < znc::kMagic.size(); ++i) bytes[i] = static_cast<std::uint8_t>(znc::kMagic[i]);
    bytes[4] = static_cast<std::uint8_t>(znc::kFormatVersion);
    bytes[5] = 0;
    PutU32(bytes, 16, static_cast<std::uint32_t>(bytes.size()));
    PutU32(bytes, 20, znc::Crc32({bytes.data() + znc::kHeaderSize, bytes.size() - znc::kHeaderSize}));
    ReadEverything(std::move(bytes));
  }
  return 0;
}
