#include "host/applet/StartupFailure.h"

#include <cstdio>
#include <cstdlib>
#include <fstream>

void ReportStartupFailure(const std::string& cause) {
  if (const char* path = std::getenv("KELVO_RUN_RESULT"); path != nullptr && *path != '\0') {
    std::ofstream out(path, std::ios::trunc);
    out << cause << '\n';
    if (out.flush()) return;
  }
  std::fprintf(stderr, "Tablet Properties: %s\n", cause.c_str());
}
