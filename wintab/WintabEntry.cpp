#include "protocol/WintabEntry.h"

#include "protocol/StDriverPacket.h"
#include "wintab/CServiceBackend.h"

namespace {

WintabPacketHandler g_handler = nullptr;
void* g_context = nullptr;

}  // namespace

extern "C" std::uint32_t WintabPrivateEntry599(StDriverPacket* packet) {
  if (packet == nullptr) return kStatusNullPointer;
  // An installed handler takes precedence over the tablet service.
  if (g_handler != nullptr) return g_handler(g_context, packet);
  return CServiceBackend::Instance().Handle(*packet);
}

extern "C" WintabPacketHandler WintabInstallPacketHandler(WintabPacketHandler handler,
                                                          void* context, void** previousContext) {
  const WintabPacketHandler previous = g_handler;
  if (previousContext != nullptr) *previousContext = g_context;
  g_handler = handler;
  g_context = context;
  return previous;
}

extern "C" const char* WintabServiceFailure() {
  return CServiceBackend::Instance().Failure();
}
