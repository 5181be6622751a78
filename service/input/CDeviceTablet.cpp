#include "service/input/CDeviceTablet.h"

#include <linux/input-event-codes.h>

#include "service/ServiceCodes.h"

namespace {

// The extent of an axis in its own units; 0 when the device has none.
std::uint32_t Extent(const StDeviceDescription& device, std::uint16_t code) {
  const StAxisRange* axis = device.Axis(code);
  if (axis == nullptr || axis->maximum <= axis->minimum) return 0;
  return static_cast<std::uint32_t>(static_cast<std::int64_t>(axis->maximum) - axis->minimum);
}

}  // namespace

StTabletProfile CDeviceTablet::Define(const StDeviceDescription& device, const StProfile& profile) {
  StTabletProfile tablet;
  tablet.model = service_codes::kGenericModel;
  tablet.name = device.name;
  for (const StTabletProfile& known : profile.tablets) {
    if (known.name != device.name) continue;
    tablet.model = known.model;
    tablet.version = known.version;
    break;
  }
  tablet.width = Extent(device, ABS_X);
  tablet.height = Extent(device, ABS_Y);
  // Levels are the highest pressure, as the pipeline scales by it: a range
  // of 0..8191 is 8191 levels above no pressure.
  if (const StAxisRange* pressure = device.Axis(ABS_PRESSURE); pressure != nullptr && pressure->maximum > 0)
    tablet.pressureLevels = static_cast<std::uint32_t>(pressure->maximum);

  const bool pen = device.HasKey(BTN_TOOL_PEN) || device.HasKey(BTN_TOOL_PENCIL) || device.HasKey(BTN_TOOL_BRUSH);
  if (pen || device.HasKey(BTN_TOOL_AIRBRUSH)) {
    StToolProfile stylus;
    stylus.type = pen ? kPenType : kAirbrushType;
    stylus.identity = kPenIdentity;
    stylus.eraser = device.HasKey(BTN_TOOL_RUBBER);
    tablet.tools.push_back(stylus);
  }
  if (device.HasKey(BTN_TOOL_MOUSE) || device.HasKey(BTN_TOOL_LENS)) {
    StToolProfile puck;
    puck.type = kPuckType;
    puck.identity = kPuckIdentity;
    for (const int button : {BTN_LEFT, BTN_RIGHT, BTN_MIDDLE, BTN_SIDE, BTN_EXTRA})
      if (device.HasKey(static_cast<std::uint16_t>(button))) ++puck.buttons;
    puck.wheel = true;
    tablet.tools.push_back(puck);
  }
  return tablet;
}
