#pragma once

#include "model/project.h"

#include <string>
#include <string_view>
#include <vector>

namespace arrowplan {

inline constexpr std::string_view listingHeader =
    " Job   EStart LFinish     Title        CP?  Time(D) Slack  Cost";

// The job listing of the last schedule: the header, then one fixed-width line
// per job (62 characters unless a figure overflows its field).
std::vector<std::string> listingLines(const Project& project);

} // namespace arrowplan
