#include "service/CListCommand.h"

#include <cstdio>
#include <iterator>
#include <string>

#include "service/CControlCommand.h"
#include "service/CModelBuilder.h"
#include "service/CNamedSettings.h"
#include "service/ServiceCodes.h"

namespace sc = service_codes;

namespace {

constexpr std::uint16_t kTabletName = 29;
constexpr std::uint32_t kLargestName = 256;

std::vector<StObjectKey> Append(std::vector<StObjectKey> path, std::uint16_t code, std::uint32_t index = 0) {
  path.push_back({0, code, index});
  return path;
}

}  // namespace

int CListCommand::Names() {
  std::FILE* out = m_control.Out();
  std::fprintf(out,
               "Named settings, usable in place of a PATH: [tabletT.]TOOL.SETTING, where TOOL is pen,\n"
               "airbrush or puck (the first such tool present) or toolN; pen settings apply to\n"
               "airbrushes too, TOOL settings to every tool; # is a button number, 1 to %u.\n\n",
               sc::kLastPuckButton);
  for (const StNamedSetting& setting : CNamedSettings::Table()) {
    const std::string name = std::string(CNamedSettings::ScopePrefix(setting.scope)) + setting.name;
    const std::string type = setting.type.Describe(DataTypeSize(setting.dataType));
    std::fprintf(out, "%-26s %-27s %s\n", name.c_str(), type.c_str(), setting.meaning);
  }
  return CControlCommand::kExitDone;
}

int CListCommand::List() {
  std::FILE* out = m_control.Out();
  Status status = kStatusOk;
  const std::uint64_t tablets = m_control.ReadNumber({{0, sc::kCount, 2}}, status);
  if (status != kStatusOk) return m_control.Finish(status, "tablet count");
  const std::uint64_t current = m_control.ReadNumber({{0, sc::kCurrentTablet, 0}}, status);
  for (std::uint32_t t = 0; t < tablets; ++t) {
    const std::vector<StObjectKey> tablet{{0, sc::kTablet, t}};
    std::vector<std::uint8_t> name;
    if (m_control.Send(1, Append(tablet, kTabletName), name, kLargestName) != kStatusOk || name.empty() ||
        name.back() != 0)
      name.assign(1, 0);  // listed without a name
    const std::uint64_t model = m_control.ReadNumber(Append(tablet, sc::kModel), status);
    const std::uint64_t present = m_control.ReadNumber(Append(tablet, sc::kPresent), status);
    const std::uint64_t tools = m_control.ReadNumber(Append(tablet, sc::kCount, 4), status);
    std::fprintf(out, "tablet %u: model %llu \"%s\"%s%s\n", t, static_cast<unsigned long long>(model),
                 reinterpret_cast<const char*>(name.data()), present != 0 ? "" : " (detached)",
                 t == current ? " (current)" : "");
    for (std::uint32_t n = 0; n < tools; ++n) {
      const std::vector<StObjectKey> tool = Append(tablet, sc::kTool, n);
      const auto type = static_cast<std::uint16_t>(m_control.ReadNumber(Append(tool, sc::kTypeCode), status));
      const std::uint64_t serial = m_control.ReadNumber(Append(tool, sc::kSerial), status);
      const std::uint64_t here = m_control.ReadNumber(Append(tool, sc::kPresent), status);
      std::fprintf(out, "  tool %u: type %u (%s), serial 0x%08llX%s\n", n, type,
                   CModelBuilder::KindName(CModelBuilder::KindOf(type)),
                   static_cast<unsigned long long>(serial), here != 0 ? "" : " (detached)");
      ListButtons(tool, type);
    }
  }
  return CControlCommand::kExitDone;
}

void CListCommand::ListButtons(const std::vector<StObjectKey>& tool, std::uint16_t typeCode) {
  // The names the named settings use; a button is there when its function reads.
  struct StButton {
    std::uint32_t number;
    const char* name;
  };
  static constexpr StButton kStylusButtons[] = {
      {sc::kTipButton, "tip"}, {sc::kLowerSwitch, "switch1"}, {sc::kUpperSwitch, "switch2"}, {sc::kEraserButton, "eraser"}};
  std::vector<StButton> candidates;
  const bool stylus = CModelBuilder::ClassOf(typeCode) == CModelBuilder::ToolClass::kStylus;
  if (stylus) candidates.assign(std::begin(kStylusButtons), std::end(kStylusButtons));
  for (std::uint32_t b = 1; !stylus && b <= sc::kLastPuckButton; ++b) candidates.push_back({b, nullptr});
  if (!stylus) candidates.push_back({sc::kRollerButton, "roller"});
  candidates.push_back({sc::kWheelButton, "wheel"});
  std::string line;
  for (const StButton& button : candidates) {
    std::vector<std::uint8_t> function;
    if (m_control.Send(1, Append(Append(tool, sc::kButton, button.number), sc::kFunctionCode), function, 8) !=
        kStatusOk)
      continue;
    line += line.empty() ? "    buttons: " : ", ";
    line += button.name != nullptr ? button.name : "button" + std::to_string(button.number);
  }
  if (!line.empty()) std::fprintf(m_control.Out(), "%s\n", line.c_str());
}
