#pragma once

#include "exchange/task_list.h"

#include <string>
#include <string_view>

namespace arrowplan {

// A task list kept as a spreadsheet table (RFC 4180, UTF-8 with or without a
// byte order mark, separated by commas or by semicolons, whichever the header
// row holds more of). The header names the columns in any order and case:
// id and duration are needed; title (or name), predecessors, delay, amount,
// payment and description may be given; others are passed over with a
// warning. Blanks around a quoted field are allowed. Predecessors are parted
// by commas or semicolons, or by blanks where the field holds neither.
// Throws ImportError with every problem of the rows, or at the first row
// beyond the tables' size.
TaskList readTaskCsv(std::string_view bytes);

// The same table, every column, comma separated, CRLF line ends.
std::string writeTaskCsv(const TaskList& tasks);

} // namespace arrowplan
