#include "exchange/ms_project_xml.h"

#include "model/number_parse.h"
#include "model/number_text.h"

#include <QByteArray>
#include <QXmlStreamReader>
#include <QXmlStreamWriter>

#include <algorithm>
#include <array>
#include <cstdlib>
#include <map>
#include <span>

namespace arrowplan {

namespace {

const QString projectNamespace = QStringLiteral("http://schemas.microsoft.com/project");
constexpr std::int64_t standardMinutesPerDay = 480;
constexpr std::int64_t standardMinutesPerWeek = 2400;
constexpr std::int64_t finishToStart = 1;
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

// A task as the file has it, before its summary tasks are worked out.
struct FileTask {
    Task task;
    bool summary = false;
    std::int64_t level = 1;
    std::vector<std::string> links; // UIDs, a summary task's among them
};

int lineOf(const QXmlStreamReader& xml) {
    return static_cast<int>(xml.lineNumber());
}

// Reads the children of the element the reader stands on. Those named by the
// head of chain become elements of their own, read with the rest of it; of
// every other child only its own text counts, which skips what is unknown.
Element readElement(QXmlStreamReader& xml, std::span<const QStringView> chain) {
    Element element{lineOf(xml), {}, {}};
    while (xml.readNextStartElement()) {
        if (!chain.empty() && xml.name() == chain.front()) {
            element.inner.push_back(readElement(xml, chain.subspan(1)));
            continue;
        }
        std::string name = xml.name().toString().toStdString();
        const int line = lineOf(xml);
        const QString text = xml.readElementText(QXmlStreamReader::SkipChildElements);
        element.texts.try_emplace(std::move(name), Field{text.toStdString(), line});
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

[[noreturn]] void refuse(std::string_view name, const Field& field, const std::string& owner,
                         const std::string& why) {
    constexpr std::size_t shown = 40;
    const std::string value =
        field.text.substr(0, shown) + (field.text.size() > shown ? "..." : "");
    throw ImportError(field.line,
                      "<" + std::string(name) + "> \"" + value + "\"" + owner + ": " + why);
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
std::string linkOf(const Element& link, const Task& task, std::vector<ImportWarning>& warnings) {
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
    return uid;
}

FileTask fileTaskOf(const Element& element, const WorkingTime& time,
                    std::vector<ImportWarning>& warnings) {
    FileTask file;
    Task& task = file.task;
    task.line = element.line;
    task.id = requiredText(element, "UID", "<Task>");
    const std::string owner = " of task " + task.id;
    task.title = textOf(element, "Name");
    const std::string summaryText = textOf(element, "Summary");
    const std::string_view summary = trimmed(summaryText);
    file.summary = summary == "1" || summary == "true";
    file.level = wholeField(element, "OutlineLevel", 1, 0, 1000, owner);
    // A summary task's own values are worked out from its tasks; only its
    // links count here.
    if (!file.summary) {
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

void addOnce(std::vector<std::string>& ids, const std::string& id) {
    if (std::find(ids.begin(), ids.end(), id) == ids.end()) {
        ids.push_back(id);
    }
}

// The tasks that carry work. A summary task stands for the tasks below it in
// the outline: its own links hold for each of them, and a link to it is a
// link to each of them.
std::vector<Task> workTasks(std::vector<FileTask>& file) {
    std::map<std::string, std::vector<std::string>> membersOfSummary;
    for (std::size_t s = 0; s < file.size(); ++s) {
        if (!file[s].summary) {
            continue;
        }
        std::vector<std::string>& members = membersOfSummary[file[s].task.id];
        for (std::size_t i = s + 1; i < file.size() && file[i].level > file[s].level; ++i) {
            if (!file[i].summary) {
                members.push_back(file[i].task.id);
                file[i].links.insert(file[i].links.end(), file[s].links.begin(),
                                     file[s].links.end());
            }
        }
    }
    std::vector<Task> tasks;
    for (FileTask& each : file) {
        if (each.summary) {
            continue;
        }
        for (const std::string& uid : each.links) {
            const auto summary = membersOfSummary.find(uid);
            if (summary == membersOfSummary.end()) {
                addOnce(each.task.predecessors, uid);
                continue;
            }
            for (const std::string& member : summary->second) {
                addOnce(each.task.predecessors, member);
            }
        }
        tasks.push_back(std::move(each.task));
    }
    return tasks;
}

Element projectElement(const std::string& bytes) {
    QXmlStreamReader xml(
        QByteArray::fromRawData(bytes.data(), static_cast<qsizetype>(bytes.size())));
    Element project;
    if (xml.readNextStartElement()) {
        if (xml.name() != u"Project" ||
            (!xml.namespaceUri().isEmpty() && xml.namespaceUri() != projectNamespace)) {
            throw ImportError(lineOf(xml), "the root element is <" +
                                               xml.name().toString().toStdString() +
                                               ">, not the <Project> of MS Project");
        }
        static constexpr std::array<QStringView, 3> chain = {u"Tasks", u"Task", u"PredecessorLink"};
        project = readElement(xml, chain);
        while (!xml.atEnd()) {
            xml.readNext();
        }
    }
    if (xml.hasError()) {
        throw ImportError(lineOf(xml), "not well-formed XML: " + xml.errorString().toStdString());
    }
    return project;
}

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
    const Element project = projectElement(bytes);
    const WorkingTime time{
        wholeField(project, "MinutesPerDay", standardMinutesPerDay, 1, 24 * 60, ""),
        wholeField(project, "MinutesPerWeek", standardMinutesPerWeek, 1, 7 * 24 * 60, "")};
    TaskList list;
    list.name = textOf(project, "Name");
    std::vector<FileTask> file;
    for (const Element& tasks : project.inner) {
        for (const Element& task : tasks.inner) {
            // Task 0 is the project itself.
            if (trimmed(textOf(task, "UID")) != "0") {
                file.push_back(fileTaskOf(task, time, list.warnings));
            }
        }
    }
    list.tasks = workTasks(file);
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
