#pragma once

#include <cstdint>

#include "host/ControlPanel.h"

// The applet's icons, resources 101 and 102 of the module: PNG files in the
// "icons" folder beside it ("icons/101.png"). A negative index names the icon
// by its resource id. 0 when there is no such icon.
[[nodiscard]] HandleValue ExtractIconA(void* instance, const char* moduleFile, std::int32_t index);
// Forgets the icon; false for a handle that is not held.
bool DestroyIcon(HandleValue icon);
// The picture file of a held icon, or null (for presenters that draw it).
[[nodiscard]] const char* IconFile(HandleValue icon);
