#pragma once

#include <cstdint>
#include <string>

// Opens a document with the desktop's "open" handler, the way the shell's
// "open" verb does. Answers above 32 on success, else 2 (file missing),
// 3 (directory missing) or 31 (nothing can open it).
[[nodiscard]] std::intptr_t ShellOpen(const std::string& path, const std::string& directory);
