#pragma once

#include <cstdio>

// tabletctl's whole usage, for help and --help; the manual page says the same.
void PrintControlUsage(std::FILE* to);
