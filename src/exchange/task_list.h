#pragma once

#include "model/currency.h"
#include "model/estimate.h"
#include "model/project.h"
#include "model/table.h"

#include <algorithm>
#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace arrowplan {

// How far a task can be shortened: the least time it can be done in, and
// its cost then (its amount is its cost at its time).
struct Crash {
    float time = 0;
    Currency cost;
    bool operator==(const Crash&) const = default;
};

// One task of a plan kept as a task list with predecessors, the way
// spreadsheets and other planning tools keep it: it becomes one job.
struct Task {
    std::string id;    // unique within its list, any text
    std::string title; // UTF-8 as the file gives it; cut to a job title's width later
    float time = 0;    // expected time, in the program's unit (weeks)
    Currency delay;    //
    Currency amount;   // positive money paid out, negative money in
    std::int16_t payMode = payEvenly;
    std::string description;                           //
    std::vector<std::string> predecessors;             // ids of the tasks that must finish first
    std::optional<ThreePoint> estimate = std::nullopt; // three-point estimates of the time
    std::optional<Crash> crash = std::nullopt;
    int line = 0; // where the task stands in its file, for messages
};

// A line of a task list file and what is said of it.
struct ImportNote {
    int line = 0; // 0 when no line of the file is to blame
    std::string text;
};

// Something a file said that was taken in a changed form; the import goes on.
using ImportWarning = ImportNote;

struct TaskList {
    std::string name; // the project's name when the file gives one
    std::vector<Task> tasks;
    std::vector<ImportWarning> warnings;
};

// A task list that cannot become a project, with every problem found. Each
// text says what is wrong and, for a file of elements, names the element.
class ImportError : public std::runtime_error {
  public:
    ImportError(int line, const std::string& text) : ImportError({{line, text}}) {}
    explicit ImportError(std::vector<ImportNote> problems)
        : std::runtime_error(problems.front().text), problems_(std::move(problems)) {}
    int line() const { return problems_.front().line; } // of the first problem
    const std::vector<ImportNote>& problems() const { return problems_; }

  private:
    std::vector<ImportNote> problems_; // never empty
};

// The problems of a list, gathered so that one refusal names them all, in
// the order of the file's lines. Past a screenful the refusal comes at once:
// a file that wrong is better mended from its first problems than read on.
class ImportProblems {
  public:
    static constexpr std::size_t most = 20;

    void add(int line, const std::string& text) { add(ImportError(line, text)); }
    void add(const ImportError& error) {
        for (const ImportNote& problem : error.problems()) {
            problems_.push_back(problem);
            if (problems_.size() == most) {
                refuse();
            }
        }
    }
    bool any() const { return !problems_.empty(); }
    void refuseAny() const {
        if (!problems_.empty()) {
            refuse();
        }
    }

  private:
    [[noreturn]] void refuse() const {
        std::vector<ImportNote> problems = problems_;
        std::stable_sort(problems.begin(), problems.end(),
                         [](const ImportNote& a, const ImportNote& b) { return a.line < b.line; });
        throw ImportError(std::move(problems));
    }

    std::vector<ImportNote> problems_;
};

// A project holds no more tasks than jobs, so the task beyond is refused
// before any other step: the circles, summaries and dummies of a list that
// can never fit would only cost time. The readers refuse it as they come to
// it, the conversion of a list made otherwise first thing.
inline void refuseTaskBeyondTables(std::size_t tasksSoFar, int line) {
    if (tasksSoFar > static_cast<std::size_t>(maxItems)) {
        throw ImportError(line, "the list goes on past the " + std::to_string(maxItems) +
                                    " tasks a project holds");
    }
}

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
