#pragma once

#include <string>

#include "protocol/Status.h"

// A status as a user reads it: a few words and the code, "no such value (0x0200)".
[[nodiscard]] std::string DescribeStatus(Status status);
