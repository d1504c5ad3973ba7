#include "exchange/ms_project_xml.h"

#include "exchange/topological_order.h"
#include "model/number_parse.h"
#include "model/number_text.h"

#include <QBuffer>
#include <QByteArray>
#include <QXmlStreamReader>
#include <QXmlStreamWriter>

#include <algorithm>
#include <array>
#include <bitset>
#include <cstdlib>
#include <functional>
#include <map>
#include <span>

namespace arrowplan {

namespace {

const QString projectNamespace = QStringLiteral("http://schemas.microsoft.com/project");
constexpr std::int64_t standardMinutesPerDay = 480;
constexpr std::int64_t standardMinutesPerWeek = 2400;
constexpr std::int64_t finishToStart = 1;
// Summaries, inactive tasks and blank rows carry no work, so the tables do
// not bound them; but a file of thousands is no plan for a project, and
// reading and joining them all would take long.
constexpr std::size_t mostRows = 10 * maxItems;
constexpr std::array<const char*, 4> linkTypeNames = {"finish-to-finish", "finish-to-start",
                                                      "start-to-finish", "start-to-start"};
// By FixedCostAccrual code: 1 at start, 2 prorated, 3 at end.
constexpr std::array<std::int16_t, 4> payModeOfAccrual = {payEvenly, payAtStart, payEvenly,
                                                          payAtEnd};

// An element's text and the line it stands on, kept until the whole file is
// read: a value is only understood once the task's UID and the project's
// working time are known, and a bad one is reported at its own line.
struct Field {
    std::string text;
    int line = 0;
};

struct Element {
    int line = 0;
    std::map<std::string, Field, std::less<>> texts; // the first child of each name
    std::vector<Element> inner;                      // the children read as elements
};

struct WorkingTime {
    std::int64_t minutesPerDay = standardMinutesPerDay;
    std::int64_t minutesPerWeek = standardMinutesPerWeek;
};

// What a <Task> of the file is to the list. A blank row is what MS Project
// writes for an empty line of its table; an inactive task is kept in the
// file but left out of the plan.
enum class Row { blank, project, summary, inactive, work };

// A task as the file has it, before its summary tasks are worked out.
struct FileTask {
    Task task;
    Row row = Row::work;
    std::int64_t level = 1;
    std::vector<Field> links; // UIDs, a summary task's among them
};

int lineOf(const QXmlStreamReader& xml) {
    return static_cast<int>(xml.lineNumber());
}

// Keeps the text of the child the reader stands on; of an element within it
// only its own text counts, which skips what is unknown.
void readField(QXmlStreamReader& xml, Element& element) {
    std::string name = xml.name().toString().toStdString();
    const int line = lineOf(xml);
    const QString text = xml.readElementText(QXmlStreamReader::SkipChildElements);
    element.texts.try_emplace(std::move(name), Field{text.toStdString(), line});
}

// Reads the children of the element the reader stands on. Those named by the
// head of chain become elements of their own, read with the rest of it; of
// every other child only its text counts.
Element readElement(QXmlStreamReader& xml, std::span<const QStringView> chain) {
    Element element{lineOf(xml), {}, {}};
    while (xml.readNextStartElement()) {
        if (!chain.empty() && xml.name() == chain.front()) {
            element.inner.push_back(readElement(xml, chain.subspan(1)));
        } else {
            readField(xml, element);
        }
    }
    return element;
}

const Field* fieldOf(const Element& element, std::string_view name) {
    const auto found = element.texts.find(name);
    return found == element.texts.end() ? nullptr : &found->second;
}

std::string textOf(const Element& element, std::string_view name) {
    const Field* field = fieldOf(element, name);
    return field ? field->text : std::string();
}

// The trimmed text of an element that must be there and not be empty.
std::string requiredText(const Element& element, std::string_view name, const std::string& what) {
    const Field* field = fieldOf(element, name);
    if (!field || trimmed(field->text).empty()) {
        throw ImportError(element.line, what + " has no <" + std::string(name) + ">");
    }
    return std::string(trimmed(field->text));
}

ImportError fieldProblem(std::string_view name, const Field& field, const std::string& owner,
                         const std::string& why) {
    constexpr std::size_t shown = 40;
    const std::string value =
        field.text.substr(0, shown) + (field.text.size() > shown ? "..." : "");
    return {field.line, "<" + std::string(name) + "> \"" + value + "\"" + owner + ": " + why};
}

[[noreturn]] void refuse(std::string_view name, const Field& field, const std::string& owner,
                         const std::string& why) {
    throw fieldProblem(name, field, owner, why);
}

// A yes or no of the file: 1 or true, 0 or false; anything else is not said.
std::optional<bool> flagOf(const Element& element, std::string_view name) {
    const std::string text = textOf(element, name);
    const std::string_view flag = trimmed(text);
    if (flag == "1" || flag == "true") {
        return true;
    }
    return flag == "0" || flag == "false" ? std::optional(false) : std::nullopt;
}

Row rowOf(const Element& task) {
    if (flagOf(task, "IsNull").value_or(false)) {
        return Row::blank;
    }
    if (trimmed(textOf(task, "UID")) == "0") {
        return Row::project;
    }
    if (flagOf(task, "Summary").value_or(false)) {
        return Row::summary;
    }
    return flagOf(task, "Active").value_or(true) ? Row::work : Row::inactive;
}

std::optional<Currency> numberIn(std::string_view text) {
    text = trimmed(text);
    return isPlainNumber(text) ? toCurrency(text) : std::nullopt;
}

std::int64_t wholeField(const Element& element, std::string_view name, std::int64_t absent,
                        std::int64_t low, std::int64_t high, const std::string& owner) {
    const Field* field = fieldOf(element, name);
    if (!field) {
        return absent;
    }
    const std::optional<Currency> value = numberIn(field->text);
    if (!value || value->units() % Currency::scale != 0 || *value < Currency::fromWhole(low) ||
        *value > Currency::fromWhole(high)) {
        refuse(name, *field, owner,
               "not a whole number from " + std::to_string(low) + " to " + std::to_string(high));
    }
    return value->units() / Currency::scale;
}

Currency times(Currency value, std::int64_t factor) {
    std::int64_t units = 0;
    if (__builtin_mul_overflow(value.units(), factor, &units)) {
        throw CurrencyOverflow("the number is too large for a currency value");
    }
    return Currency::fromUnits(units);
}

// The parts of an xsd:duration such as -P1DT16H30M0S: its sign, and the
// number before each designator, years to seconds, where one is given.
// Nothing when the text has another form.
struct DurationParts {
    bool negative = false;
    std::array<std::optional<std::string>, 7> numbers; // Y M W D, then H M S after the T
};

std::optional<DurationParts> durationParts(std::string_view text) {
    constexpr std::string_view designators = "YMWDHMS";
    constexpr std::size_t firstOfTime = 4;
    DurationParts parts;
    parts.negative = text.starts_with('-');
    text.remove_prefix(parts.negative ? 1 : 0);
    if (!text.starts_with('P')) {
        return std::nullopt;
    }
    text.remove_prefix(1);
    std::size_t next = 0; // each designator comes once, in this order
    bool inTime = false;
    while (!text.empty()) {
        if (text.front() == 'T' && !inTime) {
            inTime = true;
            next = firstOfTime;
            text.remove_prefix(1);
            continue;
        }
        const std::size_t digits = text.find_first_not_of("0123456789.");
        if (digits == 0 || digits == std::string_view::npos) {
            return std::nullopt;
        }
        const std::size_t unit = designators.find(text[digits], next);
        if (unit == std::string_view::npos || (unit >= firstOfTime) != inTime) {
            return std::nullopt;
        }
        parts.numbers[unit] = std::string(text.substr(0, digits));
        next = unit + 1;
        text.remove_prefix(digits + 1);
    }
    return parts;
}

// An xsd:duration of working time, in weeks. Every part is added up exactly
// in ten-thousandths of a second, so the only rounding is the last division,
// and any time the writer below gives reads back unchanged.
Currency weeksIn(const Field& field, const WorkingTime& time, const std::string& owner) {
    const std::string unreadable = "not a duration such as PT16H0M0S";
    const std::optional<DurationParts> parts = durationParts(trimmed(field.text));
    if (!parts) {
        refuse("Duration", field, owner, unreadable);
    }
    // Years and months have no length in working time that the file states.
    if (parts->numbers[0] || parts->numbers[1]) {
        const char* unit = parts->numbers[0] ? "years" : "months";
        refuse("Duration", field, owner, std::string(unit) + " are not a fixed working time");
    }
    const std::array<std::int64_t, 5> secondsPerUnit = {time.minutesPerWeek * 60,
                                                        time.minutesPerDay * 60, 3600, 60, 1};
    Currency seconds;
    bool anyPart = false;
    try {
        for (std::size_t unit = 0; unit < secondsPerUnit.size(); ++unit) {
            const std::optional<std::string>& part = parts->numbers[unit + 2];
            if (!part) {
                continue;
            }
            const std::optional<Currency> count = numberIn(*part);
            if (!count) {
                refuse("Duration", field, owner, unreadable);
            }
            seconds += times(*count, secondsPerUnit[unit]);
            anyPart = true;
        }
    } catch (const CurrencyOverflow&) {
        refuse("Duration", field, owner, "too long");
    }
    if (!anyPart) {
        refuse("Duration", field, owner, unreadable);
    }
    const Currency weeks =
        Currency::fromUnits(dividedRounded(seconds.units(), time.minutesPerWeek * 60));
    return parts->negative ? -weeks : weeks;
}

// The UID a link names. This program knows only finish-to-start links
// without lag, so any other is taken as one and said so.
Field linkOf(const Element& link, const Task& task, std::vector<ImportWarning>& warnings) {
    const std::string owner = " of task " + task.id;
    const std::string uid = requiredText(link, "PredecessorUID", "<PredecessorLink>" + owner);
    const std::int64_t type = wholeField(link, "Type", finishToStart, 0, 3, owner);
    Currency lagMinutes;
    if (const Field* lag = fieldOf(link, "LinkLag")) {
        const std::optional<Currency> tenths = numberIn(lag->text);
        if (!tenths) {
            refuse("LinkLag", *lag, owner, "not a number");
        }
        lagMinutes = Currency::fromUnits(dividedRounded(tenths->units(), 10));
    }
    if (type != finishToStart || lagMinutes != Currency()) {
        const std::string lagText =
            lagMinutes == Currency() ? "" : " with a lag of " + plainText(lagMinutes) + " minutes";
        warnings.push_back({link.line, "Task \"" + task.title + "\" (UID " + task.id + "): its " +
                                           linkTypeNames[static_cast<std::size_t>(type)] +
                                           " link from UID " + uid + lagText +
                                           " is taken as finish-to-start without lag"});
    }
    return {uid, fieldOf(link, "PredecessorUID")->line};
}

FileTask fileTaskOf(const Element& element, Row row, const WorkingTime& time,
                    std::vector<ImportWarning>& warnings) {
    FileTask file;
    Task& task = file.task;
    task.line = element.line;
    task.id = requiredText(element, "UID", "<Task>");
    const std::string owner = " of task " + task.id;
    task.title = textOf(element, "Name");
    file.row = row;
    file.level = wholeField(element, "OutlineLevel", 1, 0, 1000, owner);
    // A summary task's own values are worked out from its tasks, and an
    // inactive task's take no part; only their links count here.
    if (row == Row::work) {
        if (const Field* duration = fieldOf(element, "Duration")) {
            task.time = static_cast<float>(weeksIn(*duration, time, owner).toDouble());
        }
        if (const Field* cost = fieldOf(element, "FixedCost")) {
            const std::optional<Currency> hundredths = numberIn(cost->text);
            if (!hundredths) {
                refuse("FixedCost", *cost, owner, "not a number");
            }
            task.amount = Currency::fromUnits(dividedRounded(hundredths->units(), 100));
        }
        const std::int64_t accrual = wholeField(element, "FixedCostAccrual", 2, 1, 3, owner);
        task.payMode = payModeOfAccrual[static_cast<std::size_t>(accrual)];
        task.description = textOf(element, "Notes");
    }
    for (const Element& link : element.inner) {
        file.links.push_back(linkOf(link, task, warnings));
    }
    return file;
}

constexpr std::size_t none = static_cast<std::size_t>(-1);

// For each task of the file, the summary task right above it in the outline.
std::vector<std::size_t> summaryAbove(const std::vector<FileTask>& file) {
    std::vector<std::size_t> above(file.size(), none);
    std::vector<std::size_t> open;
    for (std::size_t place = 0; place < file.size(); ++place) {
        while (!open.empty() && file[open.back()].level >= file[place].level) {
            open.pop_back();
        }
        above[place] = open.empty() ? none : open.back();
        if (file[place].row == Row::summary) {
            open.push_back(place);
        }
    }
    return above;
}

// Each task's links by the places of the tasks they name.
std::vector<std::vector<std::size_t>> linkedPlaces(const std::vector<FileTask>& file) {
    ImportProblems problems;
    std::map<std::string, std::size_t, std::less<>> placeOfUid;
    for (std::size_t place = 0; place < file.size(); ++place) {
        const Task& task = file[place].task;
        const auto [known, added] = placeOfUid.try_emplace(task.id, place);
        if (!added) {
            problems.add(task.line, "<UID> \"" + task.id +
                                        "\": given to two tasks (the other on line " +
                                        std::to_string(file[known->second].task.line) + ")");
        }
    }
    std::vector<std::vector<std::size_t>> linked(file.size());
    for (std::size_t place = 0; place < file.size(); ++place) {
        for (const Field& link : file[place].links) {
            const auto known = placeOfUid.find(trimmed(link.text));
            if (known == placeOfUid.end()) {
                problems.add(fieldProblem("PredecessorUID", link, " of task " + file[place].task.id,
                                          "no task of the file has this UID"));
            } else {
                linked[place].push_back(known->second);
            }
        }
    }
    problems.refuseAny();
    return linked;
}

// The tasks that carry work. A summary task stands for the tasks below it in
// the outline: its own links hold for each of them, and a link to it is a
// link to each of them. An inactive task is left out, and a link to it is a
// link to each task it waits for (finish-to-start without lag, as every link
// is taken). Each task's and each summary's set of work tasks is worked out
// once, from its parts, so the time grows with the file, not with links
// times tasks.
std::vector<Task> workTasks(std::vector<FileTask>& file) {
    using WorkSet = std::bitset<maxItems>; // by a work task's place among them
    const std::size_t count = file.size();
    const std::vector<std::size_t> above = summaryAbove(file);
    const std::vector<std::vector<std::size_t>> linked = linkedPlaces(file);
    // The sets: 0..count-1 what each task stands for as a predecessor (a work
    // task itself, a summary its tasks, an inactive task what it waits for),
    // count.. what each summary hands down to the tasks below it. Each is
    // the union of its parts.
    const auto handedDown = [count](std::size_t summary) { return count + summary; };
    const auto waitingOf = [&](std::size_t place) {
        const Row row = file[place].row;
        return row == Row::summary ? handedDown(place) : row == Row::inactive ? place : none;
    };
    std::vector<std::pair<std::size_t, std::size_t>> parts; // (part, whole)
    std::vector<WorkSet> sets(2 * count);
    std::vector<std::string> workIds;
    for (std::size_t place = 0; place < count; ++place) {
        if (file[place].row == Row::work) {
            sets[place].set(workIds.size());
            workIds.push_back(file[place].task.id);
        }
        const std::size_t waiting = waitingOf(place);
        if (above[place] != none) {
            parts.emplace_back(place, above[place]);
            if (waiting != none) {
                parts.emplace_back(handedDown(above[place]), waiting);
            }
        }
        for (const std::size_t before : linked[place]) {
            if (waiting != none) {
                parts.emplace_back(before, waiting);
            }
        }
    }
    const std::vector<std::size_t> order = topologicalOrder(sets.size(), parts);
    std::vector<std::size_t> rank(sets.size(), none);
    for (std::size_t at = 0; at < order.size(); ++at) {
        rank[order[at]] = at;
    }
    if (order.size() < sets.size()) {
        // Every such circle runs through an inactive task.
        const auto circling = std::find(rank.begin(), rank.begin() + std::ptrdiff_t(count), none);
        const Task& task = file[std::size_t(circling - rank.begin())].task;
        throw ImportError(task.line, "task " + task.id + " waits for itself through summary " +
                                         "or inactive tasks");
    }
    std::sort(parts.begin(), parts.end(),
              [&](const auto& a, const auto& b) { return rank[a.first] < rank[b.first]; });
    for (const auto& [part, whole] : parts) {
        sets[whole] |= sets[part];
    }
    std::vector<Task> tasks;
    for (std::size_t place = 0; place < count; ++place) {
        if (file[place].row != Row::work) {
            continue;
        }
        Task& task = file[place].task;
        WorkSet taken;
        // Its own links in their order, then those handed down.
        const auto take = [&](const WorkSet& set) {
            for (std::size_t work = 0; (set & ~taken).any() && work < workIds.size(); ++work) {
                if (set[work] && !taken[work]) {
                    taken.set(work);
                    task.predecessors.push_back(workIds[work]);
                }
            }
        };
        for (const std::size_t before : linked[place]) {
            take(sets[before]);
        }
        if (above[place] != none) {
            take(sets[handedDown(above[place])]);
        }
        tasks.push_back(std::move(task));
    }
    return tasks;
}

// Reads the <Project> element: its own fields, and each of its tasks, handed
// to `take` as soon as it is read, so that a list too long is refused without
// reading on.
Element projectElement(const std::string& bytes, const std::function<void(const Element&)>& take) {
    // Through a device the reader decodes the text a piece at a time; given
    // the bytes, it would decode all of them before the first task.
    QByteArray data = QByteArray::fromRawData(bytes.data(), static_cast<qsizetype>(bytes.size()));
    QBuffer device(&data);
    device.open(QIODevice::ReadOnly);
    QXmlStreamReader xml(&device);
    Element project;
    while (!xml.atEnd() && xml.readNext() != QXmlStreamReader::StartElement) {
        // An entity may stand for a file of this machine, or grow beyond any
        // size; a task list has use for neither.
        if (xml.tokenType() == QXmlStreamReader::DTD && !xml.entityDeclarations().isEmpty()) {
            throw ImportError(lineOf(xml), "the file declares entities (<!ENTITY ...>), which a "
                                           "task list has no use for; it is not read");
        }
    }
    if (xml.isStartElement()) {
        if (xml.name() != u"Project" ||
            (!xml.namespaceUri().isEmpty() && xml.namespaceUri() != projectNamespace)) {
            throw ImportError(lineOf(xml), "the root element is <" +
                                               xml.name().toString().toStdString() +
                                               ">, not the <Project> of MS Project");
        }
        project.line = lineOf(xml);
        static constexpr std::array<QStringView, 1> links = {u"PredecessorLink"};
        while (xml.readNextStartElement()) {
            if (xml.name() != u"Tasks") {
                readField(xml, project);
                continue;
            }
            while (xml.readNextStartElement()) {
                if (xml.name() == u"Task") {
                    take(readElement(xml, links));
                } else {
                    xml.skipCurrentElement();
                }
            }
        }
        while (!xml.atEnd()) {
            xml.readNext();
        }
    }
    if (xml.hasError()) {
        throw ImportError(lineOf(xml), "not well-formed XML: " + xml.errorString().toStdString());
    }
    return project;
}

// One warning for all the rows of a kind that were passed over.
struct PassedOver {
    std::size_t count = 0;
    int firstLine = 0;

    void add(int line) { firstLine = count++ == 0 ? line : firstLine; }
    void warn(std::vector<ImportWarning>& warnings, const std::string& what) const {
        if (count > 0) {
            warnings.push_back({firstLine, what + ": " + std::to_string(count)});
        }
    }
};

// Written as hours, minutes and seconds, the form MS Project reads best.
std::string durationText(Currency weeks) {
    constexpr std::int64_t minute = 60 * Currency::scale;
    const std::int64_t seconds = times(weeks, standardMinutesPerWeek * 60).units();
    const std::int64_t size = std::abs(seconds);
    return std::string(seconds < 0 ? "-" : "") + "PT" + std::to_string(size / (60 * minute)) + "H" +
           std::to_string(size % (60 * minute) / minute) + "M" +
           plainText(Currency::fromUnits(size % minute)) + "S";
}

std::string accrualOf(const Task& task, std::vector<ImportWarning>& warnings) {
    if (task.payMode == payAtStart || task.payMode == payAtEnd) {
        return std::to_string(task.payMode);
    }
    if (task.payMode != payEvenly) {
        const bool named = task.payMode >= 0 && task.payMode < std::ssize(payModeNames);
        const std::string mode =
            named ? payModeNames[task.payMode] : "code " + std::to_string(task.payMode);
        warnings.push_back({0, "Task \"" + task.title + "\": its payment mode (" + mode +
                                   ") has no counterpart in MS Project, which pays it prorated"});
    }
    return "2";
}

} // namespace

TaskList readMsProjectXml(const std::string& bytes) {
    std::vector<std::pair<Element, Row>> rows;
    PassedOver blanks;
    PassedOver inactive;
    std::size_t works = 0;
    std::size_t allRows = 0;
    const Element project = projectElement(bytes, [&](const Element& task) {
        if (++allRows > mostRows) {
            throw ImportError(task.line, "the file goes on past " + std::to_string(mostRows) +
                                             " tasks, summaries, inactive tasks and blank rows "
                                             "among them: far more than a project's " +
                                             std::to_string(maxItems) + " tasks need");
        }
        const Row row = rowOf(task);
        if (row == Row::blank) {
            blanks.add(task.line);
        } else if (row != Row::project) {
            if (row == Row::work) {
                refuseTaskBeyondTables(++works, task.line);
            } else if (row == Row::inactive) {
                inactive.add(task.line);
            }
            rows.emplace_back(task, row);
        }
    });
    const WorkingTime time{
        wholeField(project, "MinutesPerDay", standardMinutesPerDay, 1, 24 * 60, ""),
        wholeField(project, "MinutesPerWeek", standardMinutesPerWeek, 1, 7 * 24 * 60, "")};
    TaskList list;
    list.name = textOf(project, "Name");
    ImportProblems problems;
    std::vector<FileTask> file;
    for (const auto& [task, row] : rows) {
        try {
            file.push_back(fileTaskOf(task, row, time, list.warnings));
        } catch (const ImportError& error) {
            problems.add(error);
        }
    }
    problems.refuseAny();
    list.tasks = workTasks(file);
    blanks.warn(list.warnings, "blank rows (<IsNull>1</IsNull>) passed over");
    inactive.warn(list.warnings,
                  "inactive tasks (<Active>0</Active>) left out, the links through them joined");
    return list;
}

std::string writeMsProjectXml(const TaskList& tasks, std::vector<ImportWarning>& warnings) {
    std::map<std::string, std::string> uidOfId;
    for (std::size_t i = 0; i < tasks.tasks.size(); ++i) {
        uidOfId.try_emplace(tasks.tasks[i].id, std::to_string(i + 1));
    }
    QByteArray bytes;
    QXmlStreamWriter xml(&bytes);
    xml.setAutoFormatting(true);
    const auto element = [&xml](const char* name, const std::string& text) {
        xml.writeTextElement(QString::fromLatin1(name), QString::fromStdString(text));
    };
    // Duration and lag shown in weeks, the unit of this program.
    const std::string weeksFormat = "9";

    xml.writeStartDocument();
    xml.writeStartElement(QStringLiteral("Project"));
    xml.writeDefaultNamespace(projectNamespace);
    // The version of the schema whose element order this file keeps.
    element("SaveVersion", "12");
    element("Name", tasks.name);
    element("MinutesPerDay", std::to_string(standardMinutesPerDay));
    element("MinutesPerWeek", std::to_string(standardMinutesPerWeek));
    xml.writeStartElement(QStringLiteral("Tasks"));
    // The project's own summary task, as MS Project writes it.
    xml.writeStartElement(QStringLiteral("Task"));
    element("UID", "0");
    element("ID", "0");
    element("Name", tasks.name);
    element("OutlineLevel", "0");
    element("Summary", "1");
    xml.writeEndElement();
    for (std::size_t i = 0; i < tasks.tasks.size(); ++i) {
        const Task& task = tasks.tasks[i];
        const std::string uid = std::to_string(i + 1);
        xml.writeStartElement(QStringLiteral("Task"));
        element("UID", uid);
        element("ID", uid);
        const Currency duration = Currency::fromFloat(task.time) + task.delay;
        element("Name", task.title);
        // Fixed duration: the task has no resources whose work could set it.
        element("Type", "1");
        element("OutlineLevel", "1");
        element("Duration", durationText(duration));
        element("DurationFormat", weeksFormat);
        // Written either way: readers take a task without it for a milestone.
        element("Milestone", duration == Currency() ? "1" : "0");
        element("FixedCost", plainText(times(task.amount, 100)));
        element("FixedCostAccrual", accrualOf(task, warnings));
        if (!task.description.empty()) {
            element("Notes", task.description);
        }
        for (const std::string& predecessor : task.predecessors) {
            xml.writeStartElement(QStringLiteral("PredecessorLink"));
            element("PredecessorUID", uidOfId.at(predecessor));
            element("Type", std::to_string(finishToStart));
            element("LinkLag", "0");
            element("LagFormat", weeksFormat);
            xml.writeEndElement();
        }
        xml.writeEndElement();
    }
    xml.writeEndDocument();
    return bytes.toStdString();
}

} // namespace arrowplan
