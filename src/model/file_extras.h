#pragma once

#include "model/project.h"

#include <optional>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

namespace arrowplan {

// What a project holds beyond the tables of the file layout (the jobs'
// three-point estimates) goes into a block of its own after the name line,
// which only this program reads; a reader that stops at the name never sees
// it. A project without extras writes no block, so its file is the same byte
// for byte as one without the block. The block:
//
//   [arrowplan extras 1]        the header, with the block's version
//   estimate J O M P            job J's optimistic, most likely and
//                               pessimistic times, plain numbers
//   [end]
//
// Each line ends in CR LF. A later version may add kinds of line; a reader
// takes every version up to its own and refuses a later one.
inline constexpr int extrasVersion = 1;

void writeExtras(std::ostream& out, const Project& project);

// Reads the lines after the name (with their line numbers) into project,
// whose jobs are read already. Lines that do not begin with the header are
// no block and are passed over, as before there was one. Gives the line and
// the fault of a damaged block.
std::optional<std::pair<int, std::string>>
readExtras(const std::vector<std::pair<int, std::string>>& lines, Project& project);

} // namespace arrowplan
