// The input pipeline's cost: one report through threshold, curve, mapping and
// buttons (its 99th percentile), a 1000 reports-per-second recording replayed
// in real time (the share of one core it takes), and the delay from a
// report's last event read to its output frames written, as a distribution.

#include <benchmark/benchmark.h>

#include <fcntl.h>
#include <linux/input.h>
#include <sys/epoll.h>
#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <thread>
#include <vector>

#include "service/CTabletService.h"
#include "service/input/CEventRecording.h"
#include "service/input/CInputPipeline.h"
#include "service/input/CReplay.h"
#include "service/input/CSettingsReader.h"
#include "service/input/ILauncher.h"
#include "service/input/IOutputSink.h"

namespace {

using Clock = std::chrono::steady_clock;
constexpr int kRate = 1000;  // reports a second

double MicrosSince(Clock::time_point start) {
  return std::chrono::duration<double, std::micro>(Clock::now() - start).count();
}

class CNoLauncher final : public ILauncher {
 public:
  void Launch(const std::string&) override {}
};

// Writes each frame as kernel input events to /dev/null, one write per
// frame, as a uinput device is written.
class CDeviceSink final : public IOutputSink {
 public:
  CDeviceSink() : m_fd(open("/dev/null", O_WRONLY | O_CLOEXEC)) {}
  ~CDeviceSink() override { close(m_fd); }
  CDeviceSink(const CDeviceSink&) = delete;
  CDeviceSink& operator=(const CDeviceSink&) = delete;
  void Emit(OutputDevice, std::uint16_t type, std::uint16_t code, std::int32_t value) override {
    m_frame.push_back({.time = {}, .type = type, .code = code, .value = value});
  }
  void Sync(OutputDevice device) override {
    Emit(device, EV_SYN, SYN_REPORT, 0);
    benchmark::DoNotOptimize(write(m_fd, m_frame.data(), m_frame.size() * sizeof(input_event)));
    m_frame.clear();
  }

 private:
  int m_fd;
  std::vector<input_event> m_frame;
};

// A pen drawing loops for `seconds`: pressure rising and falling through
// the threshold, a side switch every half second.
CEventRecording MakeRecording(int seconds) {
  CEventRecording recording;
  recording.m_device.axes = {{ABS_X, 0, 20320, 100},
                             {ABS_Y, 0, 15240, 100},
                             {ABS_PRESSURE, 0, 1023, 0},
                             {ABS_TILT_X, -64, 63, 57},
                             {ABS_TILT_Y, -64, 63, 57}};
  std::int64_t time = 0;
  auto add = [&](std::uint16_t type, std::uint16_t code, std::int32_t value) {
    recording.m_events.push_back({time, type, code, value});
  };
  add(EV_KEY, BTN_TOOL_PEN, 1);
  add(EV_MSC, MSC_SERIAL, 0x1234);
  for (int i = 0; i < seconds * kRate; ++i) {
    const double angle = i * 0.01;
    add(EV_ABS, ABS_X, static_cast<std::int32_t>(10160 + 6000 * std::cos(angle)));
    add(EV_ABS, ABS_Y, static_cast<std::int32_t>(7620 + 5000 * std::sin(angle)));
    add(EV_ABS, ABS_PRESSURE, static_cast<std::int32_t>(511 + 511 * std::sin(angle * 3)));
    add(EV_ABS, ABS_TILT_X, static_cast<std::int32_t>(20 * std::sin(angle)));
    if (i % (kRate / 2) == 0) add(EV_KEY, BTN_STYLUS, (i / (kRate / 2)) % 2);
    add(EV_MSC, MSC_SERIAL, 0x1234);
    add(EV_SYN, SYN_REPORT, 0);
    time += 1'000'000 / kRate;
  }
  add(EV_KEY, BTN_TOOL_PEN, 0);
  add(EV_SYN, SYN_REPORT, 0);
  return recording;
}

// The settings of the default pen with a keystroke on its side switch.
StToolSettings PenSettings() {
  CTabletService service;
  StToolSettings settings;
  DropStatus(CSettingsReader(service.Model()).Read(0, 0, settings), "the default profile has a pen");
  settings.buttons[2].code = 8;
  settings.buttons[2].keys = {0x5A000002};
  return settings;
}

// A recording of `seconds` played with the pen's settings into device outputs.
struct StPenReplay {
  explicit StPenReplay(int seconds)
      : recording(MakeRecording(seconds)),
        pipeline(sink, launcher),
        replay(pipeline, [this](ToolKind, std::uint32_t, StToolSettings& out) {
          out = settings;
          return true;
        }) {}
  bool Feed(const StInputEvent& event) { return replay.Feed(event, recording.m_device); }

  CEventRecording recording;
  StToolSettings settings = PenSettings();
  CDeviceSink sink;
  CNoLauncher launcher;
  CInputPipeline pipeline;
  CReplay replay;
};

double Percentile(std::vector<double>& values, double fraction) {
  std::sort(values.begin(), values.end());
  return values[static_cast<std::size_t>(fraction * static_cast<double>(values.size() - 1))];
}

// The distribution of the delays from a read to its output, in microseconds.
void ReportDelays(benchmark::State& state, std::vector<double>& delays) {
  state.counters["delay_p50_us"] = Percentile(delays, 0.50);
  state.counters["delay_p90_us"] = Percentile(delays, 0.90);
  state.counters["delay_p99_us"] = Percentile(delays, 0.99);
  state.counters["delay_max_us"] = delays.back();
}

double ThreadCpuSeconds() {
  timespec now{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
  return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) / 1e9;
}

// This thread's CPU time from its construction over the wall time, as the
// share of one core.
struct StCoreShare {
  void Report(benchmark::State& state) const {
    const double wall = std::chrono::duration<double>(Clock::now() - wallStart).count();
    state.counters["cpu_percent_of_core"] = 100.0 * (ThreadCpuSeconds() - cpuStart) / wall;
  }
  double cpuStart = ThreadCpuSeconds();
  Clock::time_point wallStart = Clock::now();
};

void BM_PipelinePerReport(benchmark::State& state) {
  StPenReplay replay(2);
  replay.pipeline.Configure(replay.settings, replay.recording.m_device);
  // The reports, assembled once, so that only the pipeline is timed.
  std::vector<StInputReport> reports;
  CReportAssembler assembler;
  for (const StInputEvent& event : replay.recording.m_events)
    if (assembler.Feed(event)) reports.push_back(assembler.Report());
  std::vector<double> micros;
  micros.reserve(1 << 20);
  std::size_t next = 0;
  for (auto _ : state) {
    const StInputReport& report = reports[next++ % (reports.size() - 1)];
    const Clock::time_point start = Clock::now();
    replay.pipeline.Process(report);
    micros.push_back(MicrosSince(start));
  }
  state.counters["p50_us"] = Percentile(micros, 0.50);
  state.counters["p99_us"] = Percentile(micros, 0.99);
}
BENCHMARK(BM_PipelinePerReport);

// Real time: each report's events are fed when their time comes, as a
// device would deliver them.
void BM_ReplayAt1000ReportsPerSecond(benchmark::State& state) {
  for (auto _ : state) {
    StPenReplay replay(static_cast<int>(state.range(0)));
    std::vector<double> delays;
    const StCoreShare share;
    const Clock::time_point start = Clock::now();
    for (const StInputEvent& event : replay.recording.m_events) {
      std::this_thread::sleep_until(start + std::chrono::microseconds(event.timeUs));
      const Clock::time_point read = Clock::now();
      if (replay.Feed(event)) delays.push_back(MicrosSince(read));
    }
    share.Report(state);
    ReportDelays(state, delays);
  }
}
BENCHMARK(BM_ReplayAt1000ReportsPerSecond)->Arg(5)->Iterations(1)->Unit(benchmark::kMillisecond)->UseRealTime();

// As the service reads a device: a feeder thread stands for the kernel and
// writes each report's events into a pipe when their time comes; the
// service's thread waits in epoll on it, reads what is there and plays it.
// Only the service's thread is counted: its share of a core, and the delay
// from a read's return to the report's output frames written. The timer the
// paced replay above sleeps on is no cost the service pays.
void BM_DeviceReadAt1000ReportsPerSecond(benchmark::State& state) {
  for (auto _ : state) {
    StPenReplay replay(static_cast<int>(state.range(0)));
    int ends[2];
    if (pipe2(ends, O_CLOEXEC | O_NONBLOCK) != 0) {
      state.SkipWithError("no pipe");
      return;
    }
    std::thread feeder([&] {
      const Clock::time_point start = Clock::now();
      std::vector<input_event> report;
      for (const StInputEvent& event : replay.recording.m_events) {
        report.push_back({.time = {}, .type = event.type, .code = event.code, .value = event.value});
        if (event.type != EV_SYN) continue;
        std::this_thread::sleep_until(start + std::chrono::microseconds(event.timeUs));
        benchmark::DoNotOptimize(write(ends[1], report.data(), report.size() * sizeof(input_event)));
        report.clear();
      }
      close(ends[1]);
    });
    const int epoll = epoll_create1(EPOLL_CLOEXEC);
    epoll_event watch{};
    watch.events = EPOLLIN;
    epoll_ctl(epoll, EPOLL_CTL_ADD, ends[0], &watch);
    std::vector<double> delays;
    input_event buffer[64];
    const StCoreShare share;
    for (bool open = true; open;) {
      epoll_event ready{};
      if (epoll_wait(epoll, &ready, 1, 1000) <= 0) continue;
      for (;;) {
        const ssize_t got = read(ends[0], buffer, sizeof buffer);
        if (got == 0) open = false;
        if (got <= 0) break;
        const Clock::time_point read = Clock::now();
        for (ssize_t i = 0; i < got / static_cast<ssize_t>(sizeof(input_event)); ++i)
          if (replay.Feed({0, buffer[i].type, buffer[i].code, buffer[i].value}))
            delays.push_back(MicrosSince(read));
      }
    }
    share.Report(state);
    feeder.join();
    close(epoll);
    close(ends[0]);
    ReportDelays(state, delays);
  }
}
BENCHMARK(BM_DeviceReadAt1000ReportsPerSecond)->Arg(5)->Iterations(1)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
