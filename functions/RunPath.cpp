#include "functions/RunPath.h"

std::string ProgramName(std::string_view path) {
  std::size_t cut = path.rfind('/');
  if (cut == std::string_view::npos) cut = path.rfind('\\');
  return std::string(cut == std::string_view::npos ? path : path.substr(cut + 1));
}
