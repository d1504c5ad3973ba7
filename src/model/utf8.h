#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace arrowplan {

// Texts are UTF-8. Widths, fields and cuts count characters, not bytes, so a
// title with an accented letter still fills exactly its 14 places and a cut
// never splits a character.

std::size_t characterCount(std::string_view text);

// The leading part of text that holds at most count characters.
std::string_view firstCharacters(std::string_view text, std::size_t count);

// A text as UTF-8. A file written on a system that stores Windows-1252 holds
// curly quotes and accented letters as single bytes, which are no UTF-8; such
// a text is converted byte for byte (the five bytes Windows-1252 leaves
// undefined become the C1 control characters of the same number), so that
// each of its characters counts once. Valid UTF-8 comes back as it is.
std::string asUtf8(std::string_view text);

} // namespace arrowplan
