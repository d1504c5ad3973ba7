#include "exchange/task_csv.h"

#include "model/number_parse.h"
#include "model/number_text.h"
#include "model/utf8.h"
#include "schedule/report_csv.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <optional>

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

// The records of RFC 4180; a quoted field may hold separators, quotes
// written twice and line ends. Rows with nothing in them are passed over.
std::vector<Record> recordsOf(std::string_view text, char separator) {
    std::vector<Record> records;
    int line = 1;
    std::size_t at = 0;
    while (at < text.size()) {
        Record record{line, {}};
        std::string field;
        bool quotedField = false;
        for (bool recordOver = false; !recordOver;) {
            const char c = at < text.size() ? text[at] : '\n';
            ++at;
            if (c == '"' && field.empty() && !quotedField) {
                quotedField = true;
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

enum Column { id, duration, title, name, predecessors, delay, amount, payment, description };
constexpr std::array<const char*, 9> columnNames{
    "id", "duration", "title", "name", "predecessors", "delay", "amount", "payment", "description"};

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
    TaskReader(const Record& header, char separator) : separator_(separator) {
        places_.fill(absent);
        for (std::size_t field = 0; field < header.fields.size(); ++field) {
            const auto known = std::find(columnNames.begin(), columnNames.end(),
                                         lowered(trimmed(header.fields[field])));
            const auto column = static_cast<std::size_t>(known - columnNames.begin());
            if (known != columnNames.end() && places_[column] == absent) {
                places_[column] = field;
            }
        }
        for (const Column needed : {id, duration}) {
            if (places_[needed] == absent) {
                throw ImportError(header.line, std::string("the header row has no \"") +
                                                   columnNames[needed] + "\" column");
            }
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
            throw ImportError(line_, "the duration " + time + " of task " + task.id +
                                         " is not a number of 0 or more");
        }
        task.title = places_[title] != absent ? field(title) : field(name);
        task.delay = money(delay, task.id);
        task.amount = money(amount, task.id);
        task.payMode = payModeOf(field(payment), task.id);
        task.description = field(description);
        std::string word;
        for (const char c : field(predecessors) + ' ') {
            if (c == ',' || c == ';' || std::isspace(static_cast<unsigned char>(c))) {
                if (!word.empty()) {
                    task.predecessors.push_back(word);
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
            throw ImportError(line_, std::string("the ") + columnNames[column] + " \"" + text +
                                         "\" of task " + task + " is not a number");
        }
        return *plain;
    }

    Currency money(Column column, const std::string& task) const {
        if (field(column).empty()) {
            return {};
        }
        const auto value = toCurrency(number(column, task));
        if (!value) {
            throw ImportError(line_, std::string("the ") + columnNames[column] + " of task " +
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
    const std::vector<Record> records = recordsOf(bytes, separator);
    if (records.empty()) {
        throw ImportError(0, "the file holds no header row");
    }
    TaskReader reader(records.front(), separator);
    TaskList list;
    for (auto record = records.begin() + 1; record != records.end(); ++record) {
        list.tasks.push_back(reader.taskOf(*record));
    }
    return list;
}

std::string writeTaskCsv(const TaskList& tasks) {
    std::string text = csvRow(
        {"id", "title", "duration", "delay", "amount", "payment", "predecessors", "description"});
    for (const Task& task : tasks.tasks) {
        std::string after;
        for (const std::string& id : task.predecessors) {
            after += (after.empty() ? "" : " ") + id;
        }
        const bool knownMode = task.payMode >= payEvenly && task.payMode <= payAtEnd;
        text += csvRow({task.id, task.title, plainText(task.time), plainText(task.delay),
                        plainText(task.amount), knownMode ? payModeNames[task.payMode] : "", after,
                        task.description});
    }
    return text;
}

} // namespace arrowplan
