#pragma once

#include "model/project.h"

#include <optional>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

namespace arrowplan {

// What a project holds beyond the tables of the file layout (the jobs'
// three-point estimates and crash data, the indirect cost) goes into a block
// of its own after the name line, which only this program reads; a reader
// that stops at the name never sees it. A project without extras writes no
// block, so its file is the same byte for byte as one without the block. The
// block:
//
//   [arrowplan extras N]        the header, with the block's version
//   estimate J O M P            job J's optimistic, most likely and
//                               pessimistic times, plain numbers (version 1)
//   crash J T C                 job J's crash time and crash cost (version 2)
//   indirect C                  the indirect cost per week (version 2)
//   [end]
//
// Each line ends in CR LF. The header names the lowest version that knows
// every kind of line the block holds, so a project with estimates alone is
// still read by a program that knows only version 1. A reader takes every
// version up to its own and refuses a later one, and a kind of line its
// block's version does not know.
inline constexpr int extrasVersion = 2;

void writeExtras(std::ostream& out, const Project& project);

// Reads the lines after the name (with their line numbers) into project,
// whose jobs are read already. Lines that do not begin with the header are
// no block and are passed over, as before there was one. Gives the line and
// the fault of a damaged block.
std::optional<std::pair<int, std::string>>
readExtras(const std::vector<std::pair<int, std::string>>& lines, Project& project);

} // namespace arrowplan
