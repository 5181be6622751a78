#pragma once

// The keyboard-layout functions the applet calls, answered from the US
// keyboard layout as Windows has it.

#include "platform/WinTypes.h"

// The key that types `character`: the virtual-key code in the low byte, the
// shift state in the high byte (1 Shift, 2 Ctrl, 4 Alt); -1 when no key of
// the layout types it.
[[nodiscard]] SHORT VkKeyScanA(CHAR character);

// MAPVK_VK_TO_CHAR: the character a virtual key types unshifted (capital
// letters for letter keys), 0 for keys that type none. Other map types
// answer 0: the applet asks for no scan codes.
[[nodiscard]] UINT MapVirtualKeyA(UINT code, UINT mapType);
