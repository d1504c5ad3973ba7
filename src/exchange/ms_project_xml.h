#pragma once

#include "exchange/task_list.h"

#include <string>

namespace arrowplan {

// Reads the XML file format of MS Project (MSPDI), also written by other
// planning tools, into a task list: the tasks that carry work, keyed by their
// UID, with a summary task's links handed down to the tasks below it. Links
// other than finish-to-start without lag are taken as such, with a warning;
// blank rows and inactive tasks are left out with one warning each kind, a
// link to an inactive task reaching what it waits for. Throws ImportError
// with every problem of the tasks, at the first work task beyond the tables'
// size, or for a file that declares entities.
TaskList readMsProjectXml(const std::string& bytes);

// Writes a task list as MSPDI, the tasks numbered from 1 in list order.
// Durations are the time plus the delay, since the other tools know no delay.
// Every predecessor must name a task of the list. What cannot be written as it
// stands is added to warnings.
std::string writeMsProjectXml(const TaskList& tasks, std::vector<ImportWarning>& warnings);

} // namespace arrowplan
