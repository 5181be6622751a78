#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// Reads a whole regular file, without exceptions and without waiting on a
// pipe or device. False with `problem` set ("no such file", "is a folder",
// "cannot be read (why)", "is larger than N MiB") when it cannot.
[[nodiscard]] bool ReadRegularFile(const std::string& path, std::size_t limit,
                                   std::vector<std::uint8_t>& bytes, std::string& problem);
