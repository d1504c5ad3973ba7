#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace arrowplan {

// Writes contents into a temporary file beside path, flushes it to the disk
// and renames it over path, so that path holds either its old contents or
// the whole new ones, whatever happens on the way. A file already there
// keeps its permissions. Gives why, when nothing was written.
std::optional<std::string> replaceFile(const std::string& path, std::string_view contents);

} // namespace arrowplan
