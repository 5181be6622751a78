// Request throughput: a 2-byte get through libwintab32's embedded service,
// the same get through tabletd's socket, and that get against a raw
// Unix-socket ping-pong of the same frame sizes as its floor; then ten
// clients setting values at once (each set acknowledged only once it is on
// disk) while two more read, with the readers' latency.

#include <benchmark/benchmark.h>

#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <atomic>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <thread>
#include <vector>

#include "protocol/StDriverPacket.h"
#include "protocol/WintabEntry.h"
#include "service/CDaemonClient.h"
#include "service/CFrameCodec.h"
#include "support/CServedDaemon.h"
#include "support/CTempDir.h"

namespace {

const StObjectKey kModelPath[] = {{0, 2, 0}, {0, 124, 0}, {}};

// A private folder for the sockets and state files (the daemon refuses
// folders other users may change). Made before the first request, it is
// removed at exit only after the embedded service, made later and so ended
// first, has saved its state.
std::filesystem::path BenchPath(const char* name) {
  static const CTempDir dir;
  return std::filesystem::path(dir.Path()) / name;
}

// Builds the packet the way the applet's driver interface does.
template <typename T>
StDriverPacket MakeRequest(std::uint32_t command, const StObjectKey* keys, T& value) {
  StDriverPacket packet;
  DropStatus(packet.Make(sizeof value, &value), "a value's own size fits it");
  DropStatus(packet.FillRequest(command, keys, 0, nullptr, 1), "a request without data");
  packet.dataLength = sizeof value;
  return packet;
}

template <typename T>
std::uint32_t Exchange(CDaemonClient& client, std::uint32_t command, const StObjectKey* keys,
                       T& value) {
  StDriverPacket packet = MakeRequest(command, keys, value);
  return client.Exchange(packet);
}

// The tablet's model, 130, through the daemon.
void DaemonGet(benchmark::State& state, CDaemonClient& client) {
  std::uint16_t value = 0;
  if (Exchange(client, 1, kModelPath, value) != 0 || value != 130) state.SkipWithError("wrong answer");
}

void BM_EmbeddedGet(benchmark::State& state) {
  std::uint16_t value = 0;
  for (auto _ : state) {
    StDriverPacket packet = MakeRequest(1, kModelPath, value);
    if (WintabPrivateEntry599(&packet) != 0 || value != 130) state.SkipWithError("wrong answer");
    benchmark::DoNotOptimize(value);
  }
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_EmbeddedGet);

void BM_DaemonGet(benchmark::State& state) {
  CTabletService service;
  const CServedDaemon daemon(service, BenchPath("get"));
  if (!daemon.Error().empty()) return state.SkipWithError(daemon.Error().c_str());
  CDaemonClient client(BenchPath("get"));
  for (auto _ : state) DaemonGet(state, client);
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_DaemonGet)->UseRealTime();

// Receives exactly `size` bytes; false when the socket ends first.
bool ReceiveAll(int fd, std::uint8_t* into, std::size_t size) {
  for (std::size_t got = 0; got < size;) {
    const ssize_t n = ::recv(fd, into + got, size - got, 0);
    if (n <= 0) return false;
    got += static_cast<std::size_t>(n);
  }
  return true;
}

// The daemon against the raw ping-pong, in alternating short rounds so that
// both see the same load on the machine: the best round of each and the
// median of the per-round ratios.
void BM_DaemonOverRawRoundTrip(benchmark::State& state) {
  constexpr int kRounds = 15;
  constexpr int kTrips = 3000;
  CTabletService service;
  const CServedDaemon daemon(service, BenchPath("ratio"));
  if (!daemon.Error().empty()) return state.SkipWithError(daemon.Error().c_str());
  CDaemonClient client(BenchPath("ratio"));
  // The same bytes each way with no service behind them: an echo thread at
  // the far end of a socket pair.
  constexpr std::size_t kRequest = CFrameCodec::kHeaderSize + StDriverPacket::kWireSize + 2;
  constexpr std::size_t kReply = CFrameCodec::kHeaderSize + 4 + StDriverPacket::kWireSize + 2;
  int pair[2];
  if (::socketpair(AF_UNIX, SOCK_STREAM, 0, pair) != 0) return state.SkipWithError("socketpair");
  std::thread echo([fd = pair[1]] {
    std::uint8_t in[kRequest];
    const std::uint8_t out[kReply] = {};
    while (ReceiveAll(fd, in, kRequest))
      if (::send(fd, out, kReply, MSG_NOSIGNAL) != static_cast<ssize_t>(kReply)) return;
  });
  const auto raw = [&] {
    const std::uint8_t request[kRequest] = {};
    std::uint8_t reply[kReply];
    if (::send(pair[0], request, kRequest, MSG_NOSIGNAL) == static_cast<ssize_t>(kRequest))
      benchmark::DoNotOptimize(ReceiveAll(pair[0], reply, kReply));
  };
  const auto viaDaemon = [&] { DaemonGet(state, client); };
  const auto time = [](const auto& trip) {
    const auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < kTrips; ++i) trip();
    return std::chrono::duration<double, std::micro>(std::chrono::steady_clock::now() - start).count() / kTrips;
  };
  std::vector<double> raws;
  std::vector<double> daemons;
  std::vector<double> ratios;
  for (auto _ : state) {
    for (int round = 0; round < kRounds; ++round) {
      raws.push_back(time(raw));
      daemons.push_back(time(viaDaemon));
      ratios.push_back(daemons.back() / raws.back());
    }
  }
  ::shutdown(pair[0], SHUT_RDWR);
  echo.join();
  ::close(pair[0]);
  ::close(pair[1]);
  std::sort(ratios.begin(), ratios.end());
  const double rawBest = *std::min_element(raws.begin(), raws.end());
  const double daemonBest = *std::min_element(daemons.begin(), daemons.end());
  state.counters["raw_best_us"] = rawBest;
  state.counters["daemon_best_us"] = daemonBest;
  state.counters["ratio_of_best"] = daemonBest / rawBest;
  state.counters["ratio_median"] = ratios[ratios.size() / 2];
}
BENCHMARK(BM_DaemonOverRawRoundTrip)->Iterations(1)->Unit(benchmark::kMillisecond);

void BM_DaemonTenSettersTwoReaders(benchmark::State& state) {
  constexpr int kSetters = 10;
  constexpr int kReaders = 2;
  constexpr auto kRunTime = std::chrono::seconds(3);
  // Function codes of the pen's three and the puck's four buttons: 4 bytes each.
  std::vector<std::array<StObjectKey, 5>> paths;
  for (std::uint32_t tool = 0; tool < 2; ++tool)
    for (std::uint32_t button = 1; button <= 3 + tool; ++button)
      paths.push_back({{{0, 2, 0}, {0, 4, tool}, {0, 11, button}, {0, 41, 0}, {}}});
  CTabletService service(MakeDefaultProfile(), BenchPath("sets.json"));
  const CServedDaemon daemon(service, BenchPath("sets"));
  if (!daemon.Error().empty()) return state.SkipWithError(daemon.Error().c_str());
  std::atomic<std::uint64_t> acknowledged{0};
  std::atomic<std::uint64_t> failed{0};
  std::vector<std::vector<double>> latencies(kReaders);
  for (auto _ : state) {
    std::atomic<bool> done{false};
    std::vector<std::thread> threads;
    const auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < kSetters; ++i) {
      threads.emplace_back([&, i] {
        CDaemonClient client(BenchPath("sets"));
        for (std::uint32_t n = 1; !done; ++n) {
          std::uint32_t value = static_cast<std::uint32_t>(i) * 1000000 + n;
          const StObjectKey* path = paths[static_cast<std::size_t>(i) % paths.size()].data();
          (Exchange(client, 2, path, value) == 0 ? acknowledged : failed)++;
        }
      });
    }
    for (int r = 0; r < kReaders; ++r) {
      threads.emplace_back([&, r] {
        CDaemonClient client(BenchPath("sets"));
        while (!done) {
          std::uint32_t value = 0;
          const auto asked = std::chrono::steady_clock::now();
          if (Exchange(client, 1, paths[static_cast<std::size_t>(r)].data(), value) != 0) failed++;
          latencies[static_cast<std::size_t>(r)].push_back(
              std::chrono::duration<double, std::micro>(std::chrono::steady_clock::now() - asked).count());
        }
      });
    }
    std::this_thread::sleep_for(kRunTime);
    done = true;
    for (std::thread& thread : threads) thread.join();
    state.SetIterationTime(std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
  }
  std::vector<double> all;
  for (const auto& one : latencies) all.insert(all.end(), one.begin(), one.end());
  std::sort(all.begin(), all.end());
  const auto at = [&](double share) {
    return all.empty() ? 0.0 : all[static_cast<std::size_t>(share * static_cast<double>(all.size() - 1))];
  };
  const double seconds = std::chrono::duration<double>(kRunTime).count();
  state.counters["sets_per_s"] = static_cast<double>(acknowledged.load()) / seconds;
  state.counters["failed"] = static_cast<double>(failed.load());
  state.counters["gets"] = static_cast<double>(all.size());
  state.counters["get_p50_us"] = at(0.50);
  state.counters["get_p99_us"] = at(0.99);
  state.counters["get_max_us"] = all.empty() ? 0.0 : all.back();
}
BENCHMARK(BM_DaemonTenSettersTwoReaders)->Iterations(1)->UseManualTime()->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  // The embedded service must not touch the user's state file.
  const std::string state = BenchPath("embedded.json").string();
  ::setenv("KELVO_STATE", state.c_str(), 1);
  ::unsetenv("KELVO_SERVICE");
  ::unsetenv("KELVO_SERVICE_SOCKET");
  ::unsetenv("KELVO_PROFILE");
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
