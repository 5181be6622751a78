#include "service/input/CSettingsReader.h"

#include <array>
#include <vector>

#include "protocol/LittleEndian.h"
#include "service/CModelBuilder.h"
#include "service/ServiceCodes.h"

namespace sc = service_codes;

namespace {

constexpr StObjectKey L(std::uint16_t code, std::uint32_t index = 0, std::uint32_t qualifier = 0) {
  return {qualifier, code, index};
}

std::uint32_t Word32(std::span<const std::uint8_t> bytes, std::size_t at) { return GetU32(bytes.data() + at); }

std::vector<std::uint32_t> WordsToZero(std::span<const std::uint8_t> bytes) {
  std::vector<std::uint32_t> words;
  for (std::size_t at = 0; at + 4 <= bytes.size(); at += 4) {
    const std::uint32_t word = Word32(bytes, at);
    if (word == 0) break;
    words.push_back(word);
  }
  return words;
}

constexpr std::uint16_t kPressureAxis = 93;
constexpr std::uint16_t kThreshold = 43;
constexpr std::uint16_t kCurve = 109;
constexpr std::uint16_t kEraser = 205;
constexpr std::uint16_t kDoubleClickA = 255;
constexpr std::uint16_t kDoubleClickB = 113;
constexpr std::uint16_t kDoubleClickSwitch = 170;
constexpr std::uint16_t kKeystroke = 238;
constexpr std::uint16_t kApplication = 240;
constexpr std::uint16_t kParameter = 108;
constexpr std::uint16_t kDirectionKeys = 153;
constexpr std::uint16_t kTrackingMode = 135;
constexpr std::uint16_t kSpeed = 191;
constexpr std::uint16_t kAcceleration = 221;
constexpr std::uint16_t kScreenOrigin = 78;
constexpr std::uint16_t kScreenExtent = 79;
constexpr std::uint16_t kTabletOrigin = 60;
constexpr std::uint16_t kTabletExtent = 61;
constexpr std::uint32_t kWheelButton = 32;

}  // namespace

std::optional<std::uint64_t> CSettingsReader::Number(std::initializer_list<StObjectKey> path,
                                                     std::uint32_t size) const {
  std::array<std::uint8_t, 8> bytes{};
  std::uint32_t length = 0;
  if (m_model.Get(CDriverModel::Path(path.begin(), path.size()), std::span(bytes.data(), size), length) !=
          kStatusOk ||
      length != size)
    return std::nullopt;
  return GetLittleEndian(bytes.data(), size);
}

Status CSettingsReader::Bytes(std::initializer_list<StObjectKey> path, std::span<std::uint8_t> out) const {
  std::uint32_t length = 0;
  return m_model.Get(CDriverModel::Path(path.begin(), path.size()), out, length);
}

Status CSettingsReader::Read(std::uint32_t tablet, std::uint32_t tool, StToolSettings& out) const {
  out = {};
  const StObjectKey t = L(sc::kTablet, tablet);
  const StObjectKey n = L(sc::kTool, tool);
  std::array<std::uint8_t, 16> axis{};
  KELVO_TRY(Bytes({t, L(kPressureAxis)}, axis));
  out.pressureLevels = Word32(axis, 4);
  const std::optional<std::uint64_t> type = Number({t, n, L(sc::kTypeCode)}, 2);
  if (!type) return kStatusNotFound;

  std::array<std::uint8_t, 256> words{};
  for (std::uint32_t b = 1; b < out.buttons.size(); ++b) {
    const StObjectKey button = L(sc::kButton, b);
    const std::optional<std::uint64_t> code = Number({t, n, button, L(sc::kFunctionCode)}, 4);
    if (!code) continue;
    StButtonFunction& function = out.buttons[b];
    function.code = static_cast<std::uint32_t>(*code);
    function.modifiers = static_cast<std::uint16_t>(Number({t, n, button, L(sc::kModifiers)}, 2).value_or(0));
    words.fill(0);
    if (Bytes({t, n, button, L(kKeystroke)}, words) == kStatusOk) function.keys = WordsToZero(words);
    words.fill(0);
    if (Bytes({t, n, button, L(kApplication)}, words) == kStatusOk) {
      words.back() = 0;
      function.application = reinterpret_cast<const char*>(words.data());
    }
  }
  for (const auto& [number, feel] : {std::pair{1U, &out.tip}, std::pair{4U, &out.eraser}}) {
    const StObjectKey button = L(sc::kButton, number);
    feel->threshold = static_cast<std::uint16_t>(Number({t, n, button, L(kThreshold)}, 2).value_or(0));
    std::array<std::uint8_t, 12> curve{};
    if (Bytes({t, n, button, L(kCurve)}, curve) == kStatusOk)
      for (std::size_t i = 0; i < feel->curve.size(); ++i)
        feel->curve[i] = static_cast<std::uint16_t>(curve[2 * i] | curve[2 * i + 1] << 8);
  }
  // 0 in item 205 puts the eraser end to use; a pen without button 4 has none.
  out.eraserInUse = Number({t, n, L(sc::kButton, 4), L(sc::kFunctionCode)}, 4).has_value() &&
                    Number({t, n, L(kEraser)}, 2).value_or(2) == 0;

  const StObjectKey wheel = L(sc::kButton, kWheelButton);
  if (const std::optional<std::uint64_t> code = Number({t, n, wheel, L(sc::kFunctionCode)}, 4)) {
    out.wheel.code = static_cast<std::uint32_t>(*code);
    out.wheel.lines = static_cast<std::uint16_t>(Number({t, n, wheel, L(kParameter)}, 2).value_or(3));
    for (std::uint32_t direction = 0; direction < 2; ++direction) {
      words.fill(0);
      if (Bytes({t, n, wheel, L(kDirectionKeys, direction)}, words) == kStatusOk)
        out.wheel.keys[direction] = WordsToZero(words);
    }
  }

  out.doubleClickDistance = static_cast<std::uint32_t>(Number({t, n, L(kDoubleClickA)}, 4).value_or(0));
  out.doubleClickTimeMs = static_cast<std::uint32_t>(Number({t, n, L(kDoubleClickB)}, 4).value_or(0));
  out.doubleClickAssist = Number({t, n, L(kDoubleClickSwitch)}, 1).value_or(0) != 0;

  // The tool's mapping context: application, serial and identity select it.
  const auto k1 = static_cast<std::uint32_t>(Number({t, n, L(sc::kAppIdentifier)}, 4).value_or(0));
  const auto k2 = static_cast<std::uint32_t>(Number({t, n, L(sc::kSerial)}, 4).value_or(0));
  const auto k3 = static_cast<std::uint32_t>(Number({t, n, L(sc::kIdentity)}, 2).value_or(0));
  const StObjectKey m = L(sc::kMapping);
  const StObjectKey c1 = L(5, k1, sc::kCountQualifier);
  const StObjectKey c2 = L(19, k2, sc::kCountQualifier);
  const StObjectKey c3 = L(19, k3);
  const StObjectKey display = L(21, 2);
  const StObjectKey area = L(20, 2);
  // The applet's pen button stores 0, its mouse button 1.
  out.mouseMode = Number({t, m, c1, L(2), L(5), c2, c3, display, L(kTrackingMode)}, 1).value_or(0) != 0;
  out.speed = static_cast<std::uint16_t>(
      Number({t, m, c1, L(2), L(5), c2, c3, display, L(kSpeed)}, 2).value_or(out.speed));
  out.acceleration = static_cast<std::uint16_t>(
      Number({t, m, c1, L(2), L(5), c2, c3, display, L(kAcceleration)}, 2).value_or(out.acceleration));
  std::array<std::uint8_t, 12> origin{};
  std::array<std::uint8_t, 12> extent{};
  KELVO_TRY(Bytes({t, m, c1, L(2), L(5), c2, c3, display, L(kScreenOrigin)}, origin));
  KELVO_TRY(Bytes({t, m, c1, L(2), L(5), c2, c3, display, L(kScreenExtent)}, extent));
  out.screenArea = {static_cast<std::int32_t>(Word32(origin, 0)), static_cast<std::int32_t>(Word32(origin, 4)),
                    static_cast<std::int32_t>(Word32(extent, 0)), static_cast<std::int32_t>(Word32(extent, 4))};
  KELVO_TRY(Bytes({t, m, c1, L(2), L(5), c2, c3, area, L(kTabletOrigin)}, origin));
  KELVO_TRY(Bytes({t, m, c1, L(2), L(5), c2, c3, area, L(kTabletExtent)}, extent));
  out.tabletArea = {static_cast<std::int32_t>(Word32(origin, 0)), static_cast<std::int32_t>(Word32(origin, 4)),
                    static_cast<std::int32_t>(Word32(extent, 0)), static_cast<std::int32_t>(Word32(extent, 4))};
  return kStatusOk;
}

std::optional<std::uint32_t> CSettingsReader::FindTool(std::uint32_t tablet, ToolKind kind,
                                                      std::uint32_t serial) const {
  const CServiceNode* node = m_model.Root().FindChild({sc::kTablet, tablet, 0});
  if (node == nullptr || kind == ToolKind::kNone) return std::nullopt;
  const CModelBuilder::ToolClass wanted =
      kind == ToolKind::kPuck ? CModelBuilder::ToolClass::kPuck : CModelBuilder::ToolClass::kStylus;
  std::optional<std::uint32_t> first;
  for (const auto& [key, child] : node->Children()) {
    if (key.code != sc::kTool || child->Kind() != NodeKind::kTool) continue;
    const CServiceValue* present = child->FindValue(sc::kPresent, 0);
    if (present != nullptr && present->Load(0) == 0) continue;
    const CServiceValue* type = child->FindValue(sc::kTypeCode, 0);
    if (type == nullptr || CModelBuilder::ClassOf(static_cast<std::uint16_t>(type->Load(0))) != wanted) continue;
    const CServiceValue* toolSerial = child->FindValue(sc::kSerial, 0);
    if (serial != 0 && toolSerial != nullptr && toolSerial->Load(0) == serial) return key.index;
    if (!first) first = key.index;
  }
  return first;
}
