#pragma once

#include "platform/WinTypes.h"

// Rings the terminal bell when standard error is a terminal; silent otherwise.
BOOL MessageBeep(UINT type);
