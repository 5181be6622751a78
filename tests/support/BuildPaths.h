#pragma once

#include <unistd.h>

#include <climits>
#include <cstdlib>
#include <string>

// The folder with the built programs and libraries: $KELVO_BUILD_BIN (set by
// ctest), else the folder of the running test binary (which is built there).
inline std::string BuildBinDir() {
  if (const char* bin = std::getenv("KELVO_BUILD_BIN"); bin != nullptr && *bin != '\0') return bin;
  char self[PATH_MAX] = {};
  const ssize_t got = readlink("/proc/self/exe", self, sizeof self - 1);
  std::string path(self, got > 0 ? static_cast<std::size_t>(got) : 0);
  return path.substr(0, path.rfind('/'));
}
