#pragma once

#include "exchange/task_list.h"
#include "model/project.h"
#include "model/project_file.h"

#include <optional>
#include <string>

namespace arrowplan {

// The forms a task list file may take.
enum class TaskFileFormat { msProjectXml, csv };

// A task list file taken in as a project: MS Project XML when its name ends
// in .xml or its text starts with an element, else a CSV table. Throws
// ImportError; adds what was changed on the way to warnings.
Project importTaskFile(const std::string& path, std::vector<ImportWarning>& warnings);

// The same for a file's bytes; `path` only says whether the name ends in .xml.
Project importTaskList(const std::string& bytes, std::string_view path,
                       std::vector<ImportWarning>& warnings);

// Writes the project's jobs as a task list, replacing the file whole. Adds
// what could not be written as it stands to warnings; gives the message to
// show when the file could not be written. Throws ExportError, writing
// nothing, for a project that cannot be a task list.
std::optional<std::string> exportTaskFile(const Project& project, const std::string& path,
                                          TaskFileFormat format,
                                          std::vector<ImportWarning>& warnings);

// "FILE, line N: text" for what an import found wrong or changed, a line for
// each problem of a refusal.
std::string describe(const ImportWarning& warning, std::string_view fileName);
std::string describe(const ImportError& error, std::string_view fileName);

} // namespace arrowplan
