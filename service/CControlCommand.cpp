#include "service/CControlCommand.h"

#include <charconv>
#include <cstring>

#include "protocol/LittleEndian.h"
#include "service/CFrameCodec.h"
#include "service/CListCommand.h"
#include "service/CNamedSettings.h"
#include "service/ControlUsage.h"
#include "service/CPathText.h"
#include "service/CPresetCommand.h"
#include "service/CPenCommand.h"
#include "service/CStatusCommand.h"
#include "service/ServiceCodes.h"
#include "service/StatusText.h"

namespace sc = service_codes;

namespace {

constexpr std::uint32_t kLargestValue = 256;

// A number as typed: decimal with an optional minus, or 0x hex.
struct StNumber {
  std::uint64_t magnitude = 0;
  bool negative = false;
};

bool ParseNumber(const std::string& text, StNumber& out) {
  const char* begin = text.c_str();
  const char* end = begin + text.size();
  int base = 10;
  out = {};
  if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
    begin += 2;
    base = 16;
  } else if (!text.empty() && text[0] == '-') {
    out.negative = true;
    ++begin;
  }
  const auto [stop, error] = std::from_chars(begin, end, out.magnitude, base);
  return begin != end && error == std::errc() && stop == end;
}

// A count, number or code given on the command line, up to `limit`.
bool ToNumber(const std::string& text, std::uint64_t& out, std::uint64_t limit = UINT64_MAX) {
  StNumber number;
  if (!ParseNumber(text, number) || number.negative || number.magnitude > limit) return false;
  out = number.magnitude;
  return true;
}

}  // namespace

const CControlCommand::StCommand CControlCommand::kCommands[] = {
    {"list", 0, 0, "no arguments", &CControlCommand::ListCommand},
    {"names", 0, 0, "no arguments", &CControlCommand::NamesCommand},
    {"get", 1, 1, "one PATH or NAME", &CControlCommand::GetCommand},
    {"default", 1, 1, "one PATH or NAME", &CControlCommand::GetCommand},
    {"set", 2, 2, "a PATH or NAME and a VALUE", &CControlCommand::SetCommand},
    {"create", 1, 2, "a PATH and at most one number", &CControlCommand::CreateCommand},
    {"remove", 1, 1, "one PATH", &CControlCommand::RemoveCommand},
    {"pen", 1, 5, "an action: prox, move, pressure, tilt, wheel, rotation, switches, buttons, strips, play or demo", &CControlCommand::Pen},
    {"attach", 1, 4, "tablet [DEFINITION] or tool TABLET TYPE SERIAL", &CControlCommand::AttachCommand},
    {"detach", 2, 3, "tablet T or tool TABLET TOOL", &CControlCommand::DetachCommand},
    {"watch", 0, 2, "at most --pen and a COUNT", &CControlCommand::Watch},
    {"export", 1, 1, "one FILE (- for standard output)", &CControlCommand::ExportCommand},
    {"import", 1, 1, "one FILE (- for standard input)", &CControlCommand::ImportCommand},
    {"status", 0, 0, "no arguments", &CControlCommand::StatusCommand},
};

CControlCommand::CControlCommand(CDaemonClient& client, std::FILE* out, std::FILE* err, StControlFiles files)
    : m_client(client), m_out(out), m_err(err), m_files(std::move(files)) {}

Status CControlCommand::Send(std::uint32_t command, const std::vector<StObjectKey>& path,
                             std::vector<std::uint8_t>& data, std::uint32_t capacity) {
  std::vector<StObjectKey> keys = path;
  keys.push_back({});
  const std::uint32_t length = static_cast<std::uint32_t>(data.size());
  data.resize(std::max(capacity, length));
  StDriverPacket packet;
  DropStatus(
      packet.Make(static_cast<std::uint32_t>(data.size()), data.empty() ? nullptr : data.data()),
      "Make only resets the packet and always answers 0");
  const Status filled = packet.FillRequest(command, keys.data(), 0, nullptr, kRequestModeApplet);
  if (filled != kStatusOk) return filled;
  packet.dataLength = command == kCommandGet || command == kCommandGetDefault ? 0 : length;
  const auto status = static_cast<Status>(m_client.Exchange(packet) & 0xFFFF);
  data.resize(status == kStatusOk ? packet.dataLength : 0);
  return status;
}

int CControlCommand::Finish(Status status, const std::string& what) {
  if (status == kStatusOk) return 0;
  if (status == kStatusNoDriverInterface && !m_client.Refusal().empty()) {
    std::fprintf(m_err, "tabletctl: refusing the tablet service: %s\n", m_client.Refusal().c_str());
    return kExitNoService;
  }
  if (status == kStatusNoDriverInterface) {
    std::fprintf(m_err, "tabletctl: no tablet service answers (is tabletd running?)\n");
    return kExitNoService;
  }
  if (status == kStatusServiceBusy) {
    std::fprintf(m_err, "tabletctl: the tablet service is busy (too many clients); try again later\n");
    return kExitNoService;
  }
  if (status == kStatusNoReply) {
    std::fprintf(m_err, "tabletctl: %s: the tablet service did not answer; the change may or may not be made\n",
                 what.c_str());
    return kExitNoService;
  }
  if (status == kStatusNotSaved) {
    std::fprintf(m_err, "tabletctl: %s: the change took effect but the tablet service could not store it "
                        "(%s); it will be gone after a restart\n",
                 what.c_str(), DescribeStatus(status).c_str());
    return kExitRefused;
  }
  std::fprintf(m_err, "tabletctl: %s: %s\n", what.c_str(), DescribeStatus(status).c_str());
  return kExitRefused;
}

int CControlCommand::Usage(const std::string& why) {
  std::fprintf(m_err, "tabletctl: %s (tabletctl --help shows how to use it)\n", why.c_str());
  return kExitUsage;
}

bool CControlCommand::ParsePath(const std::string& text, std::vector<StObjectKey>& path) {
  std::string error;
  const auto parsed = CPathText::Parse(text, error);
  if (!parsed) {
    std::fprintf(m_err, "tabletctl: bad path \"%s\": %s\n", text.c_str(), error.c_str());
    return false;
  }
  path = *parsed;
  return true;
}

void CControlCommand::Print(const std::vector<std::uint8_t>& bytes) {
  if (bytes.size() <= 8) {
    const std::uint64_t number = GetLittleEndian(bytes.data(), bytes.size());
    std::fprintf(m_out, "%llu (0x%llX)", static_cast<unsigned long long>(number),
                 static_cast<unsigned long long>(number));
  }
  // 256-byte values are texts or word lists; a printable start reads as text.
  const bool text = bytes.size() == kLargestValue && (bytes[0] >= 0x20 || bytes[0] == 0) &&
                    std::memchr(bytes.data(), 0, bytes.size()) != nullptr;
  if (text) std::fprintf(m_out, "\"%s\"", reinterpret_cast<const char*>(bytes.data()));
  if (bytes.size() > 8 && !text) {
    std::size_t shown = bytes.size();
    while (shown > 0 && bytes[shown - 1] == 0) --shown;
    std::fprintf(m_out, "hex:");
    for (std::size_t i = 0; i < shown; ++i) std::fprintf(m_out, "%02x", bytes[i]);
    std::fprintf(m_out, " (%zu bytes)", bytes.size());
  }
  std::fprintf(m_out, "\n");
}

std::uint64_t CControlCommand::ReadNumber(const std::vector<StObjectKey>& path, Status& status) {
  std::vector<std::uint8_t> data;
  status = Send(kCommandGet, path, data, 8);
  return GetLittleEndian(data.data(), data.size());
}

int CControlCommand::ParseTarget(const std::string& text, std::vector<StObjectKey>& path,
                                 const StValueType** type) {
  if (type != nullptr) *type = nullptr;
  if (!CNamedSettings::IsName(text)) return ParsePath(text, path) ? kExitDone : kExitUsage;
  Status failed = kStatusOk;
  auto read = [&](const std::vector<StObjectKey>& at, std::uint64_t& value) {
    Status status = kStatusOk;
    value = ReadNumber(at, status);
    if (status != kStatusOk && failed == kStatusOk) failed = status;
    return status;
  };
  CNamedSettings::StResolved resolved;
  std::string error;
  if (!CNamedSettings::Resolve(text, read, resolved, error)) {
    // A service that cannot be asked is said as such, not as a bad name.
    if (failed == kStatusNoDriverInterface || failed == kStatusServiceBusy || failed == kStatusNoReply)
      return Finish(failed, text);
    std::fprintf(m_err, "tabletctl: %s\n", error.c_str());
    return kExitUsage;
  }
  path = resolved.path;
  if (type != nullptr) *type = &resolved.setting->type;
  return kExitDone;
}

int CControlCommand::Get(const std::string& target, std::uint32_t command) {
  std::vector<StObjectKey> path;
  const StValueType* type = nullptr;
  if (const int parsed = ParseTarget(target, path, &type); parsed != kExitDone) return parsed;
  std::vector<std::uint8_t> data;
  const Status status = Send(command, path, data, kLargestValue);
  if (status != kStatusOk) return Finish(status, target);
  // A named setting reads in its own form, one `set` takes back.
  if (type != nullptr)
    std::fprintf(m_out, "%s\n", CValueText::ToText(data, *type).c_str());
  else
    Print(data);
  return kExitDone;
}

int CControlCommand::SetValue(const std::vector<StObjectKey>& path, const std::string& valueText,
                              const StValueType* type) {
  // The value's size is the driver's: ask first, then encode to fit.
  std::vector<std::uint8_t> current;
  const Status read = Send(kCommandGet, path, current, kLargestValue);
  if (read != kStatusOk) return Finish(read, CPathText::Format(path));
  std::vector<std::uint8_t> value;
  std::string error;
  if (!CValueText::FromText(valueText, current.size(), value, error, type)) return Usage(error);
  return Finish(Send(2, path, value, 0), CPathText::Format(path));
}

int CControlCommand::GetCommand(const std::vector<std::string>& args) {
  return Get(args[1], args[0] == "get" ? 1 : 6);
}

int CControlCommand::SetCommand(const std::vector<std::string>& args) {
  std::vector<StObjectKey> path;
  const StValueType* type = nullptr;
  if (const int parsed = ParseTarget(args[1], path, &type); parsed != kExitDone) return parsed;
  return SetValue(path, args[2], type);
}

int CControlCommand::RemoveCommand(const std::vector<std::string>& args) {
  std::vector<StObjectKey> path;
  if (!ParsePath(args[1], path)) return kExitUsage;
  std::vector<std::uint8_t> none;
  return Finish(Send(4, path, none, 0), args[1]);
}

int CControlCommand::CreateCommand(const std::vector<std::string>& args) {
  std::vector<StObjectKey> path;
  if (!ParsePath(args[1], path)) return kExitUsage;
  std::vector<std::uint8_t> data;
  std::uint64_t number = 0;
  if (args.size() == 3) {
    if (!ToNumber(args[2], number, 0xFFFF)) return Usage("bad value \"" + args[2] + "\"");
    data = {static_cast<std::uint8_t>(number), static_cast<std::uint8_t>(number >> 8)};
  }
  const Status status = Send(3, path, data, 2);
  if (status == kStatusOk && data.size() == 2) std::fprintf(m_out, "%u\n", GetU16(data.data()));
  return Finish(status, args[1]);
}

int CControlCommand::StatusCommand(const std::vector<std::string>&) { return CStatusCommand(*this).Run(); }

int CControlCommand::AttachCommand(const std::vector<std::string>& args) { return Attach(args, true); }

int CControlCommand::DetachCommand(const std::vector<std::string>& args) { return Attach(args, false); }

int CControlCommand::ExportCommand(const std::vector<std::string>& args) {
  return CPresetCommand(m_out, m_err, m_files).Export(args[1]);
}

int CControlCommand::ImportCommand(const std::vector<std::string>& args) {
  return CPresetCommand(m_out, m_err, m_files).Import(args[1]);
}

int CControlCommand::NamesCommand(const std::vector<std::string>& /*args*/) { return CListCommand(*this).Names(); }

int CControlCommand::ListCommand(const std::vector<std::string>& /*args*/) { return CListCommand(*this).List(); }

int CControlCommand::Attach(const std::vector<std::string>& args, bool attach) {
  const bool tablet = args.size() > 1 && args[1] == "tablet";
  const bool tool = args.size() > 1 && args[1] == "tool";
  // attach tablet DEFINITION (u16); attach tool TABLET TYPE (u16) SERIAL (u32);
  // detach tablet T, detach tool T N (u32 each).
  const std::uint64_t kLimits[] = {attach && tablet ? 0xFFFFu : 0xFFFFFFFFu, attach && tool ? 0xFFFFu : 0xFFFFFFFFu,
                                   0xFFFFFFFFu};
  std::vector<std::uint64_t> numbers;
  for (std::size_t i = 2; i < args.size(); ++i) {
    std::uint64_t number = 0;
    const std::uint64_t limit = i - 2 < std::size(kLimits) ? kLimits[i - 2] : 0;
    if (!ToNumber(args[i], number, limit)) return Usage("bad or out-of-range number \"" + args[i] + "\"");
    numbers.push_back(number);
  }
  std::vector<std::uint8_t> data;
  if (attach && tablet && numbers.size() <= 1) {
    const std::uint64_t definition = numbers.empty() ? 0 : numbers[0];
    data = {static_cast<std::uint8_t>(definition), static_cast<std::uint8_t>(definition >> 8)};
    const Status status = Send(kCommandCreate, {{0, sc::kTablet, 0}}, data, 2);
    if (status == kStatusOk && data.size() == 2) std::fprintf(m_out, "tablet %u\n", GetU16(data.data()));
    return Finish(status, "attach tablet");
  }
  if (attach && tool && numbers.size() == 3) {
    const auto type = static_cast<std::uint16_t>(numbers[1]);
    const auto serial = static_cast<std::uint32_t>(numbers[2]);
    data = {static_cast<std::uint8_t>(type), static_cast<std::uint8_t>(type >> 8)};
    for (int i = 0; i < 4; ++i) data.push_back(static_cast<std::uint8_t>(serial >> (8 * i)));
    const Status status = Send(
        kCommandCreate,
        {{0, sc::kTablet, static_cast<std::uint32_t>(numbers[0])}, {0, sc::kTool, 0}}, data, 6);
    if (status == kStatusOk && data.size() == 2) std::fprintf(m_out, "tool %u\n", GetU16(data.data()));
    return Finish(status, "attach tool");
  }
  if (!attach && tablet && numbers.size() == 1)
    return SetValue({{0, sc::kTablet, static_cast<std::uint32_t>(numbers[0])}, {0, sc::kPresent, 0}}, "0");
  if (!attach && tool && numbers.size() == 2)
    return SetValue({{0, sc::kTablet, static_cast<std::uint32_t>(numbers[0])},
                     {0, sc::kTool, static_cast<std::uint32_t>(numbers[1])},
                     {0, sc::kPresent, 0}},
                    "0");
  return Usage("attach/detach: bad arguments");
}

int CControlCommand::Pen(const std::vector<std::string>& args) { return CPenCommand(*this).Pen(args); }

int CControlCommand::Watch(const std::vector<std::string>& args) {
  // The pen's live reports, read as they come, with their rate.
  if (args.size() > 1 && args[1] == "--pen") return CPenCommand(*this).Watch(args);
  std::uint64_t count = 0;
  if (args.size() > 1 && !ToNumber(args[1], count)) return Usage("watch: bad count");
  if (!m_client.Subscribe()) return Finish(kStatusNoDriverInterface, "watch");
  std::vector<std::uint8_t> payload;
  for (std::uint64_t seen = 0; count == 0 || seen < count; ++seen) {
    if (!m_client.ReadFrame(payload, -1)) return 0;
    if (payload.size() < 4 + StDriverPacket::kWireSize) return 0;
    StDriverPacket packet;
    const std::span<const std::uint8_t, StDriverPacket::kWireSize> image(payload.data() + 4, StDriverPacket::kWireSize);
    if (StDriverPacket::DecodeWire(image, nullptr, packet) != kStatusOk) continue;
    std::vector<StObjectKey> path;
    for (std::size_t i = 0; i < StDriverPacket::kMaxKeys && packet.keys[i].code != 0; ++i) path.push_back(packet.keys[i]);
    const auto status = std::uint32_t{GetU16(payload.data())};
    std::fprintf(m_out, "command %u %s status 0x%04X ", packet.command, CPathText::Format(path).c_str(), status);
    Print({payload.begin() + 4 + StDriverPacket::kWireSize, payload.end()});
    std::fflush(m_out);
  }
  return 0;
}

int CControlCommand::Run(const std::vector<std::string>& args) {
  if (args.empty()) return Usage("no command");
  const std::string& name = args[0];
  if (name == "help" || name == "--help" || name == "-h") {
    PrintControlUsage(m_out);
    return kExitDone;
  }
  if (name == "--version" || name == "version") {
    std::fprintf(m_out, "tabletctl %s\n", KELVO_VERSION);
    return kExitDone;
  }
  for (const StCommand& command : kCommands) {
    if (name != command.name) continue;
    const std::size_t given = args.size() - 1;
    if (given < command.least || given > command.most) return Usage(name + " takes " + command.arguments);
    return (this->*command.run)(args);
  }
  return Usage("unknown command \"" + name + "\"");
}
