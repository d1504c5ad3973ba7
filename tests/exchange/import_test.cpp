#include "exchange/arrow_network.h"
#include "exchange/ms_project_xml.h"
#include "exchange/task_csv.h"
#include "exchange/task_file.h"
#include "exchange/task_project.h"
#include "model/number_text.h"
#include "model/project_file.h"
#include "refused_task_lists.h"
#include "schedule/cpm.h"
#include "schedule/listing.h"
#include "schedule/weekly_costs.h"

#include "project_builder.h"

#include <QTest>

#include <algorithm>
#include <bit>
#include <random>
#include <set>

using namespace arrowplan;

namespace {

// A CSV table, or MS Project XML when it starts with an element.
Project imported(const std::string& text, std::vector<ImportWarning>* warnings = nullptr) {
    std::vector<ImportWarning> kept;
    return importTaskList(text, "", warnings ? *warnings : kept);
}

std::vector<std::vector<std::size_t>> predecessorsOf(const TaskList& list) {
    std::vector<std::vector<std::size_t>> predecessors;
    for (const Task& task : list.tasks) {
        predecessors.emplace_back();
        for (const std::string& id : task.predecessors) {
            predecessors.back().push_back(static_cast<std::size_t>(std::stoi(id.substr(1))));
        }
    }
    return predecessors;
}

// Whether each node reaches each other through jobs and dummies.
std::vector<std::vector<bool>> reachOf(const Project& project) {
    const auto size = static_cast<std::size_t>(project.nodeCount + 1);
    std::vector<std::vector<bool>> reach(size, std::vector<bool>(size, false));
    for (long long node = project.nodeCount; node >= 1; --node) {
        for (int job = 1; job <= project.edgeCount; ++job) {
            if (nodeSlot(project.edgeFrom[job]) == node) {
                const auto to = static_cast<std::size_t>(nodeSlot(project.edgeTo[job]));
                auto& row = reach[static_cast<std::size_t>(node)];
                row[to] = true;
                std::transform(row.begin(), row.end(), reach[to].begin(), row.begin(),
                               std::logical_or<>());
            }
        }
    }
    return reach;
}

// The fewest dummies of any network of the tasks (each after its
// predecessors in the list), found by trying every network event by event in
// an order of its arcs, with more and more dummies: each new event takes the
// ends of some started tasks and dummies from earlier events, which fixes the
// tasks done by it, then starts some of the tasks that wait for exactly
// those. Twins (same predecessors and followers) can trade places, so they
// start in list order and, from one event, end in list order.
class DummySearch {
  public:
    explicit DummySearch(const std::vector<std::vector<std::size_t>>& predecessors)
        : count(predecessors.size()), waitsFor(count), twinBefore(count, count) {
        for (std::size_t task = 0; task < count; ++task) {
            for (const std::size_t before : predecessors[task]) {
                waitsFor[task] |= 1u << before | waitsFor[before];
            }
        }
        for (std::size_t task = 0; task < count; ++task) {
            for (std::size_t other = 0; other < task; ++other) {
                bool twins = waitsFor[task] == waitsFor[other];
                for (const unsigned waits : waitsFor) {
                    twins = twins && (waits >> task & 1) == (waits >> other & 1);
                }
                twinBefore[task] = twins ? other : twinBefore[task];
            }
        }
    }

    std::size_t fewest() {
        for (budget = 0;; ++budget) {
            startAt.assign(count, -1);
            endAt.assign(count, -1);
            if (addEvent(0)) {
                return budget;
            }
        }
    }

  private:
    struct Event {
        unsigned done = 0;
        bool out = false;
    };

    bool addEvent(unsigned done) {
        const int here = int(events.size());
        unsigned eligible = 0;
        for (std::size_t task = 0; task < count; ++task) {
            eligible |= unsigned(startAt[task] < 0 && waitsFor[task] == done) << task;
        }
        for (unsigned starts = eligible;; starts = (starts - 1) & eligible) {
            mark(startAt, starts, here);
            events.push_back({done, starts != 0});
            const bool found = inTurn(starts, false) && extend();
            events.pop_back();
            mark(startAt, starts, -1);
            if (found || starts == 0) {
                return found;
            }
        }
    }

    bool extend() {
        const auto lacking = std::count_if(events.begin(), events.end(),
                                           [](const Event& event) { return !event.out; });
        if (lacking == 1 && !events.back().out &&
            std::all_of(endAt.begin(), endAt.end(), [](int end) { return end >= 0; })) {
            return true; // the last event is the finish
        }
        if (std::size_t(lacking) > budget - dummies || events.size() == count + budget + 1) {
            return false;
        }
        const int here = int(events.size());
        unsigned open = 0;
        for (std::size_t task = 0; task < count; ++task) {
            open |= unsigned(startAt[task] >= 0 && endAt[task] < 0) << task;
        }
        for (unsigned ends = open;; ends = (ends - 1) & open) {
            unsigned done = 0;
            unsigned from = 0; // the events the ending tasks start at
            bool parallel = false;
            for (std::size_t task = 0; task < count; ++task) {
                if (ends >> task & 1) {
                    const auto start = std::size_t(startAt[task]);
                    parallel = parallel || (from >> start & 1);
                    from |= 1u << start;
                    done |= events[start].done | 1u << task;
                }
            }
            mark(endAt, ends, here);
            const bool fits = !parallel && inTurn(ends, true);
            for (unsigned tails = 0; fits && tails < 1u << here; ++tails) {
                const auto added = std::size_t(std::popcount(tails));
                if ((tails & from) || (ends | tails) == 0 || added > budget - dummies) {
                    continue;
                }
                unsigned reached = done;
                const std::vector<Event> before = events;
                for (std::size_t event = 0; event < before.size(); ++event) {
                    reached |= tails >> event & 1 ? before[event].done : 0;
                    events[event].out = before[event].out || (tails | from) >> event & 1;
                }
                dummies += added;
                const bool found = addEvent(reached);
                dummies -= added;
                events = before;
                if (found) {
                    return true;
                }
            }
            mark(endAt, ends, -1);
            if (ends == 0) {
                return false;
            }
        }
    }

    // Sets the places of the tasks to `event`, or clears them with -1.
    void mark(std::vector<int>& places, unsigned tasks, int event) const {
        for (std::size_t task = 0; task < count; ++task) {
            places[task] = tasks >> task & 1 ? event : places[task];
        }
    }
    // Whether no task just started (or ended) went before its twin ahead.
    bool inTurn(unsigned tasks, bool ending) const {
        for (std::size_t task = 0; task < count; ++task) {
            const std::size_t twin = twinBefore[task];
            if (tasks >> task & 1 && twin < count &&
                (ending ? startAt[twin] == startAt[task] && endAt[twin] < 0 : startAt[twin] < 0)) {
                return false;
            }
        }
        return true;
    }

    std::size_t count;
    std::vector<unsigned> waitsFor; // directly or through others
    std::vector<std::size_t> twinBefore;
    std::size_t budget = 0;
    std::size_t dummies = 0;
    std::vector<Event> events;
    std::vector<int> startAt;
    std::vector<int> endAt;
};

} // namespace

class ImportTest : public QObject {
    Q_OBJECT

  private slots:
    // Random task lists, each as a network: precedence kept exactly, the
    // CPM length the list's own, node 1 the only start and the last node the
    // only finish, and no more dummies than the plain construction.
    void networksKeepThePrecedence() {
        std::mt19937 random(7);
        int checked = 0;
        for (int round = 0; round < 300; ++round) {
            const std::size_t count = 1 + random() % 45;
            const std::size_t linkChance = 20 + random() % 300; // in thousandths
            TaskList list;
            std::vector<Currency> finish(count);
            Currency length;
            for (std::size_t task = 0; task < count; ++task) {
                Task made;
                made.id = "t" + std::to_string(task);
                made.time = float(random() % 9) / 2;
                Currency start;
                for (std::size_t before = 0; before < task; ++before) {
                    if (random() % 1000 < linkChance) {
                        made.predecessors.push_back("t" + std::to_string(before));
                        start = std::max(start, finish[before]);
                    }
                }
                finish[task] = start + Currency::fromFloat(made.time);
                length = std::max(length, finish[task]);
                list.tasks.push_back(made);
            }
            std::vector<ImportWarning> warnings;
            Project project;
            try {
                project = projectOfTasks(list, warnings);
            } catch (const ImportError&) {
                continue; // more dummies than the tables hold
            }
            ++checked;
            const auto predecessors = predecessorsOf(list);
            QVERIFY(arrowNetworkOf(predecessors).dummyCount() <= plainDummyCount(predecessors));
            std::set<std::pair<long long, long long>> pairs;
            std::vector<int> ins(tableSlots), outs(tableSlots);
            for (int job = 1; job <= project.edgeCount; ++job) {
                const long long from = nodeSlot(project.edgeFrom[job]);
                const long long to = nodeSlot(project.edgeTo[job]);
                QVERIFY2(from < to && pairs.insert({from, to}).second, "order or pair");
                ++outs[static_cast<std::size_t>(from)];
                ++ins[static_cast<std::size_t>(to)];
            }
            for (int node = 1; node <= project.nodeCount; ++node) {
                QCOMPARE(ins[static_cast<std::size_t>(node)] == 0, node == 1);
                QCOMPARE(outs[static_cast<std::size_t>(node)] == 0, node == project.nodeCount);
            }
            const auto reach = reachOf(project);
            std::vector<std::vector<bool>> before(count, std::vector<bool>(count, false));
            for (std::size_t b = 0; b < count; ++b) {
                QCOMPARE(project.edgeWeight[int(b) + 1], list.tasks[b].time);
                for (const std::size_t a : predecessors[b]) {
                    before[b][a] = true;
                    std::transform(before[b].begin(), before[b].end(), before[a].begin(),
                                   before[b].begin(), std::logical_or<>());
                }
                const auto start = static_cast<std::size_t>(nodeSlot(project.edgeFrom[int(b) + 1]));
                for (std::size_t a = 0; a < count; ++a) {
                    const auto end = static_cast<std::size_t>(nodeSlot(project.edgeTo[int(a) + 1]));
                    QCOMPARE(end == start || reach[end][start], bool(before[b][a]));
                }
            }
            computeSchedule(project);
            QCOMPARE(project.earlyTime[project.nodeCount], length);
        }
        QVERIFY(checked > 280);
    }

    // Dummies only where an arrow network cannot do without: two tasks side
    // by side between the same events need one, a chain or a join none, four
    // side by side two (two events before them, two after).
    void dummiesWhereNeeded_data() {
        QTest::addColumn<QString>("csv");
        QTest::addColumn<int>("dummies");
        QTest::newRow("chain") << "id,duration,predecessors\na,1,\nb,1,a\nc,1,b\nd,1,c a" << 0;
        QTest::newRow("join") << "id,duration,predecessors\na,1,\nb,2,a\nc,1,\nd,1,b c" << 0;
        QTest::newRow("side by side") << "id,duration,predecessors\na,1,\nb,1," << 1;
        QTest::newRow("N") << "id,duration,predecessors\na,1,\nb,1,\nc,1,a\nd,1,a b" << 1;
        QTest::newRow("shared part") << "id,duration,predecessors\na,1,\nb,1,\nc,1,\n"
                                        "d,1,a b\ne,1,a b c\nf,1,d e"
                                     << 2;
        QTest::newRow("four side by side")
            << "id,duration,predecessors\na,1,\nb,1,\nc,1,\nd,1," << 2;
        QTest::newRow("two after one, two apart")
            << "id,duration,predecessors\na,1,\nb,1,\nc,1,b\nd,1,b\ne,1," << 1;
    }
    void dummiesWhereNeeded() {
        QFETCH(QString, csv);
        QFETCH(int, dummies);
        const std::string text = csv.toStdString();
        QCOMPARE(imported(text).edgeCount - int(readTaskCsv(text).tasks.size()), dummies);
    }

    // Random lists of up to five tasks: the network has the fewest dummies
    // that trying every network finds.
    void fewestDummiesUpToFive() {
        std::mt19937 random(11);
        for (int round = 0; round < 300; ++round) {
            std::vector<std::vector<std::size_t>> predecessors(1 + random() % 5);
            const auto linkChance = random() % 100;
            for (std::size_t task = 0; task < predecessors.size(); ++task) {
                for (std::size_t before = 0; before < task; ++before) {
                    if (random() % 100 < linkChance) {
                        predecessors[task].push_back(before);
                    }
                }
            }
            QCOMPARE(arrowNetworkOf(predecessors).dummyCount(), DummySearch(predecessors).fewest());
        }
    }

    // Every problem of a refused list, each with its line, in the order of
    // the lines; and whatever the size or shape of a list no project holds,
    // it is refused, not taken in for minutes or the stack overflowed (the
    // time is the benchmark's).
    void refusals_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QList<int>>("lines");
        QTest::addColumn<QString>("message");
        QString many = "id,duration\n", wrong = "id,duration\n";
        QString chain = "id,duration,predecessors\n";
        QList<int> twenty;
        for (int task = 1; task <= 101; ++task) {
            many += QString("%1,1\n").arg(task);
            const QString before = task > 1 ? QString::number(task - 1) : QString();
            chain += task > 100 ? QString() : QString("%1,1,%2\n").arg(task).arg(before);
        }
        for (int task = 1; task <= 30; ++task) {
            wrong += QString("%1,x\n").arg(task);
            twenty << task + 1;
        }
        twenty.resize(20);
        using Lines = QList<int>;
        QTest::newRow("no duration column")
            << "id,title\n1,Dig" << Lines{1} << "no \"duration\" column";
        QTest::newRow("misspelt column")
            << "Idd,duration\n1,2" << Lines{1, 1} << "column `Idd` was ignored; did you mean `id`?";
        QTest::newRow("quote never closed") << "id,duration,title\n1,2,\"Dig\n"
                                            << Lines{2} << "never closed";
        QTest::newRow("text after quote")
            << "id,duration\n1,\"2\"x" << Lines{2} << "follows the closing";
        QTest::newRow("duration unreadable")
            << "id,duration\n1,two" << Lines{2} << "\"two\" of task 1 is not";
        QTest::newRow("duration negative") << "id,duration\n1,1\n2,-1" << Lines{3} << "0 or more";
        QTest::newRow("delay negative") << "id,duration,delay\n1,1,-5" << Lines{2}
                                        << "the delay -5 of task 1 is not a number of 0";
        QTest::newRow("duration too long")
            << "id,duration\n1,1e30" << Lines{2} << "beyond what the schedule";
        QTest::newRow("some estimates")
            << "id,duration,optimistic,pessimistic\n1,2,1,3" << Lines{2} << "but not all";
        QTest::newRow("estimates out of order")
            << "id,duration,optimistic,most_likely,pessimistic\n1,2,3,2,1" << Lines{2}
            << "the optimistic time is above the most likely time";
        QTest::newRow("crash cost missing")
            << "id,duration,crash_time\n1,2,1" << Lines{2} << "crash_time and crash_cost go";
        QTest::newRow("crash time above duration")
            << "id,duration,crash_time,crash_cost\n1,2,3,9" << Lines{2}
            << "of task 1 cannot be used: the crash time 3 is not between";
        QTest::newRow("crash cost below amount")
            << "id,duration,amount,crash_time,crash_cost\n1,2,"
               "5,1,4"
            << Lines{2} << "the crash cost 4 is below the amount 5";
        QTest::newRow("payment unknown")
            << "id,duration,payment\n1,2,Pay later" << Lines{2} << "is none of 0 to 3";
        QTest::newRow("id twice") << "id,duration\n1,2\n\n1,3" << Lines{4} << "the other on line 2";
        QTest::newRow("no id") << "id,duration\n,2" << Lines{2} << "has no id";
        QTest::newRow("unknown predecessor")
            << "id,duration,predecessors\n1,2,9" << Lines{2} << "\"9\", which is no task";
        QTest::newRow("id with blanks parted") << "id,duration,predecessors\nTask 1,1,\nb,1,Task 1"
                                               << Lines{3, 3} << "the id \"Task 1\" has blanks";
        QTest::newRow("every problem of the rows")
            << "id,duration,delay\na,1,-5\nb,-2,\nc,x," << Lines{2, 3, 4} << "\"x\" of task c";
        QTest::newRow("every problem of the list") << "id,duration,predecessors\na,1,q\na,1,\nb,1,r"
                                                   << Lines{2, 3, 4} << "\"r\", which is no";
        QTest::newRow("twenty at most") << wrong << twenty << "\"x\" of task 20";
        QTest::newRow("circle") << "id;duration;predecessors\na;1;c\nb;1;a\nc;1;b" << Lines{2}
                                << "the tasks a, c, b wait for each other in a circle";
        QTest::newRow("waits for itself")
            << "id,duration,predecessors\na,1,a" << Lines{2} << "task a waits for itself";
        QTest::newRow("no task") << "\xEF\xBB\xBFid,duration\r\n" << Lines{0} << "holds no task";
        const QString beyond = "the list goes on past the 100 tasks a project holds";
        QTest::newRow("too many tasks") << many << Lines{102} << beyond;
        QTest::newRow("130000 chained")
            << QString::fromStdString(chainedTaskCsv(130000)) << Lines{102} << beyond;
        QTest::newRow("130000 chained, XML")
            << QString::fromStdString(chainedTaskXml(130000)) << Lines{102} << beyond;
        QTest::newRow("summary of 3000, 3000 linked")
            << QString::fromStdString(linkedSummaryXml(3000)) << Lines{103} << beyond;
        QTest::newRow("130000 inactive in a circle")
            << QString::fromStdString(inactiveCircleXml(130000)) << Lines{1002}
            << "the file goes on past 1000 tasks, summaries, inactive tasks and blank rows";
        QTest::newRow("inactive in a circle")
            << QString::fromStdString(inactiveCircleXml(2)) << Lines{2}
            << "task 1 waits for itself through summary or inactive tasks";
        QTest::newRow("too many dummies") << QString::fromStdString(crossedTaskCsv(12)) << Lines{0}
                                          << "at least 144 jobs, more than the 100";
        QTest::newRow("crossed 50 and 50") << QString::fromStdString(crossedTaskCsv(50)) << Lines{0}
                                           << "at least 2400 of them are dummies";
        QTest::newRow("too many events")
            << chain << Lines{0} << "needs 101 events, more than the 100";
    }
    void refusals() {
        QFETCH(QString, text);
        QFETCH(QList<int>, lines);
        QFETCH(QString, message);
        try {
            imported(text.toStdString());
            QFAIL("taken in");
        } catch (const ImportError& error) {
            QList<int> found;
            QString said;
            for (const ImportNote& problem : error.problems()) {
                found << problem.line;
                said += QString::fromStdString(problem.text) + '\n';
            }
            QCOMPARE(found, lines);
            QVERIFY2(said.contains(message), qPrintable(said));
        }
    }

    // A table from a spreadsheet where the comma is the decimal point, with
    // blanks around quoted fields, columns no one reads, and crash data the
    // tables cannot tell from none.
    void spreadsheetTable() {
        std::vector<ImportWarning> warnings;
        const Project project =
            imported("\xEF\xBB\xBF"
                     "Name;ID;Duration;Payment;Amount;Predecesor;Colour;Description;Crash_Time;"
                     "crash_cost\r\n"
                     " \"Pour the concrete slab\" ;s;2,5;pay at "
                     "end;-1200,5;x;red;  \"two\r\nlines; \"\"wet\"\"\";0;0\r\n",
                     &warnings);
        QCOMPARE(QString::fromStdString(project.jobTitle[1].text()), "Pour the concr");
        QCOMPARE(project.edgeWeight[1], 2.5f);
        QCOMPARE(project.jobPayMode[1], payAtEnd);
        QCOMPARE(project.jobAmount[1], Currency::fromDouble(-1200.5));
        QCOMPARE(QString::fromStdString(project.jobNotes[1]), "two\r\nlines; \"wet\"");
        QCOMPARE(warnings.size(), 4u);
        QCOMPARE(warnings[0].text, "column `Predecesor` was ignored; did you mean `predecessors`?");
        QCOMPARE(warnings[1].text, "column `Colour` was ignored");
        QVERIFY(warnings[2].line == 2 && warnings[2].text.ends_with("task s cannot be shortened"));
        QCOMPARE(warnings[3].line, 2);
    }

    // Each example out as a task list and in again: the same jobs with the
    // same schedule and money; the CSV keeps the delays apart and so every
    // listing line, MS Project XML folds them into the durations.
    void examplesComeBack_data() {
        QTest::addColumn<QString>("example");
        QTest::addColumn<bool>("csv");
        for (const char* name : {"demo", "house", "yard"}) {
            QTest::newRow(QByteArray(name) + " csv") << QString(name) << true;
            QTest::newRow(QByteArray(name) + " xml") << QString(name) << false;
        }
    }
    void examplesComeBack() {
        QFETCH(QString, example);
        QFETCH(bool, csv);
        Project project;
        QVERIFY(!loadProjectFile(ARROWPLAN_EXAMPLES "/" + example.toStdString() + ".cpm", project));
        computeSchedule(project);
        std::vector<ImportWarning> warnings;
        const TaskList out = tasksOfProject(project);
        Project back = projectOfTasks(csv ? readTaskCsv(writeTaskCsv(out))
                                          : readMsProjectXml(writeMsProjectXml(out, warnings)),
                                      warnings);
        computeSchedule(back);
        const auto jobs = listedJobs(project), backJobs = listedJobs(back);
        const auto lines = listingLines(project), backLines = listingLines(back);
        for (std::size_t task = 0; task < out.tasks.size(); ++task) {
            const auto job = std::size_t(std::stoi(out.tasks[task].id));
            const ListedJob& was = jobs[job - 1];
            const ListedJob& is = backJobs[task];
            QCOMPARE(is.earlyStart, was.earlyStart);
            QCOMPARE(is.lateFinish, was.lateFinish);
            QCOMPARE(is.slack, was.slack);
            QCOMPARE(is.critical, was.critical);
            QCOMPARE(is.amount, was.amount);
            if (csv) { // all but the node numbers
                QCOMPARE(backLines[task + 1].substr(5), lines[job].substr(5));
            }
        }
        if (csv) {
            QCOMPARE(weeklyCosts(back, {}).project.cost, weeklyCosts(project, {}).project.cost);
        }
    }

    // Projects out as task lists, and those in and out again: a titled
    // zero-time job is a milestone that the jobs after it wait for, a "..."
    // one a dummy; a negative delay comes off the time, and a job that would
    // take negative time stops the export.
    void projectsGoOut() {
        using testing::projectOf;
        struct Case {
            const char* name;
            Project project;
            std::vector<std::string> tasks; // title, time, delay, the titles waited for
            const char* refusal;
            std::size_t warned = 0; // what is changed or left out on the way
        };
        const Case cases[] = {
            {"milestone",
             projectOf(4, {{1, 2, 1, 0, 0, "Dig"},
                           {2, 3, 0, 0, 0, "Phase A done"},
                           {3, 4, 2, 0, 0, "Build"}}),
             {"Dig 1 0:", "Phase A done 0 0: Dig", "Build 2 0: Phase A done"},
             nullptr},
            {"dummy",
             projectOf(4, {{1, 2, 1, 0, 0, "Dig"},
                           {2, 3, 0, 0, 0, "..."},
                           {3, 4, 2, 0, 0, "Build"},
                           {1, 3, 0, 0, 0, "  "}}),
             {"Dig 1 0:", "Build 2 0: Dig"},
             nullptr},
            {"negative delay",
             projectOf(3, {{1, 2, 5, -3, 0, "Dig"}, {2, 3, 1, 0.5, 0, "Build"}}),
             {"Dig 2 0:", "Build 1 0.5: Dig"},
             nullptr,
             1},
            {"estimated",
             [] {
                 Project project = projectOf(3, {{1, 2, 4, 0, 0, "Dig"}, {2, 3, 1, 0, 0, "Pour"}});
                 setEstimate(project, 1, ThreePoint{2, 4, 7.5});
                 return project;
             }(),
             {"Dig 4 0 ~2/4/7.5:", "Pour 1 0: Dig"},
             nullptr},
            {"crashed",
             [] {
                 Project project = projectOf(
                     4,
                     {{1, 2, 4, 0, 100, "Dig"}, {2, 3, 1, 0, 0, "Pour"}, {3, 4, 2, 0, 0, "Cure"}});
                 project.jobCrashTime[1] = 2.5f;
                 project.jobCrashCost[1] = Currency::fromWhole(160);
                 project.jobCrashTime[2] = 0;
                 project.jobCrashCost[2] = Currency::fromWhole(30);
                 project.jobCrashTime[3] = 3; // above its time: left out
                 project.jobCrashCost[3] = Currency::fromWhole(10);
                 project.indirectCostPerWeek = Currency::fromWhole(50);
                 return project;
             }(),
             {"Dig 4 0 >2.5/160:", "Pour 1 0 >0/30: Dig", "Cure 2 0: Pour"},
             nullptr,
             2},
            {"negative time",
             projectOf(3, {{1, 2, 4, 0, 0, "Dig"}, {2, 3, 1, -3, 0, "Pour"}}),
             {},
             "job 2 (\"Pour\") takes -2 weeks"},
        };
        // MS Project XML folds the delays into the times, and has no place
        // for estimates or crash data.
        const auto described = [](const TaskList& list, bool folded) {
            std::vector<std::string> tasks;
            for (const Task& task : list.tasks) {
                const Currency delay = folded ? Currency() : task.delay;
                const Currency time = Currency::fromFloat(task.time) + task.delay - delay;
                std::string text = task.title + ' ' + plainText(time) + ' ' + plainText(delay);
                if (task.estimate && !folded) {
                    const auto& [o, m, p] = *task.estimate;
                    text += " ~" + plainText(static_cast<float>(o)) + '/' +
                            plainText(static_cast<float>(m)) + '/' +
                            plainText(static_cast<float>(p));
                }
                if (task.crash && !folded) {
                    text += " >" + plainText(task.crash->time) + '/' + plainText(task.crash->cost);
                }
                text += ':';
                for (const std::string& id : task.predecessors) {
                    const auto before = std::find_if(list.tasks.begin(), list.tasks.end(),
                                                     [&](const Task& t) { return t.id == id; });
                    text += ' ' + before->title;
                }
                tasks.push_back(text);
            }
            return tasks;
        };
        for (const Case& c : cases) {
            try {
                const TaskList out = tasksOfProject(c.project);
                QVERIFY2(c.refusal == nullptr, c.name);
                QVERIFY2(described(out, false) == c.tasks, c.name);
                QVERIFY2(out.warnings.size() == c.warned, c.name);
                std::vector<ImportWarning> warnings;
                const TaskList csv =
                    tasksOfProject(projectOfTasks(readTaskCsv(writeTaskCsv(out)), warnings));
                QVERIFY2(described(csv, false) == c.tasks, c.name);
                const TaskList xml = tasksOfProject(
                    projectOfTasks(readMsProjectXml(writeMsProjectXml(out, warnings)), warnings));
                QVERIFY2(described(xml, true) == described(out, true), c.name);
            } catch (const ExportError& error) {
                QVERIFY2(c.refusal != nullptr, error.what());
                QVERIFY2(QString(error.what()).contains(c.refusal), error.what());
            }
        }
    }

    // Tidy Layout moves the nodes of a drawn network, and only them.
    void tidyLayoutMovesOnlyNodes() {
        Project project;
        QVERIFY(!loadProjectFile(ARROWPLAN_EXAMPLES "/house.cpm", project));
        Project tidied = project;
        tidyLayout(tidied);
        QVERIFY(!(tidied.nodeX == project.nodeX));
        project.nodeX = tidied.nodeX;
        project.nodeY = tidied.nodeY;
        QVERIFY(tidied == project);
        for (int job = 1; job <= project.edgeCount; ++job) {
            QVERIFY(tidied.nodeX[int(nodeSlot(tidied.edgeFrom[job]))] <
                    tidied.nodeX[int(nodeSlot(tidied.edgeTo[job]))]);
        }
    }
};

QTEST_GUILESS_MAIN(ImportTest)
#include "import_test.moc"
