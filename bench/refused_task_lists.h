#pragma once

#include <cstddef>
#include <string>

namespace arrowplan {

// Task lists no project can hold, of the sizes and shapes that once took
// long to refuse or broke the stack: made here for the benchmark that times
// their refusal and for the test that checks what it says.

// Tasks each waiting for the next, the last for the first, as a CSV table.
std::string chainedTaskCsv(std::size_t tasks);

// Tasks each waiting for the next, the last for one the file does not hold,
// as MS Project XML, a task a line from line 2.
std::string chainedTaskXml(std::size_t tasks);

// MS Project XML: a summary task of `tasks` tasks (line 2), and as many
// tasks linked to the summary.
std::string linkedSummaryXml(std::size_t tasks);

// `half` tasks, and as many more each waiting for all of the first but one,
// as a CSV table.
std::string crossedTaskCsv(std::size_t half);

// MS Project XML: inactive tasks each waiting for the next, the last for the
// first, a task a line from line 2.
std::string inactiveCircleXml(std::size_t tasks);

} // namespace arrowplan
