#include "service/CPenCommand.h"

#include <algorithm>
#include <charconv>
#include <chrono>
#include <csignal>
#include <deque>

#include "protocol/LittleEndian.h"
#include "service/CControlCommand.h"
#include "service/CFrameCodec.h"
#include "service/CPenPlayer.h"
#include "service/CPenRecord.h"
#include "service/PacketPath.h"
#include "service/ServiceCodes.h"

namespace sc = service_codes;

namespace {

volatile std::sig_atomic_t g_stopPlay = 0;

void OnStop(int) { g_stopPlay = 1; }

bool Count(const std::string& text, std::uint64_t& out, std::uint64_t limit) {
  const char* end = text.data() + text.size();
  const auto [stop, error] = std::from_chars(text.data(), end, out);
  return !text.empty() && error == std::errc() && stop == end && out <= limit;
}

std::uint32_t Word(const std::vector<std::uint8_t>& bytes, std::size_t at) {
  if (at >= bytes.size()) return 0;
  return static_cast<std::uint32_t>(GetLittleEndian(bytes.data() + at, std::min<std::size_t>(4, bytes.size() - at)));
}

// Reports a second at most: the rate is what arrived within the last one.
class CRateMeter {
 public:
  double Add(std::chrono::steady_clock::time_point at) {
    m_times.push_back(at);
    while (m_times.size() > 1 && at - m_times.front() > std::chrono::seconds(1)) m_times.pop_front();
    if (m_times.size() < 2) return 0;
    const std::chrono::duration<double> span = m_times.back() - m_times.front();
    return span.count() > 0 ? static_cast<double>(m_times.size() - 1) / span.count() : 0;
  }

 private:
  std::deque<std::chrono::steady_clock::time_point> m_times;
};

// How often to play: once, N times, or until stopped (0).
bool ParseTimes(const std::vector<std::string>& words, std::size_t from, std::uint32_t& times) {
  times = 1;
  if (from == words.size()) return true;
  if (words[from] == "--loop" && from + 1 == words.size()) {
    times = 0;
    return true;
  }
  std::uint64_t number = 0;
  if (words[from] == "--times" && from + 2 == words.size() && Count(words[from + 1], number, 1000000) && number > 0) {
    times = static_cast<std::uint32_t>(number);
    return true;
  }
  return false;
}

}  // namespace

std::vector<StObjectKey> CPenCommand::Tablet(std::uint16_t code, std::uint32_t index) const {
  return {{0, sc::kTablet, m_tablet}, {0, code, index}};
}

int CPenCommand::SetField(std::uint16_t code, std::uint32_t index, const std::string& value) {
  return m_control.SetValue(Tablet(code, index), value);
}

int CPenCommand::Pen(const std::vector<std::string>& args) {
  std::size_t at = 1;
  if (args.size() > 2 && args[1] == "--tablet") {
    std::uint64_t tablet = 0;
    if (!Count(args[2], tablet, 0xFFFFFFFFu)) return m_control.Usage("bad tablet number");
    m_tablet = static_cast<std::uint32_t>(tablet);
    at = 3;
  }
  if (at >= args.size()) return m_control.Usage("pen: what should the pen do?");
  const std::string action = args[at];
  const std::vector<std::string> values(args.begin() + static_cast<std::ptrdiff_t>(at) + 1, args.end());

  if (action == "play" || action == "demo") {
    std::uint32_t times = 1;
    const std::size_t options = action == "play" ? 1 : 0;
    if (values.size() < options || !ParseTimes(values, options, times))
      return m_control.Usage("pen " + action + ": " + (action == "play" ? "FILE " : "") + "[--loop|--times N]");
    if (action == "demo") return Demo(times);
    StPenStroke stroke;
    std::string error;
    if (!CPenStroke::ReadFile(values[0], stroke, error)) return m_control.Usage(error);
    return Play(std::move(stroke), times);
  }
  struct StAction {
    const char* name;
    std::size_t count;
    std::uint16_t code;
    std::uint32_t first;
    std::uint32_t second;
  };
  // Each value keeps the size of its field: tilt and wheel may be negative.
  static constexpr StAction kFields[] = {
      {"move", 2, sc::kToolRecord, sc::kFieldX, sc::kFieldY},
      {"tilt", 2, sc::kToolRecord, sc::kFieldTiltX, sc::kFieldTiltY},
      {"pressure", 1, sc::kToolRecord, sc::kFieldPressure, 0},
      {"wheel", 1, sc::kToolRecord, sc::kFieldWheel, 0},
      {"rotation", 1, sc::kToolRecord, sc::kFieldRotation, 0},
      {"switches", 1, sc::kToolRecord, sc::kFieldSwitches, 0},
      {"buttons", 2, sc::kTabletButtonsRecord, sc::kFieldLeftButtons, sc::kFieldRightButtons},
      {"strips", 2, sc::kTouchStripsRecord, sc::kFieldLeftStrip, sc::kFieldRightStrip},
  };
  for (const StAction& known : kFields) {
    if (action != known.name) continue;
    // A tablet with one touch strip takes the left one alone.
    const bool oneStrip = action == "strips" && values.size() == 1;
    if (values.size() != known.count && !oneStrip)
      return m_control.Usage(std::string("pen ") + known.name + ": wrong number of values");
    int result = SetField(known.code, known.first, values[0]);
    if (result == 0 && values.size() == 2) result = SetField(known.code, known.second, values[1]);
    return result;
  }
  if (action == "prox" && values.size() == 1 && values[0] == "off") return SetField(sc::kToolRecord, sc::kFieldProximity, "0");
  if (action == "prox" && values.size() == 1) {
    const int chosen = m_control.SetValue(Tablet(sc::kCurrentTool), values[0]);
    return chosen != 0 ? chosen : SetField(sc::kToolRecord, sc::kFieldProximity, "1");
  }
  return m_control.Usage("pen: unknown action or wrong arguments \"" + action + "\"");
}

int CPenCommand::Demo(std::uint32_t times) {
  // The figure fits the tablet it is drawn on.
  std::vector<std::uint8_t> size;
  const Status sized = m_control.Send(kCommandGet, Tablet(sc::kTabletSize), size, 8);
  if (sized != kStatusOk) return m_control.Finish(sized, "tablet size");
  std::vector<std::uint8_t> axis;
  std::uint32_t levels = 1023;
  if (m_control.Send(kCommandGet, Tablet(sc::kPressureAxis), axis, 16) == kStatusOk && Word(axis, 4) != 0)
    levels = Word(axis, 4);
  return Play(CPenStroke::Demo(Word(size, 0), Word(size, 4), levels), times);
}

int CPenCommand::Play(StPenStroke stroke, std::uint32_t times) {
  // The reports name the tool: the stroke's own, else the one the tablet uses now.
  Status status = kStatusOk;
  const std::uint64_t tool = stroke.tool ? *stroke.tool : m_control.ReadNumber(Tablet(sc::kCurrentTool), status);
  if (status != kStatusOk) return m_control.Finish(status, "current tool");
  std::vector<StObjectKey> toolPath{{0, sc::kTablet, m_tablet}, {0, sc::kTool, static_cast<std::uint32_t>(tool)}};
  toolPath.push_back({0, sc::kTypeCode, 0});
  const auto type = static_cast<std::uint16_t>(m_control.ReadNumber(toolPath, status));
  if (status != kStatusOk) return m_control.Finish(status, "tool " + std::to_string(tool));
  toolPath.back() = {0, sc::kSerial, 0};
  const auto serial = static_cast<std::uint32_t>(m_control.ReadNumber(toolPath, status));
  if (status != kStatusOk) return m_control.Finish(status, "tool " + std::to_string(tool));

  const std::vector<StObjectKey> record = Tablet(sc::kToolRecord);
  std::vector<std::uint8_t> bytes;
  const auto send = [&](const StPenReport& report) {
    const ToolRecordBytes encoded = CPenRecord::Encode(report, type, serial);
    bytes.assign(encoded.begin(), encoded.end());
    return m_control.Send(kCommandSet, record, bytes, 0);
  };
  g_stopPlay = 0;
  struct sigaction action {};
  struct sigaction previousInt {};
  struct sigaction previousTerm {};
  action.sa_handler = OnStop;
  sigemptyset(&action.sa_mask);
  sigaction(SIGINT, &action, &previousInt);
  sigaction(SIGTERM, &action, &previousTerm);
  const CPenPlayer::StOutcome outcome = CPenPlayer::Play(stroke, send, times, g_stopPlay);
  sigaction(SIGINT, &previousInt, nullptr);
  sigaction(SIGTERM, &previousTerm, nullptr);
  // Stopped halfway, the pen is taken away rather than left hovering.
  if (g_stopPlay != 0 && outcome.status == kStatusOk) {
    StPenReport away;
    away.inProximity = false;
    DropStatus(send(away), "the play ends either way");
  }
  if (outcome.status != kStatusOk) return m_control.Finish(outcome.status, "pen report");
  const double seconds = std::chrono::duration<double>(outcome.elapsed).count();
  std::fprintf(m_control.Out(), "%zu reports in %.2f s (%.0f reports/s, %zu late)\n", outcome.sent, seconds,
               seconds > 0 && outcome.sent > 1 ? static_cast<double>(outcome.sent - 1) / seconds : 0.0, outcome.late);
  return 0;
}

int CPenCommand::Watch(const std::vector<std::string>& args) {
  std::uint64_t count = 0;
  if (args.size() > 2 && !Count(args[2], count, UINT64_MAX)) return m_control.Usage("watch: bad count");
  CDaemonClient& client = m_control.Client();
  if (!client.Subscribe()) return m_control.Finish(kStatusNoDriverInterface, "watch");
  std::vector<std::uint8_t> payload;
  CRateMeter meter;
  for (std::uint64_t seen = 0; count == 0 || seen < count;) {
    if (!client.ReadFrame(payload, -1)) return 0;
    if (payload.size() != 4 + StDriverPacket::kWireSize + kToolRecordSize) continue;
    StDriverPacket packet;
    const std::span<const std::uint8_t, StDriverPacket::kWireSize> image(payload.data() + 4, StDriverPacket::kWireSize);
    if (StDriverPacket::DecodeWire(image, nullptr, packet) != kStatusOk || packet.command != kCommandGet) continue;
    // Every report comes as the tablet's whole tool record (2:t/190).
    const std::span<const StObjectKey> path = PacketPath(packet);
    if (path.size() != 2 || path[0].code != sc::kTablet || path[1].code != sc::kToolRecord || path[1].index != 0)
      continue;
    const double rate = meter.Add(std::chrono::steady_clock::now());
    const std::span<const std::uint8_t, kToolRecordSize> record(payload.data() + 4 + StDriverPacket::kWireSize,
                                                                kToolRecordSize);
    std::fprintf(m_control.Out(), "tablet %u %s  %.0f reports/s\n", path[0].index,
                 CPenRecord::Describe(record).c_str(), rate);
    std::fflush(m_control.Out());
    ++seen;
  }
  return 0;
}
