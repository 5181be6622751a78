#pragma once

#include "platform/WinTypes.h"

// Rings the terminal bell when standard error is a terminal; silent otherwise.
BOOL MessageBeep(UINT type);

// The common dialog that lets the user choose a file to open, through the
// installed desktop. The filter's text/pattern pairs are offered; the file
// buffer holds the starting path and receives the choice (nFileOffset and
// nFileExtension are set). A choice that does not fit in nMaxFile bytes
// (with its terminating zero) is refused: FALSE, CommDlgExtendedError()
// answers FNERR_BUFFERTOOSMALL and the first two bytes of the buffer hold
// the size it needs. Cancelled, or with no desktop: FALSE, error 0.
BOOL GetOpenFileNameA(OPENFILENAMEA* openFileName);
[[nodiscard]] DWORD CommDlgExtendedError();
