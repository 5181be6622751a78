#include "service/CStatusCommand.h"

#include <cstdio>
#include <string>
#include <vector>

#include "service/CControlCommand.h"
#include "service/ServiceCodes.h"

namespace sc = service_codes;

namespace {

constexpr std::uint16_t kTabletName = 29;
constexpr std::uint32_t kLargestText = 256;

std::string Text(std::vector<std::uint8_t> bytes) {
  bytes.push_back(0);
  return reinterpret_cast<const char*>(bytes.data());
}

}  // namespace

int CStatusCommand::Run() {
  std::FILE* out = m_control.Out();
  Status status = kStatusOk;
  [[maybe_unused]] const std::uint64_t watched = m_control.ReadNumber({{0, sc::kDevicesWatched, 0}}, status);
  if (status == kStatusNotFound) {
    std::fprintf(out, "tabletd runs on the virtual tablet: it drives no devices (tabletd --devices would)\n");
    return CControlCommand::kExitDone;
  }
  if (status != kStatusOk) return m_control.Finish(status, "status");
  const std::uint64_t tablets = m_control.ReadNumber({{0, sc::kCount, 2}}, status);
  if (status != kStatusOk) return m_control.Finish(status, "tablet count");
  std::size_t driven = 0;
  for (std::uint32_t t = 0; t < tablets; ++t) {
    const StObjectKey tablet{0, sc::kTablet, t};
    std::vector<std::uint8_t> node;
    // Tablets of the profile have no node; unplugged ones are out of use.
    if (m_control.Send(kCommandGet, {tablet, {0, sc::kDeviceNode, 0}}, node, kLargestText) != kStatusOk) continue;
    if (m_control.ReadNumber({tablet, {0, sc::kPresent, 0}}, status) == 0 || status != kStatusOk) continue;
    std::vector<std::uint8_t> name;
    if (m_control.Send(kCommandGet, {tablet, {0, kTabletName, 0}}, name, kLargestText) != kStatusOk) name.clear();
    const std::uint64_t model = m_control.ReadNumber({tablet, {0, sc::kModel, 0}}, status);
    const std::uint64_t grabbed = m_control.ReadNumber({tablet, {0, sc::kDeviceGrabbed, 0}}, status);
    std::fprintf(out, "%s: tablet %u \"%s\", model %llu, %s\n", Text(node).c_str(), t, Text(name).c_str(),
                 static_cast<unsigned long long>(model),
                 grabbed != 0 ? "grabbed and driven" : "not grabbed: shown, not driven");
    ++driven;
  }
  if (driven == 0) std::fprintf(out, "tabletd watches for tablets and drives none now\n");
  return CControlCommand::kExitDone;
}
