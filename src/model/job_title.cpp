#include "model/job_title.h"

#include "model/utf8.h"

#include <algorithm>

namespace arrowplan {

std::string paddedToWidth(std::string_view text, std::size_t width) {
    std::string result(firstCharacters(text, width));
    result.append(width - characterCount(result), ' ');
    return result;
}

JobTitle::JobTitle(std::string_view text) : text_(paddedToWidth(text, width)) {
    std::replace(text_.begin(), text_.end(), '\0', ' ');
}

} // namespace arrowplan
