#pragma once

#include <string>
#include <string_view>

// The name a run-application function shows for a program: what follows the
// path's last '/' (a Linux path), else its last backslash, else the whole path.
[[nodiscard]] std::string ProgramName(std::string_view path);
