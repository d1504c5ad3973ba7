#pragma once

#include <cstddef>
#include <string_view>

namespace arrowplan {

// Texts are UTF-8. Widths, fields and cuts count characters, not bytes, so a
// title with an accented letter still fills exactly its 14 places and a cut
// never splits a character.

std::size_t characterCount(std::string_view text);

// The leading part of text that holds at most count characters.
std::string_view firstCharacters(std::string_view text, std::size_t count);

} // namespace arrowplan
