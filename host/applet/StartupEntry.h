#pragma once

#include <cstdint>
#include <string>
#include <vector>

class ZafApplication;

// Exit values of a run.
inline constexpr std::int32_t kExitOk = 0;
inline constexpr std::int32_t kExitFailed = -1;
inline constexpr std::int32_t kExitToolkitFailed = 1;

// The argument vector of a run: the module's file name, then the command
// line split at blanks and tabs; a double quote runs to the next one, and an
// unterminated quote ends the list.
[[nodiscard]] std::vector<std::string> BuildArgumentVector(const std::string& moduleFile,
                                                           const char* commandLine);

// The start-up entry, shaped like a program's main entry.
std::int32_t StartupEntry(void* instance, void* previousInstance, const char* commandLine,
                          std::int32_t showState);

// The user main: resource file, persistence, language strings, colours and
// the main window, run to its end.
std::int32_t UserMain(ZafApplication& application);
