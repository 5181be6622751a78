#include "service/CNamedSettings.h"

#include <cctype>
#include <charconv>

#include "service/CMappingContexts.h"
#include "service/CModelBuilder.h"
#include "service/ServiceCodes.h"

namespace sc = service_codes;

namespace {

using Form = StValueType::Form;
constexpr StValueType kNumber{Form::kNumber};
constexpr StValueType kText{Form::kText};
constexpr StValueType kPoints{Form::kList, 2, false};
constexpr StValueType kKeystrokeWords{Form::kList, 4, false, true};
constexpr StValueType kSignedWords{Form::kList, 4, true};

// Data types of the values, as the builders make them.
constexpr int kByte = 1;
constexpr int kWord = 2;
constexpr int kLong = 3;
constexpr int kWordList = 5;
constexpr int kTriple = 8;
constexpr int kCurve = 11;
constexpr int kTextType = 20;

constexpr const char* kFunctionMeaning =
    "function code, 0 to 29 as the applet's lists offer them (8 keystroke, 9 modifiers, 23 run a program)";
constexpr const char* kModifiersMeaning = "modifier mask: 1 Alt, 2 Ctrl, 4 Shift, 32 click";
constexpr const char* kKeystrokeMeaning = "keystroke words, a zero word ends them";
constexpr const char* kRunMeaning = "program to run";

#define KELVO_FUNCTION_BLOCK(prefix, scope, button)                                              \
  {prefix ".function", scope, SettingPlace::kButton, button, sc::kFunctionCode, kLong, kNumber,  \
   kFunctionMeaning},                                                                            \
      {prefix ".modifiers", scope, SettingPlace::kButton, button, sc::kModifiers, kWord, kNumber, \
       kModifiersMeaning},                                                                       \
      {prefix ".keystroke", scope, SettingPlace::kButton, button, sc::kKeystroke, kWordList,     \
       kKeystrokeWords, kKeystrokeMeaning},                                                               \
      {prefix ".run", scope, SettingPlace::kButton, button, sc::kRunProgram, kTextType, kText,   \
       kRunMeaning}

constexpr StNamedSetting kSettings[] = {
    {"tip.threshold", ToolScope::kStylus, SettingPlace::kButton, sc::kTipButton, sc::kClickThreshold, kWord,
     kNumber, "click threshold, 0 to the tablet's pressure levels"},
    {"tip.curve", ToolScope::kStylus, SettingPlace::kButton, sc::kTipButton, sc::kPressureCurve, kCurve, kPoints,
     "pressure curve: six points, 0 to the tablet's pressure levels"},
    KELVO_FUNCTION_BLOCK("tip", ToolScope::kStylus, sc::kTipButton),
    {"eraser", ToolScope::kStylus, SettingPlace::kTool, 0, sc::kEraserState, kWord, kNumber,
     "0 the eraser is in use, 2 it is not"},
    {"eraser.threshold", ToolScope::kStylus, SettingPlace::kButton, sc::kEraserButton, sc::kClickThreshold, kWord,
     kNumber, "eraser click threshold, 0 to the tablet's pressure levels"},
    {"eraser.curve", ToolScope::kStylus, SettingPlace::kButton, sc::kEraserButton, sc::kPressureCurve, kCurve,
     kPoints, "eraser pressure curve: six points"},
    KELVO_FUNCTION_BLOCK("eraser", ToolScope::kStylus, sc::kEraserButton),
    KELVO_FUNCTION_BLOCK("switch1", ToolScope::kStylus, sc::kLowerSwitch),
    KELVO_FUNCTION_BLOCK("switch2", ToolScope::kStylus, sc::kUpperSwitch),
    KELVO_FUNCTION_BLOCK("button#", ToolScope::kPuck, 0),
    {"roller.function", ToolScope::kPuck, SettingPlace::kButton, sc::kRollerButton, sc::kFunctionCode, kLong,
     kNumber, kFunctionMeaning},
    {"wheel.function", ToolScope::kAny, SettingPlace::kButton, sc::kWheelButton, sc::kFunctionCode, kLong, kNumber,
     kFunctionMeaning},
    {"wheel.lines", ToolScope::kAny, SettingPlace::kButton, sc::kWheelButton, sc::kWheelAmount, kWord, kNumber,
     "lines one step of the wheel scrolls"},
    {"doubleclick.distance", ToolScope::kAny, SettingPlace::kTool, 0, sc::kDoubleClickA, kLong, kNumber,
     "double-click distance, 0 to 15"},
    {"doubleclick.time", ToolScope::kAny, SettingPlace::kTool, 0, sc::kDoubleClickB, kLong, kNumber,
     "double-click time, 135 to 750"},
    {"doubleclick.on", ToolScope::kAny, SettingPlace::kTool, 0, sc::kDoubleClickOn, kByte, kNumber,
     "1 double-click assistance on, 0 off"},
    {"name", ToolScope::kAny, SettingPlace::kTool, 0, sc::kToolName, kTextType, kText,
     "the tool's name; empty: named by its type"},
    {"mapping.tracking", ToolScope::kAny, SettingPlace::kDisplayPart, 0, sc::kTrackingMode, kByte, kNumber,
     "0 pen mode, 1 mouse mode"},
    {"mapping.speed", ToolScope::kAny, SettingPlace::kDisplayPart, 0, sc::kMouseSpeed, kWord, kNumber,
     "mouse-mode speed"},
    {"mapping.acceleration", ToolScope::kAny, SettingPlace::kDisplayPart, 0, sc::kAcceleration, kWord, kNumber,
     "mouse-mode acceleration, 0 to 3"},
    {"mapping.screen.origin", ToolScope::kAny, SettingPlace::kDisplayPart, 0, sc::kScreenOrigin, kTriple,
     kSignedWords, "screen area: left, top, 0 in pixels"},
    {"mapping.screen.extent", ToolScope::kAny, SettingPlace::kDisplayPart, 0, sc::kScreenExtent, kTriple,
     kSignedWords, "screen area: width, height, 0 in pixels"},
    {"mapping.display", ToolScope::kAny, SettingPlace::kDisplayPart, 0, sc::kDisplayMode, kWord, kNumber,
     "0 the whole desktop, 1 one monitor"},
    {"mapping.monitor", ToolScope::kAny, SettingPlace::kDisplayPart, 0, sc::kMonitor, kWord, kNumber,
     "the monitor, 1 to 16, when mapping.display is 1"},
    {"mapping.tablet.origin", ToolScope::kAny, SettingPlace::kTabletPart, 0, sc::kTabletOrigin, kTriple,
     kSignedWords, "tablet area: left, top, 0 in tablet units"},
    {"mapping.tablet.extent", ToolScope::kAny, SettingPlace::kTabletPart, 0, sc::kTabletExtent, kTriple,
     kSignedWords, "tablet area: width, height, 0 in tablet units"},
    {"mapping.tablet.flag", ToolScope::kAny, SettingPlace::kTabletPart, 0, sc::kTabletFlag, kWord, kNumber,
     "tablet area flag, 0 or 1"},
    {"mapping.tablet.mode", ToolScope::kAny, SettingPlace::kContext, 0, sc::kTabletMode, kWord, kNumber,
     "tablet area mode, 1 to 3"},
    {"mapping.proportions", ToolScope::kAny, SettingPlace::kTabletPart, 0, sc::kProportions, kWord, kNumber,
     "1 force proportions, 2 do not"},
};

#undef KELVO_FUNCTION_BLOCK

bool TakeNumber(std::string_view& text, std::uint32_t& out) {
  const auto [stop, error] = std::from_chars(text.data(), text.data() + text.size(), out);
  if (error != std::errc() || stop == text.data()) return false;
  text.remove_prefix(static_cast<std::size_t>(stop - text.data()));
  return true;
}

// Whether `setting` reads as the row's name; `button` takes the number that '#' stands for.
bool Matches(std::string_view pattern, std::string_view setting, std::uint32_t& button) {
  const std::size_t hash = pattern.find('#');
  if (hash == std::string_view::npos) return pattern == setting;
  if (!setting.starts_with(pattern.substr(0, hash))) return false;
  setting.remove_prefix(hash);
  if (setting.empty() || setting[0] == '0' || !TakeNumber(setting, button)) return false;
  return button >= 1 && button <= sc::kLastPuckButton && setting == pattern.substr(hash + 1);
}

std::string Spelled(std::string_view pattern, std::uint32_t button) {
  std::string name(pattern);
  if (const std::size_t hash = name.find('#'); hash != std::string::npos)
    name.replace(hash, 1, std::to_string(button));
  return name;
}

bool InScope(ToolScope scope, std::uint16_t typeCode) {
  const CModelBuilder::ToolClass kind = CModelBuilder::ClassOf(typeCode);
  switch (scope) {
    case ToolScope::kStylus:
      return kind == CModelBuilder::ToolClass::kStylus;
    case ToolScope::kPuck:
      return kind == CModelBuilder::ToolClass::kPuck;
    case ToolScope::kAny:
      return true;
  }
  return false;
}

std::vector<StObjectKey> Below(std::vector<StObjectKey> path, std::uint16_t code, std::uint32_t index = 0) {
  path.push_back({0, code, index});
  return path;
}

}  // namespace

std::span<const StNamedSetting> CNamedSettings::Table() { return kSettings; }

bool CNamedSettings::IsName(std::string_view text) {
  return !text.empty() && std::isalpha(static_cast<unsigned char>(text[0])) != 0;
}

const char* CNamedSettings::ScopePrefix(ToolScope scope) {
  switch (scope) {
    case ToolScope::kStylus: return "pen.";
    case ToolScope::kPuck: return "puck.";
    case ToolScope::kAny: break;
  }
  return "TOOL.";
}

bool CNamedSettings::Resolve(std::string_view name, const Reader& read, StResolved& out, std::string& error) {
  const std::string quoted = "\"" + std::string(name) + "\"";
  std::string_view rest = name;
  std::uint64_t tablet = 0;
  if (rest.starts_with("tablet") && rest.size() > 6 && std::isdigit(static_cast<unsigned char>(rest[6])) != 0) {
    rest.remove_prefix(6);
    std::uint32_t number = 0;
    if (!TakeNumber(rest, number) || !rest.starts_with('.')) {
      error = quoted + ": a tablet is written tabletT, e.g. tablet1.pen.tip.threshold";
      return false;
    }
    rest.remove_prefix(1);
    tablet = number;
  } else if (const Status status = read({{0, sc::kCurrentTablet, 0}}, tablet); status != kStatusOk) {
    error = quoted + ": cannot read the current tablet";
    return false;
  }
  const std::vector<StObjectKey> tabletPath{{0, sc::kTablet, static_cast<std::uint32_t>(tablet)}};
  std::uint64_t value = 0;
  if (read(Below(tabletPath, sc::kModel), value) != kStatusOk) {
    error = quoted + ": there is no tablet " + std::to_string(tablet);
    return false;
  }

  const std::size_t dot = rest.find('.');
  const std::string_view selector = rest.substr(0, dot);
  const std::string_view setting = dot == std::string_view::npos ? std::string_view{} : rest.substr(dot + 1);
  std::uint32_t button = 0;
  for (const StNamedSetting& row : kSettings) {
    if (Matches(row.name, setting, button)) {
      out.setting = &row;
      break;
    }
  }
  if (out.setting == nullptr) {
    error = quoted + ": no such setting; `tabletctl names` lists them";
    return false;
  }

  // The tool: toolN, or the first present tool of a kind.
  std::optional<std::uint32_t> tool;
  std::uint64_t typeCode = 0;
  if (std::string_view number = selector; number.starts_with("tool") && number.size() > 4) {
    number.remove_prefix(4);
    std::uint32_t n = 0;
    if (!TakeNumber(number, n) || !number.empty()) {
      error = quoted + ": a tool is pen, airbrush, puck or toolN";
      return false;
    }
    const std::vector<StObjectKey> toolPath = Below(tabletPath, sc::kTool, n);
    if (read(Below(toolPath, sc::kTypeCode), typeCode) != kStatusOk) {
      error = quoted + ": tablet " + std::to_string(tablet) + " has no tool " + std::to_string(n);
      return false;
    }
    tool = n;
  } else {
    bool known = false;
    for (const auto kind : {CModelBuilder::ToolKind::kPen, CModelBuilder::ToolKind::kAirbrush,
                            CModelBuilder::ToolKind::kPuck}) {
      if (selector != CModelBuilder::KindName(kind)) continue;
      known = true;
      std::uint64_t count = 0;
      if (read(Below(tabletPath, sc::kCount, 4), count) != kStatusOk) count = 0;
      for (std::uint32_t n = 0; n < count && !tool; ++n) {
        const std::vector<StObjectKey> toolPath = Below(tabletPath, sc::kTool, n);
        std::uint64_t present = 0;
        if (read(Below(toolPath, sc::kPresent), present) != kStatusOk || present == 0) continue;
        if (read(Below(toolPath, sc::kTypeCode), typeCode) != kStatusOk) continue;
        if (CModelBuilder::KindOf(static_cast<std::uint16_t>(typeCode)) == kind) tool = n;
      }
      if (!tool) {
        error = quoted + ": tablet " + std::to_string(tablet) + " has no " + std::string(selector) + " present";
        return false;
      }
    }
    if (!known) {
      error = quoted + ": a tool is pen, airbrush, puck or toolN";
      return false;
    }
  }
  if (!InScope(out.setting->scope, static_cast<std::uint16_t>(typeCode))) {
    error = quoted + ": tool " + std::to_string(*tool) + " is a " +
            CModelBuilder::KindName(CModelBuilder::KindOf(static_cast<std::uint16_t>(typeCode))) +
            "; this setting belongs to " + (out.setting->scope == ToolScope::kPuck ? "pucks" : "pens and airbrushes");
    return false;
  }

  const std::vector<StObjectKey> toolPath = Below(tabletPath, sc::kTool, *tool);
  const StNamedSetting& row = *out.setting;
  switch (row.place) {
    case SettingPlace::kTool:
      out.path = Below(toolPath, row.code);
      return true;
    case SettingPlace::kButton:
      out.path = Below(Below(toolPath, sc::kButton, row.button != 0 ? row.button : button), row.code);
      return true;
    case SettingPlace::kContext:
    case SettingPlace::kDisplayPart:
    case SettingPlace::kTabletPart:
      break;
  }
  // The context the tool's reported application, serial and identity select.
  std::uint64_t application = 0;
  std::uint64_t serial = 0;
  std::uint64_t identity = 0;
  if (read(Below(toolPath, sc::kAppIdentifier), application) != kStatusOk ||
      read(Below(toolPath, sc::kSerial), serial) != kStatusOk ||
      read(Below(toolPath, sc::kIdentity), identity) != kStatusOk) {
    error = quoted + ": cannot read which mapping tool " + std::to_string(*tool) + " uses";
    return false;
  }
  out.path = tabletPath;
  for (const StObjectKey& level :
       CMappingContexts::ContextPath(static_cast<std::uint32_t>(application), static_cast<std::uint32_t>(serial),
                                     static_cast<std::uint32_t>(identity)))
    out.path.push_back(level);
  if (row.place == SettingPlace::kDisplayPart) out.path.push_back({0, sc::kDisplayPart, sc::kControlsPart});
  if (row.place == SettingPlace::kTabletPart) out.path.push_back({0, sc::kTabletPart, sc::kControlsPart});
  out.path.push_back({0, row.code, 0});
  return true;
}

const StNamedSetting* CNamedSettings::FindBelowTool(std::span<const StObjectKey> path, std::uint16_t typeCode,
                                                    std::string& name) {
  for (const StNamedSetting& row : kSettings) {
    if (!InScope(row.scope, typeCode)) continue;
    if (row.place == SettingPlace::kTool && path.size() == 1 && path[0].code == row.code && path[0].index == 0 &&
        path[0].qualifier == 0) {
      name = row.name;
      return &row;
    }
    if (row.place != SettingPlace::kButton || path.size() != 2 || path[0].code != sc::kButton ||
        path[0].qualifier != 0 || path[1].code != row.code || path[1].index != 0 || path[1].qualifier != 0)
      continue;
    const std::uint32_t button = path[0].index;
    const bool numbered = row.button == 0 && button >= 1 && button <= sc::kLastPuckButton;
    if (row.button == button || numbered) {
      name = Spelled(row.name, button);
      return &row;
    }
  }
  return nullptr;
}

const StNamedSetting* CNamedSettings::FindMapping(std::span<const StObjectKey> path, std::string& name) {
  // 12 / 5:K1@4 / 2 / 5 / 19:K2@4 / 19:K3, then a part or not, then the value.
  constexpr std::size_t kContextLevels = 6;
  if (path.size() < kContextLevels + 1) return nullptr;
  const std::vector<StObjectKey> context = CMappingContexts::ContextPath(path[1].index, path[4].index, path[5].index);
  for (std::size_t i = 0; i < kContextLevels; ++i)
    if (path[i].code != context[i].code || path[i].index != context[i].index ||
        path[i].qualifier != context[i].qualifier)
      return nullptr;
  const std::span<const StObjectKey> rest = path.subspan(kContextLevels);
  SettingPlace place = SettingPlace::kContext;
  if (rest.size() == 2 && rest[0].index == sc::kControlsPart && rest[0].qualifier == 0) {
    if (rest[0].code == sc::kDisplayPart) place = SettingPlace::kDisplayPart;
    if (rest[0].code == sc::kTabletPart) place = SettingPlace::kTabletPart;
    if (place == SettingPlace::kContext) return nullptr;
  } else if (rest.size() != 1) {
    return nullptr;
  }
  const StObjectKey& value = rest.back();
  if (value.index != 0 || value.qualifier != 0) return nullptr;
  for (const StNamedSetting& row : kSettings) {
    if (row.place == place && row.code == value.code) {
      name = row.name;
      return &row;
    }
  }
  return nullptr;
}
