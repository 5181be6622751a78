#include "service/CControlCommand.h"

#include <charconv>
#include <cstring>

#include "service/CFrameCodec.h"
#include "service/CPathText.h"
#include "service/CPenCommand.h"
#include "service/ServiceCodes.h"

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

// Unsigned numbers up to the size's maximum and negative ones down to its
// signed minimum fit; nothing is silently cut to the low bytes.
bool Encode(const StNumber& number, std::size_t size, std::vector<std::uint8_t>& out) {
  if (size == 0 || size > 8) return false;
  const unsigned bits = static_cast<unsigned>(8 * size);
  if (number.negative && number.magnitude > (std::uint64_t{1} << (bits - 1))) return false;
  if (!number.negative && bits < 64 && number.magnitude > (std::uint64_t{1} << bits) - 1) return false;
  const std::uint64_t value = number.negative ? ~number.magnitude + 1 : number.magnitude;
  out.assign(size, 0);
  for (std::size_t i = 0; i < size; ++i) out[i] = static_cast<std::uint8_t>(value >> (8 * i));
  return true;
}

// A count, number or code given on the command line, up to `limit`.
bool ToNumber(const std::string& text, std::uint64_t& out, std::uint64_t limit = UINT64_MAX) {
  StNumber number;
  if (!ParseNumber(text, number) || number.negative || number.magnitude > limit) return false;
  out = number.magnitude;
  return true;
}

std::vector<StObjectKey> Append(std::vector<StObjectKey> path, std::uint16_t code, std::uint32_t index = 0) {
  path.push_back({0, code, index});
  return path;
}

}  // namespace

CControlCommand::CControlCommand(CDaemonClient& client, std::FILE* out, std::FILE* err)
    : m_client(client), m_out(out), m_err(err) {}

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
    return 3;
  }
  if (status == kStatusNoDriverInterface) {
    std::fprintf(m_err, "tabletctl: no tablet service answers (is tabletd running?)\n");
    return 3;
  }
  if (status == kStatusServiceBusy) {
    std::fprintf(m_err, "tabletctl: the tablet service is busy (too many clients); try again later\n");
    return 3;
  }
  if (status == kStatusNoReply) {
    std::fprintf(m_err, "tabletctl: %s: the tablet service did not answer; the change may or may not be made\n",
                 what.c_str());
    return 3;
  }
  if (status == kStatusNotSaved) {
    std::fprintf(m_err, "tabletctl: %s: the change took effect but the tablet service could not store it "
                        "(status 0x%04X); it will be gone after a restart\n",
                 what.c_str(), static_cast<unsigned>(status));
    return 1;
  }
  std::fprintf(m_err, "tabletctl: %s: status 0x%04X\n", what.c_str(), static_cast<unsigned>(status));
  return 1;
}

int CControlCommand::Usage(const std::string& why) {
  std::fprintf(m_err,
               "tabletctl: %s\n"
               "usage: tabletctl [--socket PATH] COMMAND\n"
               "  list | get PATH | default PATH | set PATH VALUE | create PATH [VALUE] | remove PATH\n"
               "  pen [--tablet T] prox TOOL|off | move X Y | pressure P | tilt X Y | wheel W |\n"
               "      rotation R | switches MASK | buttons LEFT RIGHT | strips LEFT [RIGHT] |\n"
               "      play FILE [--loop|--times N] | demo [--loop|--times N]\n"
               "  attach tablet [DEFINITION] | attach tool TABLET TYPE SERIAL\n"
               "  detach tablet T | detach tool TABLET TOOL | watch [--pen] [COUNT]\n"
               "PATH: levels code[:index[@qualifier]] joined by '/', e.g. 2:0/4:1/115\n"
               "VALUE: a number (decimal or 0x), text:WORDS or hex:BYTES\n",
               why.c_str());
  return 2;
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
    std::uint64_t number = 0;
    for (std::size_t i = bytes.size(); i > 0; --i) number = (number << 8) | bytes[i - 1];
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
  std::uint64_t number = 0;
  for (std::size_t i = data.size(); i > 0; --i) number = (number << 8) | data[i - 1];
  return number;
}

int CControlCommand::Get(const std::string& pathText, std::uint32_t command) {
  std::vector<StObjectKey> path;
  if (!ParsePath(pathText, path)) return 2;
  std::vector<std::uint8_t> data;
  const Status status = Send(command, path, data, kLargestValue);
  if (status != kStatusOk) return Finish(status, pathText);
  Print(data);
  return 0;
}

int CControlCommand::SetValue(const std::vector<StObjectKey>& path, const std::string& valueText) {
  // The value's size is the driver's: ask first, then encode to fit.
  std::vector<std::uint8_t> current;
  const Status read = Send(kCommandGet, path, current, kLargestValue);
  if (read != kStatusOk) return Finish(read, CPathText::Format(path));
  std::vector<std::uint8_t> value(current.size(), 0);
  if (valueText.rfind("text:", 0) == 0) {
    const std::string text = valueText.substr(5);
    if (text.size() + 1 > value.size()) return Usage("text too long for a value of " + std::to_string(value.size()) + " bytes");
    std::memcpy(value.data(), text.data(), text.size());
  } else if (valueText.rfind("hex:", 0) == 0) {
    const std::string hex = valueText.substr(4);
    if (hex.size() != 2 * value.size()) return Usage("the value takes exactly " + std::to_string(value.size()) + " bytes");
    for (std::size_t i = 0; i < value.size(); ++i) {
      std::uint64_t byte = 0;
      if (!ToNumber("0x" + hex.substr(2 * i, 2), byte, 0xFF)) return Usage("bad hex value \"" + valueText + "\"");
      value[i] = static_cast<std::uint8_t>(byte);
    }
  } else if (StNumber typed; ParseNumber(valueText, typed) && value.size() <= 8) {
    if (!Encode(typed, value.size(), value))
      return Usage(valueText + " is out of range for a value of " + std::to_string(value.size()) + " byte" +
                   (value.size() == 1 ? "" : "s"));
  } else {
    return Usage("bad value \"" + valueText + "\"");
  }
  return Finish(Send(kCommandSet, path, value, 0), CPathText::Format(path));
}

int CControlCommand::List() {
  Status status = kStatusOk;
  const std::uint64_t tablets = ReadNumber({{0, sc::kCount, 2}}, status);
  if (status != kStatusOk) return Finish(status, "tablet count");
  for (std::uint32_t t = 0; t < tablets; ++t) {
    const std::vector<StObjectKey> tablet{{0, sc::kTablet, t}};
    std::vector<std::uint8_t> name;
    DropStatus(Send(kCommandGet, Append(tablet, 29), name, kLargestValue),
               "the name is only shown; a tablet without one is listed anyway");
    const std::uint64_t model = ReadNumber(Append(tablet, sc::kModel), status);
    const std::uint64_t present = ReadNumber(Append(tablet, sc::kPresent), status);
    const std::uint64_t tools = ReadNumber(Append(tablet, sc::kCount, 4), status);
    std::fprintf(m_out, "tablet %u: model %llu \"%s\"%s\n", t, static_cast<unsigned long long>(model),
                 name.empty() ? "" : reinterpret_cast<const char*>(name.data()), present != 0 ? "" : " (detached)");
    for (std::uint32_t n = 0; n < tools; ++n) {
      std::vector<StObjectKey> tool = tablet;
      tool.push_back({0, sc::kTool, n});
      const std::uint64_t type = ReadNumber(Append(tool, sc::kTypeCode), status);
      const std::uint64_t serial = ReadNumber(Append(tool, sc::kSerial), status);
      const std::uint64_t here = ReadNumber(Append(tool, sc::kPresent), status);
      std::fprintf(m_out, "  tool %u: type %llu serial 0x%08llX%s\n", n, static_cast<unsigned long long>(type),
                   static_cast<unsigned long long>(serial), here != 0 ? "" : " (detached)");
    }
  }
  return 0;
}

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
    if (status == kStatusOk && data.size() == 2) std::fprintf(m_out, "tablet %u\n", data[0] | (data[1] << 8));
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
    if (status == kStatusOk && data.size() == 2) std::fprintf(m_out, "tool %u\n", data[0] | (data[1] << 8));
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

int CControlCommand::Watch(const std::vector<std::string>& args) {
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
    const auto status = static_cast<std::uint32_t>(payload[0] | (payload[1] << 8));
    std::fprintf(m_out, "command %u %s status 0x%04X ", packet.command, CPathText::Format(path).c_str(), status);
    Print({payload.begin() + 4 + StDriverPacket::kWireSize, payload.end()});
    std::fflush(m_out);
  }
  return 0;
}

int CControlCommand::Run(const std::vector<std::string>& args) {
  if (args.empty()) return Usage("no command");
  const std::string& name = args[0];
  std::vector<StObjectKey> path;
  if (name == "list" && args.size() == 1) return List();
  if ((name == "get" || name == "default") && args.size() == 2) return Get(args[1], name == "get" ? 1 : 6);
  if (name == "set" && args.size() == 3) return ParsePath(args[1], path) ? SetValue(path, args[2]) : 2;
  if (name == "remove" && args.size() == 2) {
    if (!ParsePath(args[1], path)) return 2;
    std::vector<std::uint8_t> none;
    return Finish(Send(kCommandRemove, path, none, 0), args[1]);
  }
  if (name == "create" && (args.size() == 2 || args.size() == 3)) {
    if (!ParsePath(args[1], path)) return 2;
    std::vector<std::uint8_t> data;
    std::uint64_t number = 0;
    if (args.size() == 3) {
      if (!ToNumber(args[2], number, 0xFFFF)) return Usage("bad value \"" + args[2] + "\"");
      data = {static_cast<std::uint8_t>(number), static_cast<std::uint8_t>(number >> 8)};
    }
    const Status status = Send(kCommandCreate, path, data, 2);
    if (status == kStatusOk && data.size() == 2) std::fprintf(m_out, "%u\n", data[0] | (data[1] << 8));
    return Finish(status, args[1]);
  }
  if (name == "pen") return CPenCommand(*this).Pen(args);
  if (name == "watch" && args.size() >= 2 && args[1] == "--pen" && args.size() <= 3) return CPenCommand(*this).Watch(args);
  if (name == "attach" || name == "detach") return Attach(args, name == "attach");
  if (name == "watch" && args.size() <= 2) return Watch(args);
  return Usage("unknown command or wrong arguments: " + name);
}
