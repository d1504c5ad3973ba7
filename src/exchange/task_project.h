#pragma once

#include "exchange/network_layout.h"
#include "exchange/task_list.h"
#include "model/project.h"

#include <optional>
#include <stdexcept>
#include <string>

namespace arrowplan {

// The project a task list describes: one job a task, in the list's order,
// then the dummies the precedence needs; node 1 the start, the last node the
// finish, every job from a lower to a higher node; laid out in layers.
// Throws ImportError for a list that cannot be one: more tasks than the
// tables hold (checked first), an id given twice, a predecessor that is no
// task, a time or delay that is negative or beyond the schedule (every one of
// these found), tasks waiting for each other in a circle, a network beyond
// the tables. A title cut to fit adds a warning.
Project projectOfTasks(const TaskList& list, std::vector<ImportWarning>& warnings);

// A project that cannot be written as a task list, whose tasks take no
// negative time: the text names the job.
class ExportError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

// The task list of a project: one task a job that is not a dummy (a job
// without time, delay, amount, description or a title of its own), numbered
// as the job, waiting for the jobs that end where it starts, directly or
// through dummies. A negative delay is taken off the time, with a warning,
// as a task list's delays are never negative; throws ExportError for a job
// whose time and delay together are negative. Crash data a task could not
// have (`crashProblem`) and the indirect cost, for which a list has no
// place, are left out with a warning.
TaskList tasksOfProject(const Project& project);

// Why a task cannot be shortened as `crash` says (a crash time outside 0 to
// its time, a crash cost below its amount), or nothing when it can.
std::optional<std::string> crashProblem(const Task& task, const Crash& crash);

// Moves every node of the drawn network to its place in a layered layout;
// nothing else changes. An arrow still being drawn is passed over.
void tidyLayout(Project& project, const LayoutArea& area = {});

} // namespace arrowplan
