#pragma once

#include "model/currency.h"
#include "model/project.h"

#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace arrowplan {

// One task of a plan kept as a task list with predecessors, the way
// spreadsheets and other planning tools keep it: it becomes one job.
struct Task {
    std::string id;    // unique within its list, any text
    std::string title; // UTF-8 as the file gives it; cut to a job title's width later
    float time = 0;    // expected time, in the program's unit (weeks)
    Currency delay;    //
    Currency amount;   // positive money paid out, negative money in
    std::int16_t payMode = payEvenly;
    std::string description;               //
    std::vector<std::string> predecessors; // ids of the tasks that must finish first
    int line = 0;                          // where the task stands in its file, for messages
};

// Something a file said that was taken in a changed form; the import goes on.
struct ImportWarning {
    int line = 0; // 0 when no line of the file is to blame
    std::string text;
};

struct TaskList {
    std::string name; // the project's name when the file gives one
    std::vector<Task> tasks;
    std::vector<ImportWarning> warnings;
};

// A task list that cannot become a project. The text says what is wrong and,
// for a file of elements, names the element.
class ImportError : public std::runtime_error {
  public:
    ImportError(int line, const std::string& text) : std::runtime_error(text), line_(line) {}
    int line() const { return line_; }

  private:
    int line_; // 0 when no single line is to blame
};

// A field's text without the blanks and line ends around it, which files
// written by hand or by spreadsheets put there freely.
inline std::string_view trimmed(std::string_view text) {
    const std::size_t first = text.find_first_not_of(" \t\r\n");
    if (first == std::string_view::npos) {
        return {};
    }
    return text.substr(first, text.find_last_not_of(" \t\r\n") - first + 1);
}

} // namespace arrowplan
