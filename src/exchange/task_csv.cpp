#include "exchange/task_csv.h"

#include "exchange/task_project.h"

#include "model/number_parse.h"
#include "model/number_text.h"
#include "model/utf8.h"
#include "schedule/report_csv.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <numeric>
#include <optional>
#include <span>

namespace arrowplan {

namespace {

struct Record {
    int line = 0;
    std::vector<std::string> fields;
};

std::string lowered(std::string_view text) {
    std::string result(text);
    std::transform(result.begin(), result.end(), result.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return result;
}

// The separator the header row uses more of, outside quotes.
char separatorOf(std::string_view text) {
    std::size_t commas = 0;
    std::size_t semicolons = 0;
    bool quoted = false;
    for (const char c : text) {
        if (c == '"') {
            quoted = !quoted;
        } else if (!quoted && (c == '\n' || c == '\r')) {
            break;
        } else if (!quoted) {
            commas += c == ',' ? 1 : 0;
            semicolons += c == ';' ? 1 : 0;
        }
    }
    return semicolons > commas ? ';' : ',';
}

// The records of RFC 4180, up to the most wanted; a quoted field may hold
// separators, quotes written twice and line ends. Rows with nothing in them
// are passed over.
std::vector<Record> recordsOf(std::string_view text, char separator, std::size_t most) {
    std::vector<Record> records;
    int line = 1;
    std::size_t at = 0;
    while (at < text.size() && records.size() < most) {
        Record record{line, {}};
        std::string field;
        bool quotedField = false;
        for (bool recordOver = false; !recordOver;) {
            const char c = at < text.size() ? text[at] : '\n';
            ++at;
            // Blanks before the opening quote are only the layout of the row.
            if (c == '"' && !quotedField && field.find_first_not_of(" \t") == std::string::npos) {
                quotedField = true;
                field.clear();
                const int opened = line;
                for (;; ++at) {
                    if (at >= text.size()) {
                        throw ImportError(opened, "a quoted field is never closed");
                    }
                    if (text[at] == '"' && at + 1 < text.size() && text[at + 1] == '"') {
                        field += '"';
                        ++at;
                    } else if (text[at] == '"') {
                        ++at;
                        break;
                    } else {
                        line += text[at] == '\n' ? 1 : 0;
                        field += text[at];
                    }
                }
            } else if (c == separator || c == '\n') {
                record.fields.push_back(quotedField ? field : std::string(trimmed(field)));
                field.clear();
                quotedField = false;
                recordOver = c == '\n';
            } else if (c == '\r' && (at >= text.size() || text[at] == '\n')) {
                continue;
            } else if (quotedField) {
                if (c != ' ' && c != '\t') {
                    throw ImportError(line, "text follows the closing quote of a field");
                }
            } else {
                field += c;
            }
        }
        ++line;
        const bool blank = std::all_of(record.fields.begin(), record.fields.end(),
                                       [](const std::string& f) { return f.empty(); });
        if (!blank) {
            records.push_back(std::move(record));
        }
    }
    return records;
}

enum Column {
    id,
    duration,
    title,
    name,
    predecessors,
    delay,
    amount,
    payment,
    description,
    optimistic,
    mostLikely,
    pessimistic,
    crashTime,
    crashCost
};
constexpr std::array<std::string_view, 14> columnNames{
    "id",          "duration",    "title",      "name",        "predecessors",
    "delay",       "amount",      "payment",    "description", "optimistic",
    "most_likely", "pessimistic", "crash_time", "crash_cost"};

// The fewest letters to insert, drop or change to make one text the other.
std::size_t editDistance(std::string_view a, std::string_view b) {
    std::vector<std::size_t> row(b.size() + 1);
    std::iota(row.begin(), row.end(), std::size_t{0});
    for (std::size_t i = 1; i <= a.size(); ++i) {
        std::size_t diagonal = row[0];
        row[0] = i;
        for (std::size_t j = 1; j <= b.size(); ++j) {
            const std::size_t above = row[j];
            row[j] = std::min({row[j] + 1, row[j - 1] + 1, diagonal + (a[i - 1] != b[j - 1])});
            diagonal = above;
        }
    }
    return row.back();
}

// A column read by no one: with a name a slip away from a known one, it
// likely was meant to be that one, and leaving it out silently would change
// the schedule (a misspelt predecessors column makes every task parallel).
ImportWarning ignoredColumn(const std::string& header, int line) {
    constexpr std::size_t slip = 2;
    std::string text = "column `" + header + "` was ignored";
    const std::string name = lowered(header);
    const auto nearest = std::min_element(columnNames.begin(), columnNames.end(),
                                          [&](std::string_view a, std::string_view b) {
                                              return editDistance(name, a) < editDistance(name, b);
                                          });
    const std::size_t distance = editDistance(name, *nearest);
    if (distance == 0) {
        text += "; the column of that name before it is read";
    } else if (distance <= slip) {
        text += "; did you mean `" + std::string(*nearest) + "`?";
    }
    return {line, text};
}

// A number of the table: plain, or with a decimal comma in a table separated
// by semicolons, as spreadsheets write it where the comma is the point.
std::optional<std::string> plainNumberText(std::string_view text, char separator) {
    std::string number(trimmed(text));
    if (separator == ';' && std::count(number.begin(), number.end(), ',') == 1 &&
        number.find('.') == std::string::npos) {
        std::replace(number.begin(), number.end(), ',', '.');
    }
    return isPlainNumber(number) ? std::optional(number) : std::nullopt;
}

class TaskReader {
  public:
    TaskReader(const Record& header, char separator, std::vector<ImportWarning>& warnings)
        : separator_(separator), warnings_(warnings) {
        places_.fill(absent);
        for (std::size_t field = 0; field < header.fields.size(); ++field) {
            const std::string name(trimmed(header.fields[field]));
            const auto known = std::find(columnNames.begin(), columnNames.end(), lowered(name));
            const auto column = static_cast<std::size_t>(known - columnNames.begin());
            if (known != columnNames.end() && places_[column] == absent) {
                places_[column] = field;
            } else if (!name.empty()) {
                warnings.push_back(ignoredColumn(name, header.line));
            }
        }
        ImportProblems missing;
        for (const Column needed : {id, duration}) {
            if (places_[needed] == absent) {
                missing.add(header.line, "the header row has no \"" +
                                             std::string(columnNames[needed]) + "\" column");
            }
        }
        if (missing.any()) {
            // A column missing is often one misspelt, which the warnings name.
            for (const ImportWarning& warning : warnings) {
                missing.add(warning.line, warning.text);
            }
            missing.refuseAny();
        }
    }

    Task taskOf(const Record& record) {
        line_ = record.line;
        fields_ = &record.fields;
        Task task;
        task.line = record.line;
        task.id = field(id);
        if (task.id.empty()) {
            throw ImportError(line_, "the task has no id");
        }
        const auto time = number(duration, task.id);
        task.time = toSingle(time).value_or(-1);
        if (task.time < 0) {
            throw negative(duration, time, task.id);
        }
        task.title = places_[title] != absent ? field(title) : field(name);
        task.delay = money(delay, task.id);
        if (task.delay < Currency()) {
            throw negative(delay, field(delay), task.id);
        }
        task.amount = money(amount, task.id);
        task.payMode = payModeOf(field(payment), task.id);
        task.description = field(description);
        task.estimate = estimateOf(task.id);
        task.crash = crashOf(task);
        // Listed with commas or semicolons, the ids may hold blanks ("Task 1");
        // otherwise blanks part them too.
        const std::string listed = field(predecessors);
        const bool blanksPart = listed.find_first_of(",;") == std::string::npos;
        std::string word;
        for (const char c : listed + ';') {
            if (c == ',' || c == ';' ||
                (blanksPart && std::isspace(static_cast<unsigned char>(c)))) {
                if (!trimmed(word).empty()) {
                    task.predecessors.emplace_back(trimmed(word));
                }
                word.clear();
            } else {
                word += c;
            }
        }
        return task;
    }

  private:
    std::string field(Column column) const {
        const std::size_t place = places_[column];
        return place < fields_->size() ? asUtf8((*fields_)[place]) : std::string();
    }

    std::string number(Column column, const std::string& task) const {
        const std::string text = field(column);
        const auto plain = plainNumberText(text, separator_);
        if (!plain) {
            throw ImportError(line_, "the " + std::string(columnNames[column]) + " \"" + text +
                                         "\" of task " + task + " is not a number");
        }
        return *plain;
    }

    // Whether the row fills columns that go together: all of them, or none.
    // Some of them is refused, `some` saying what the task has.
    bool givenTogether(std::span<const Column> columns, const std::string& task,
                       const std::string& some) const {
        const auto given = std::count_if(columns.begin(), columns.end(),
                                         [&](Column c) { return !field(c).empty(); });
        if (given != 0 && static_cast<std::size_t>(given) != columns.size()) {
            throw ImportError(line_, "task " + task + " has " + some);
        }
        return given != 0;
    }

    // The three estimates, all or none; checked as the file's are.
    std::optional<ThreePoint> estimateOf(const std::string& task) const {
        const Column columns[] = {optimistic, mostLikely, pessimistic};
        if (!givenTogether(columns, task,
                           "some of its three estimates but not all: optimistic, most_likely "
                           "and pessimistic go together")) {
            return std::nullopt;
        }
        double times[3];
        for (std::size_t i = 0; i < 3; ++i) {
            times[i] = toSingle(number(columns[i], task)).value_or(-1);
        }
        const ThreePoint estimate{times[0], times[1], times[2]};
        if (const auto problem = estimateProblem(estimate)) {
            throw ImportError(line_,
                              "the estimates of task " + task + " cannot be used: " + *problem);
        }
        return estimate;
    }

    // The crash time and cost, both or neither. A task is shortened from its
    // time, never past 0, and costs more for it, not less.
    std::optional<Crash> crashOf(const Task& task) const {
        const Column columns[] = {crashTime, crashCost};
        if (!givenTogether(columns, task.id,
                           "a crash time or a crash cost but not both: crash_time and "
                           "crash_cost go together")) {
            return std::nullopt;
        }
        const Crash crash{toSingle(number(crashTime, task.id)).value_or(-1),
                          money(crashCost, task.id)};
        if (const auto problem = crashProblem(task, crash)) {
            throw ImportError(line_,
                              "the crash data of task " + task.id + " cannot be used: " + *problem);
        }
        if (crash == Crash{}) {
            // The tables hold no crash data as a crash time and cost of 0.
            warnings_.push_back({line_, "a crash time of 0 at a crash cost of 0 is no crash data: "
                                        "task " +
                                            task.id + " cannot be shortened"});
            return std::nullopt;
        }
        return crash;
    }

    ImportError negative(Column column, const std::string& text, const std::string& task) const {
        return {line_, "the " + std::string(columnNames[column]) + " " + text + " of task " + task +
                           " is not a number of 0 or more"};
    }

    Currency money(Column column, const std::string& task) const {
        if (field(column).empty()) {
            return {};
        }
        const auto value = toCurrency(number(column, task));
        if (!value) {
            throw ImportError(line_, "the " + std::string(columnNames[column]) + " of task " +
                                         task + " is beyond the program's money range");
        }
        return *value;
    }

    std::int16_t payModeOf(const std::string& text, const std::string& task) const {
        for (std::int16_t mode = payEvenly; mode <= payAtEnd; ++mode) {
            if (text == std::to_string(mode) || lowered(text) == lowered(payModeNames[mode])) {
                return mode;
            }
        }
        if (!text.empty()) {
            throw ImportError(line_, "the payment \"" + text + "\" of task " + task +
                                         " is none of 0 to 3, \"Pay Evenly\", \"Pay at Start\", "
                                         "\"Pay 50/50\" or \"Pay at End\"");
        }
        return payEvenly;
    }

    char separator_;
    std::vector<ImportWarning>& warnings_;
    static constexpr std::size_t absent = static_cast<std::size_t>(-1);
    std::array<std::size_t, columnNames.size()> places_{};
    int line_ = 0; // of the record being read
    const std::vector<std::string>* fields_ = nullptr;
};

} // namespace

TaskList readTaskCsv(std::string_view bytes) {
    if (bytes.starts_with("\xEF\xBB\xBF")) {
        bytes.remove_prefix(3);
    }
    const char separator = separatorOf(bytes);
    // The header and one row more than the tables hold are all a list too
    // long need be read for.
    const std::vector<Record> records = recordsOf(bytes, separator, std::size_t{maxItems} + 2);
    if (records.empty()) {
        throw ImportError(0, "the file holds no header row");
    }
    refuseTaskBeyondTables(records.size() - 1, records.back().line);
    TaskList list;
    TaskReader reader(records.front(), separator, list.warnings);
    ImportProblems problems;
    for (auto record = records.begin() + 1; record != records.end(); ++record) {
        try {
            list.tasks.push_back(reader.taskOf(*record));
        } catch (const ImportError& error) {
            problems.add(error);
        }
    }
    problems.refuseAny();
    return list;
}

std::string writeTaskCsv(const TaskList& tasks) {
    // The estimates' and the crash data's columns only where a task has
    // them, so a list without them is written as before there were any.
    const bool estimated = std::any_of(tasks.tasks.begin(), tasks.tasks.end(),
                                       [](const Task& task) { return task.estimate.has_value(); });
    const bool crashed = std::any_of(tasks.tasks.begin(), tasks.tasks.end(),
                                     [](const Task& task) { return task.crash.has_value(); });
    std::vector<std::string> header{"id",     "title",   "duration",     "delay",
                                    "amount", "payment", "predecessors", "description"};
    if (estimated) {
        header.insert(header.end(), {"optimistic", "most_likely", "pessimistic"});
    }
    if (crashed) {
        header.insert(header.end(), {"crash_time", "crash_cost"});
    }
    std::string text = csvRow(header);
    for (const Task& task : tasks.tasks) {
        std::string after;
        for (const std::string& id : task.predecessors) {
            after += (after.empty() ? "" : " ") + id;
        }
        const bool knownMode = task.payMode >= payEvenly && task.payMode <= payAtEnd;
        std::vector<std::string> row{task.id,
                                     task.title,
                                     plainText(task.time),
                                     plainText(task.delay),
                                     plainText(task.amount),
                                     knownMode ? payModeNames[task.payMode] : "",
                                     after,
                                     task.description};
        if (estimated) {
            const auto time = [&](double ThreePoint::*which) {
                return task.estimate ? plainText(static_cast<float>(*task.estimate.*which))
                                     : std::string();
            };
            row.insert(row.end(), {time(&ThreePoint::optimistic), time(&ThreePoint::mostLikely),
                                   time(&ThreePoint::pessimistic)});
        }
        if (crashed) {
            row.insert(row.end(), {task.crash ? plainText(task.crash->time) : std::string(),
                                   task.crash ? plainText(task.crash->cost) : std::string()});
        }
        text += csvRow(row);
    }
    return text;
}

} // namespace arrowplan
