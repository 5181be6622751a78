#pragma once

// Read-only registry over the ".reg" file of RegistryFilePath(). Each open
// reads the file anew, so a handle sees the file as it was when it was opened.
// Missing keys answer ERROR_PATH_NOT_FOUND (3), missing values
// ERROR_FILE_NOT_FOUND (2); a missing file is an empty registry.

#include "platform/WinTypes.h"

[[nodiscard]] LONG RegOpenKeyExA(HKEY key, LPCSTR subKey, DWORD options, REGSAM access,
                                 PHKEY result);
[[nodiscard]] LONG RegQueryValueExA(HKEY key, LPCSTR valueName, DWORD* reserved, DWORD* type,
                                    BYTE* data, DWORD* dataSize);
LONG RegCloseKey(HKEY key);
