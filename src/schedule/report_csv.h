#pragma once

#include "model/project.h"

#include <string>
#include <string_view>
#include <vector>

namespace arrowplan {

// The listing and the weekly costs for a spreadsheet: one header row, then
// one row a job or a week; RFC 4180 quoting and CRLF line ends. Numbers are
// plain (a full stop before the fraction, no thousands separator, no money
// symbol), so a spreadsheet in any locale reads them as numbers. Titles lose
// their padding blanks.

// A field quoted as RFC 4180 asks when it holds a comma, a double quote or a
// line break, with its double quotes doubled.
std::string csvField(std::string_view text);

// One row of such fields, separated by commas and ended by CRLF.
std::string csvRow(const std::vector<std::string>& fields);

// The name of a job's column in a table a column a job: its title and its
// nodes, "Dig (1-2)".
std::string jobColumnName(const Project& project, int job);

// Every job of the last schedule: its nodes, early start, late finish,
// title, critical mark (1 or 0), expected time, delay, duration, slack (the
// total float), amount, payment mode, and its free, independent and
// interfering floats.
std::string listingCsv(const Project& project);

// Every week of the last schedule: the whole project's cost and running
// total, then what each job pays that week (a column a job).
std::string weeklyCostCsv(const Project& project);

} // namespace arrowplan
