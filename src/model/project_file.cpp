#include "model/project_file.h"

#include "model/file_extras.h"

#include "model/atomic_file.h"
#include "model/number_parse.h"
#include "model/number_text.h"
#include "model/utf8.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cmath>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace arrowplan {

namespace {

constexpr std::string_view lineEnd = "\r\n";
constexpr std::string_view byteOrderMark = "\xEF\xBB\xBF";
constexpr const char* taskListProblem =
    "this looks like a task list (a table with a header row, or XML), not a project file";

// Ends reading at the first problem; readProject turns it into its result.
struct ReadFailure {
    FileProblem problem;
};

std::string jobPart(std::string_view part, int job) {
    return "the " + std::string(part) + " of job " + std::to_string(job);
}

std::string nodePart(std::string_view part, int node) {
    return "the " + std::string(part) + " of node " + std::to_string(node);
}

// A bad value is quoted in the message, but never at any length.
std::string shownValue(std::string_view value) {
    constexpr std::size_t shown = 24;
    std::string text(1, '"');
    text += value.substr(0, shown);
    return text + (value.size() > shown ? "...\"" : "\"");
}

std::string_view trimmed(std::string_view text) {
    const std::size_t first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos) {
        return {};
    }
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

// A project file begins with its node count; a task list with the names of
// its columns between separators, or with the XML declaration.
bool beginsTaskList(std::string_view firstLine) {
    const std::string_view line = trimmed(firstLine);
    const bool named = std::any_of(line.begin(), line.end(), [](char c) {
        return std::isalpha(static_cast<unsigned char>(c));
    });
    return line.starts_with("<?xml") || (named && line.find_first_of(",;\t") != line.npos);
}

// Hands out the file's values one line at a time, with the line number of
// each, and reports a problem against the line it was found on.
class ValueReader {
  public:
    explicit ValueReader(std::istream& in) : in_(in) {}

    const std::string& firstLine() const { return firstLine_; }

    std::int16_t integer(const std::string& what) {
        return number(what, toInteger16, "is not a whole number from -32768 to 32767");
    }

    float single(const std::string& what) {
        return number(what, toSingle, "is beyond the range of a single-precision number");
    }

    Currency currency(const std::string& what) {
        return number(what, toCurrency, "is beyond the range of a currency value");
    }

    // Everything from the opening double quote to the next one, across line
    // ends, as UTF-8; a line end inside the text is kept as a line feed.
    std::string text(const std::string& what) {
        const std::string line = nextLine(what);
        const int firstLine = line_;
        // Blanks may stand before the opening quote; inside the text every
        // character counts, trailing blanks of a line included.
        const std::size_t quote = line.find_first_not_of(" \t");
        if (quote == std::string::npos || line[quote] != '"') {
            fail(what + " should be a text in double quotes: " + shownValue(trimmed(line)));
        }
        std::string value = line.substr(quote + 1);
        std::size_t close = value.find('"');
        while (close == std::string::npos) {
            std::string more;
            if (!readLine(more)) {
                throw ReadFailure{{firstLine, what + " has no closing double quote", false}};
            }
            value += '\n';
            value += more;
            close = value.find('"');
        }
        value.erase(close);
        return asUtf8(value);
    }

    // The lines left, each with its number.
    std::vector<std::pair<int, std::string>> rest() {
        std::vector<std::pair<int, std::string>> lines;
        for (std::string line; readLine(line);) {
            lines.emplace_back(line_, line);
        }
        return lines;
    }

    [[noreturn]] void fail(std::string what) const {
        throw ReadFailure{{line_, std::move(what), false}};
    }

  private:
    bool readLine(std::string& line) {
        if (!std::getline(in_, line)) {
            return false;
        }
        ++line_;
        if (line_ == 1 && line.starts_with(byteOrderMark)) {
            line.erase(0, byteOrderMark.size());
        }
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        if (line_ == 1) {
            firstLine_ = line;
        }
        return true;
    }

    std::string nextLine(const std::string& what) {
        std::string line;
        if (!readLine(line)) {
            if (in_.bad()) {
                throw ReadFailure{{line_ + 1, "the file cannot be read", false}};
            }
            if (line_ == 0) {
                throw ReadFailure{{1, "the file is empty", false}};
            }
            throw ReadFailure{{line_ + 1, "the file ends before " + what, false}};
        }
        return line;
    }

    // A plain number alone on its line (blanks around it allowed), converted
    // to the value's type; refusal says why a number that does not fit is refused.
    template <typename T>
    T number(const std::string& what, std::optional<T> (*convert)(std::string_view),
             std::string_view refusal) {
        const std::string line = nextLine(what);
        const std::string_view text = trimmed(line);
        if (!isPlainNumber(text)) {
            fail(what + " is not a number: " + shownValue(text));
        }
        const std::optional<T> value = convert(text);
        if (!value) {
            fail(what + " " + std::string(refusal) + ": " + shownValue(text));
        }
        return *value;
    }

    std::istream& in_;
    int line_ = 0;
    std::string firstLine_;
};

std::int16_t count(ValueReader& reader, const std::string& what) {
    const std::int16_t value = reader.integer(what);
    if (value < 0 || value > maxItems) {
        reader.fail(what + " is " + std::to_string(value) + ", outside 0..100");
    }
    return value;
}

// A job's node as the file gives it and, where that is not whole, the node
// it stands for.
std::string nodeText(Currency node) {
    const std::string given = plainText(node);
    const std::string slot = std::to_string(nodeSlot(node));
    return given == slot ? given : given + ", node " + slot;
}

// A job's start or end: a currency value whose nearest whole number is a node
// of the project.
Currency jobEnd(ValueReader& reader, const std::string& what, int nodeCount) {
    const Currency node = reader.currency(what);
    if (nodeSlot(node) < 1 || nodeSlot(node) > nodeCount) {
        reader.fail(what + " (" + nodeText(node) + ") is not a node from 1 to " +
                    std::to_string(nodeCount));
    }
    return node;
}

void readJob(ValueReader& reader, Project& project, int k) {
    project.jobAmount[k] = reader.currency(jobPart("amount", k));
    project.jobActualTime[k] = reader.currency(jobPart("actual time", k));
    project.jobDelay[k] = reader.currency(jobPart("delay", k));
    project.jobTitle[k] = JobTitle(reader.text(jobPart("title", k)));
    project.jobDone[k] = reader.integer(jobPart("done mark", k));
    const Currency from = jobEnd(reader, jobPart("start node", k), project.nodeCount);
    const Currency to = jobEnd(reader, jobPart("end node", k), project.nodeCount);
    // The schedule works the node times out in increasing node order, so a
    // job that does not lead to a higher node would read a time not yet
    // worked out (its own, for a job from a node to itself) at every run.
    if (nodeSlot(to) <= nodeSlot(from)) {
        reader.fail(jobPart("end node", k) + " (" + nodeText(to) +
                    ") is not above its start node (" + nodeText(from) + ")");
    }
    // The nodes they round to are kept: the schedule's passes match a job's
    // ends to nodes exactly, and a fraction would match none.
    project.edgeFrom[k] = Currency::fromWhole(nodeSlot(from));
    project.edgeTo[k] = Currency::fromWhole(nodeSlot(to));
    project.edgeWeight[k] = reader.single(jobPart("expected time", k));
    if (!fitsSchedule(project.edgeWeight[k], project.jobDelay[k])) {
        reader.fail(jobPart("expected time", k) + " (" + plainText(project.edgeWeight[k]) +
                    ") with its delay (" + plainText(project.jobDelay[k]) +
                    ") is too large for a schedule");
    }
    project.jobNotes[k] = reader.text(jobPart("description", k));
    project.jobPayMode[k] = reader.integer(jobPart("payment mode", k));
}

void readNode(ValueReader& reader, Project& project, int i) {
    project.nodeX[i] = reader.single(nodePart("x", i));
    project.nodeY[i] = reader.single(nodePart("y", i));
    project.nodeNumber[i] = reader.single(nodePart("number", i));
    // Only the cost listing takes a node's number as a node, rounded, so any
    // number that rounds to a slot of the tables will do.
    const float number = project.nodeNumber[i];
    if (std::fabs(number) > maxItems + 1 || !isSlot(nodeSlot(number))) {
        reader.fail(nodePart("number", i) + " (" + plainText(number) +
                    ") is not a number from 0 to 100");
    }
}

// A text as the file holds it: lines end in CRLF like every other line, and a
// double quote, which would end the text early, becomes an apostrophe.
std::string fileText(std::string_view text) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '"') {
            out += '\'';
        } else if (c == '\n') {
            out += lineEnd;
        } else if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
            continue; // the line feed after it writes the whole line end
        } else {
            out += c;
        }
    }
    return out;
}

} // namespace

std::string describe(const FileProblem& problem, std::string_view fileName) {
    std::string text(fileName);
    if (problem.line > 0) {
        text += ", line " + std::to_string(problem.line);
    }
    return text + ": " + problem.what;
}

std::variant<Project, FileProblem> readProject(std::istream& in) {
    ValueReader reader(in);
    Project project;
    try {
        project.nodeCount = count(reader, "the node count");
        project.edgeCount = count(reader, "the job count");
        if (project.nodeCount == 0) {
            return FileProblem{1, "the project has no nodes", true};
        }
        for (int k = 1; k <= project.edgeCount; ++k) {
            readJob(reader, project, k);
        }
        for (int i = 1; i <= project.nodeCount; ++i) {
            readNode(reader, project, i);
        }
        project.projectName = reader.text("the project name");
        if (auto fault = readExtras(reader.rest(), project)) {
            return FileProblem{fault->first, std::move(fault->second), false};
        }
    } catch (const ReadFailure& failure) {
        if (failure.problem.line == 1 && beginsTaskList(reader.firstLine())) {
            return FileProblem{1, taskListProblem, false, true};
        }
        return failure.problem;
    }
    return project;
}

void writeProject(std::ostream& out, const Project& project) {
    const auto line = [&out](std::string_view value) { out << value << lineEnd; };
    const auto text = [&out](std::string_view value) {
        out << '"' << fileText(value) << '"' << lineEnd;
    };

    line(plainText(project.nodeCount));
    line(plainText(project.edgeCount));
    for (int k = 1; k <= project.edgeCount; ++k) {
        line(plainText(project.jobAmount[k]));
        line(plainText(project.jobActualTime[k]));
        line(plainText(project.jobDelay[k]));
        text(project.jobTitle[k].text());
        line(plainText(project.jobDone[k]));
        line(plainText(project.edgeFrom[k]));
        line(plainText(project.edgeTo[k]));
        line(plainText(project.edgeWeight[k]));
        text(project.jobNotes[k]);
        line(plainText(project.jobPayMode[k]));
    }
    for (int i = 1; i <= project.nodeCount; ++i) {
        line(plainText(project.nodeX[i]));
        line(plainText(project.nodeY[i]));
        line(plainText(project.nodeNumber[i]));
    }
    text(project.projectName);
    writeExtras(out, project);
}

void adoptLoadedProject(Project& current, const Project& loaded) {
    current.nodeCount = loaded.nodeCount;
    current.edgeCount = loaded.edgeCount;
    current.nodeX = loaded.nodeX;
    current.nodeY = loaded.nodeY;
    current.nodeNumber = loaded.nodeNumber;
    current.edgeFrom = loaded.edgeFrom;
    current.edgeTo = loaded.edgeTo;
    current.edgeWeight = loaded.edgeWeight;
    current.jobTitle = loaded.jobTitle;
    current.jobDone = loaded.jobDone;
    current.jobPayMode = loaded.jobPayMode;
    current.jobNotes = loaded.jobNotes;
    current.jobAmount = loaded.jobAmount;
    current.jobActualTime = loaded.jobActualTime;
    current.jobDelay = loaded.jobDelay;
    current.jobOptimistic = loaded.jobOptimistic;
    current.jobMostLikely = loaded.jobMostLikely;
    current.jobPessimistic = loaded.jobPessimistic;
    current.jobCrashTime = loaded.jobCrashTime;
    current.jobCrashCost = loaded.jobCrashCost;
    current.projectName = loaded.projectName;
    current.indirectCostPerWeek = loaded.indirectCostPerWeek;
    // A spanning tree of the project before marks nothing of this one.
    current.edgeInTree.fill(0);
}

std::optional<FileProblem> loadProjectFile(const std::string& path, Project& current) {
    std::error_code ignored;
    if (std::filesystem::is_directory(path, ignored)) {
        return FileProblem{0, "this is a folder, not a project file", false};
    }
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        return FileProblem{0, std::string("the file cannot be opened: ") + std::strerror(errno),
                           false};
    }
    auto result = readProject(in);
    if (auto* problem = std::get_if<FileProblem>(&result)) {
        return *problem;
    }
    adoptLoadedProject(current, std::get<Project>(result));
    return std::nullopt;
}

std::string storedText(const Project& project) {
    if (project.nodeCount == 0) {
        return {};
    }
    std::ostringstream contents;
    writeProject(contents, project);
    return std::move(contents).str();
}

std::optional<std::string> saveProjectFile(const std::string& path, const Project& project) {
    const std::string contents = storedText(project);
    if (contents.empty()) {
        return "The project has no nodes yet, so there is nothing to save. " + path +
               " was not written.";
    }
    if (const auto failure = replaceFileContents(path, contents)) {
        return "Could not save " + path + ": " + failure->why +
               (failure->oldContentsKept ? ". The previous file is unchanged."
                                         : ". The file may be incomplete.");
    }
    return std::nullopt;
}

} // namespace arrowplan
