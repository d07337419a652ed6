#include "core/command_line.h"

#include <cctype>

namespace vaticor {

std::string PathExtension(std::string_view path) {
  const std::size_t separator = path.find_last_of("\\/");
  const std::string_view name =
      separator == std::string_view::npos ? path : path.substr(separator + 1);
  const std::size_t dot = name.rfind('.');
  return dot == std::string_view::npos ? std::string() : std::string(name.substr(dot));
}

bool IsSpreadFileArgument(std::string_view firstArgument) {
  if (firstArgument.empty()) return false;
  std::string extension = PathExtension(firstArgument);
  for (char& c : extension) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return extension == ".SPR" || extension == ".SPREAD";
}

}  // namespace vaticor
