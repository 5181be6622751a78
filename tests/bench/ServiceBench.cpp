// Request throughput: a 2-byte get through libwintab32's embedded service,
// the same get through tabletd's socket, and a raw Unix-socket ping-pong of
// the same frame sizes as the floor the daemon is measured against.

#include <benchmark/benchmark.h>

#include <sys/socket.h>
#include <unistd.h>

#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <thread>

#include "protocol/StDriverPacket.h"
#include "protocol/WintabEntry.h"
#include "service/CDaemon.h"
#include "service/CDaemonClient.h"
#include "service/CFrameCodec.h"

namespace {

const StObjectKey kModelPath[] = {{0, 2, 0}, {0, 124, 0}, {}};

// Builds the packet the way the applet's driver interface does.
StDriverPacket MakeGet(std::uint16_t& value) {
  StDriverPacket packet;
  (void)packet.Make(2, &value);
  (void)packet.FillRequest(1, kModelPath, 0, nullptr, 1);
  packet.dataLength = 2;
  return packet;
}

void BM_EmbeddedGet(benchmark::State& state) {
  std::uint16_t value = 0;
  for (auto _ : state) {
    StDriverPacket packet = MakeGet(value);
    if (WintabPrivateEntry599(&packet) != 0 || value != 130) state.SkipWithError("wrong answer");
    benchmark::DoNotOptimize(value);
  }
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_EmbeddedGet);

std::filesystem::path BenchSocket(const char* name) {
  return std::filesystem::temp_directory_path() / (std::string(name) + std::to_string(::getpid()));
}

void BM_DaemonGet(benchmark::State& state) {
  CTabletService service;
  CDaemon daemon(service, BenchSocket("kelvo-bench-"));
  std::string error;
  if (!daemon.Listen(error)) {
    state.SkipWithError(error.c_str());
    return;
  }
  volatile std::sig_atomic_t stop = 0;
  std::thread loop([&] { daemon.Run(stop); });
  CDaemonClient client(BenchSocket("kelvo-bench-"));
  std::uint16_t value = 0;
  for (auto _ : state) {
    StDriverPacket packet = MakeGet(value);
    if (client.Exchange(packet) != 0 || value != 130) state.SkipWithError("wrong answer");
  }
  state.SetItemsProcessed(state.iterations());
  stop = 1;
  loop.join();
}
BENCHMARK(BM_DaemonGet)->UseRealTime();

// The same bytes each way as a daemon get, with no service behind them.
void BM_RawPingPong(benchmark::State& state) {
  int pair[2];
  if (::socketpair(AF_UNIX, SOCK_STREAM, 0, pair) != 0) {
    state.SkipWithError("socketpair");
    return;
  }
  constexpr std::size_t kRequest = CFrameCodec::kHeaderSize + StDriverPacket::kWireSize + 2;
  constexpr std::size_t kReply = CFrameCodec::kHeaderSize + 4 + StDriverPacket::kWireSize + 2;
  std::thread echo([fd = pair[1]] {
    std::uint8_t in[kRequest];
    std::uint8_t out[kReply] = {};
    for (;;) {
      std::size_t got = 0;
      while (got < kRequest) {
        const ssize_t n = ::recv(fd, in + got, kRequest - got, 0);
        if (n <= 0) return;
        got += static_cast<std::size_t>(n);
      }
      if (::send(fd, out, kReply, MSG_NOSIGNAL) != static_cast<ssize_t>(kReply)) return;
    }
  });
  std::uint8_t request[kRequest] = {};
  std::uint8_t reply[kReply];
  for (auto _ : state) {
    (void)::send(pair[0], request, kRequest, MSG_NOSIGNAL);
    std::size_t got = 0;
    while (got < kReply) {
      const ssize_t n = ::recv(pair[0], reply + got, kReply - got, 0);
      if (n <= 0) break;
      got += static_cast<std::size_t>(n);
    }
  }
  state.SetItemsProcessed(state.iterations());
  ::shutdown(pair[0], SHUT_RDWR);
  echo.join();
  ::close(pair[0]);
  ::close(pair[1]);
}
BENCHMARK(BM_RawPingPong)->UseRealTime();

}  // namespace

int main(int argc, char** argv) {
  // The embedded service must not touch the user's state file.
  const std::string state = (std::filesystem::temp_directory_path() / "kelvo-bench-state.json").string();
  ::setenv("KELVO_STATE", state.c_str(), 1);
  ::unsetenv("KELVO_SERVICE");
  ::unsetenv("KELVO_SERVICE_SOCKET");
  ::unsetenv("KELVO_PROFILE");
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
