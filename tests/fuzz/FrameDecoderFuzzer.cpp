// Daemon request frames from an untrusted client: decoding and answering
// must neither crash nor write outside the buffer the frame sized.

#include <cstddef>
#include <cstdint>
#include <vector>

#include "service/CFrameCodec.h"
#include "service/CTabletService.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static CTabletService service;
  StDriverPacket packet;
  std::vector<std::uint8_t> buffer;
  if (CFrameCodec::DecodeRequest({data, size}, packet, buffer) != kStatusOk) return 0;
  (void)service.HandlePacket(packet);
  std::vector<std::uint8_t> reply;
  CFrameCodec::EncodeReply(0, packet, reply);
  return 0;
}
