// zncpack: packs the readable resource sources into one resource file.
//   zncpack -o Tablet.znc resources/windows/Main.json resources/images/Pen.json ...
// Each file's folder says what it holds. Exit 0 on success, 1 with a message
// naming the file and field on the first error.

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "toolkit/tools/CJsonResourceLoader.h"

int main(int argc, char** argv) {
  std::string output;
  std::vector<std::string> inputs;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if (arg == "-o" && i + 1 < argc) {
      output = argv[++i];
    } else {
      inputs.push_back(arg);
    }
  }
  if (output.empty()) {
    std::fprintf(stderr, "usage: zncpack -o OUTPUT.znc FILE.json...\n");
    return 2;
  }
  // Sorted input gives the same file whatever order the build lists it in.
  std::sort(inputs.begin(), inputs.end());
  CJsonResourceLoader loader;
  for (const std::string& input : inputs) {
    if (loader.LoadFile(input) != kStatusOk) {
      std::fprintf(stderr, "zncpack: %s\n", loader.Error().c_str());
      return 1;
    }
  }
  if (loader.Write(output) != kStatusOk) {
    std::fprintf(stderr, "zncpack: %s\n", loader.Error().c_str());
    return 1;
  }
  return 0;
}
