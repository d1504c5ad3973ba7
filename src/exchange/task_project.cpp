#include "exchange/task_project.h"

#include "exchange/arrow_network.h"
#include "exchange/topological_order.h"
#include "model/number_text.h"
#include "model/utf8.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <numeric>
#include <sstream>

namespace arrowplan {

namespace {

std::string tableLimit(std::size_t count, const char* what) {
    return std::to_string(count) + " " + what + ", more than the " + std::to_string(maxItems) +
           " a project holds";
}

// The tasks of a circle of waiting, if there is one, each waiting for the
// next and the last for the first. Kahn's order leaves out just the tasks on
// a circle or behind one, and each of those waits for another left out, so
// walking back through them comes round.
std::vector<std::size_t> circleOf(const std::vector<std::vector<std::size_t>>& predecessors) {
    std::vector<std::pair<std::size_t, std::size_t>> links;
    for (std::size_t task = 0; task < predecessors.size(); ++task) {
        for (const std::size_t before : predecessors[task]) {
            links.emplace_back(before, task);
        }
    }
    std::vector<bool> ordered(predecessors.size(), false);
    for (const std::size_t task : topologicalOrder(predecessors.size(), links)) {
        ordered[task] = true;
    }
    const auto left = std::find(ordered.begin(), ordered.end(), false);
    if (left == ordered.end()) {
        return {};
    }
    std::vector<std::size_t> path;
    std::vector<bool> onPath(predecessors.size(), false);
    auto task = static_cast<std::size_t>(left - ordered.begin());
    while (!onPath[task]) {
        onPath[task] = true;
        path.push_back(task);
        task = *std::find_if(predecessors[task].begin(), predecessors[task].end(),
                             [&](std::size_t before) { return !ordered[before]; });
    }
    return {std::find(path.begin(), path.end(), task), path.end()};
}

// What to say of a predecessor that is no id when it is a word of an id with
// blanks: its list was parted at the blanks.
std::string blanksHint(const std::string& word, const std::map<std::string, std::size_t>& places) {
    for (const auto& [id, place] : places) {
        std::istringstream words(id);
        std::string part;
        while (id.find(' ') != std::string::npos && words >> part) {
            if (part == word) {
                return " (the id \"" + id + "\" has blanks, which part the predecessors unless " +
                       "they are listed with commas or semicolons)";
            }
        }
    }
    return {};
}

// The predecessors of every task by their places in the list, after the
// checks a task list must pass before it is a network.
std::vector<std::vector<std::size_t>> checkedPredecessors(const TaskList& list) {
    if (list.tasks.empty()) {
        throw ImportError(0, "the file holds no task");
    }
    const std::size_t counted = std::min(list.tasks.size(), std::size_t{maxItems} + 1);
    refuseTaskBeyondTables(counted, list.tasks[counted - 1].line);
    ImportProblems problems;
    std::map<std::string, std::size_t> places;
    for (std::size_t place = 0; place < list.tasks.size(); ++place) {
        const Task& task = list.tasks[place];
        const auto [known, added] = places.try_emplace(task.id, place);
        if (!added) {
            problems.add(task.line, "the id \"" + task.id + "\" is given to two tasks (the " +
                                        "other on line " +
                                        std::to_string(list.tasks[known->second].line) + ")");
        }
        if (!(task.time >= 0)) {
            problems.add(task.line, "the duration of task " + task.id + " is negative");
        } else if (task.delay < Currency()) {
            problems.add(task.line, "the delay of task " + task.id + " is negative");
        } else if (!fitsSchedule(task.time, task.delay)) {
            problems.add(task.line, "the duration of task " + task.id +
                                        " is beyond what the schedule can add up");
        }
    }
    std::vector<std::vector<std::size_t>> predecessors(list.tasks.size());
    for (std::size_t place = 0; place < list.tasks.size(); ++place) {
        const Task& task = list.tasks[place];
        for (const std::string& id : task.predecessors) {
            const auto known = places.find(id);
            if (known == places.end()) {
                problems.add(task.line, "task " + task.id + " waits for \"" + id +
                                            "\", which is no task of the file" +
                                            blanksHint(id, places));
            } else {
                predecessors[place].push_back(known->second);
            }
        }
    }
    problems.refuseAny();
    if (const auto circle = circleOf(predecessors); circle.size() == 1) {
        const Task& task = list.tasks[circle.front()];
        throw ImportError(task.line, "task " + task.id + " waits for itself");
    } else if (!circle.empty()) {
        std::string names;
        for (const std::size_t task : circle) {
            names += (names.empty() ? "" : ", ") + list.tasks[task].id;
        }
        throw ImportError(list.tasks[circle.front()].line,
                          "the tasks " + names + " wait for each other in a circle");
    }
    return predecessors;
}

// Event numbers in the order of the layout, left to right and top to
// bottom: since every arrow runs to the right, every job runs from a lower
// to a higher number, the start is 1 and the finish last.
std::vector<int> numbersByPlace(const std::vector<NodePlace>& places) {
    std::vector<std::size_t> order(places.size());
    std::iota(order.begin(), order.end(), std::size_t{0});
    std::sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
        return std::pair(places[a].x, places[a].y) < std::pair(places[b].x, places[b].y);
    });
    std::vector<int> number(places.size());
    for (std::size_t rank = 0; rank < order.size(); ++rank) {
        number[order[rank]] = static_cast<int>(rank) + 1;
    }
    return number;
}

// A zero-time job the user named is a milestone, which other planning tools
// keep as a task; the walk names a dummy "...".
bool isDummy(const Project& project, int job) {
    const std::string title = project.jobTitle[job].trimmed();
    return project.edgeWeight[job] == 0 && project.jobDelay[job] == Currency() &&
           project.jobAmount[job] == Currency() && project.jobNotes[job].empty() &&
           (title.empty() || title == "...");
}

// The jobs with both ends on the chart, as arrows between nodes 0..n-1,
// and their titles.
struct DrawnArrows {
    std::vector<std::pair<int, int>> arrows;
    std::vector<std::string> titles;
};

DrawnArrows drawnArrows(const Project& project) {
    DrawnArrows drawn;
    for (int job = 1; job <= project.edgeCount; ++job) {
        const long long from = nodeSlot(project.edgeFrom[job]);
        const long long to = nodeSlot(project.edgeTo[job]);
        if (from >= 1 && to > from && to <= project.nodeCount) {
            drawn.arrows.emplace_back(static_cast<int>(from) - 1, static_cast<int>(to) - 1);
            drawn.titles.push_back(project.jobTitle[job].text());
        }
    }
    return drawn;
}

} // namespace

Project projectOfTasks(const TaskList& list, std::vector<ImportWarning>& warnings) {
    const std::vector<std::vector<std::size_t>> predecessors = checkedPredecessors(list);
    if (const std::size_t least = leastJobCount(predecessors); least > std::size_t{maxItems}) {
        throw ImportError(0, "the arrow network needs at least " + tableLimit(least, "jobs") +
                                 "; at least " + std::to_string(least - predecessors.size()) +
                                 " of them are dummies");
    }
    const ArrowNetwork network = arrowNetworkOf(predecessors);
    if (network.jobs.size() > std::size_t{maxItems}) {
        throw ImportError(0, "the arrow network needs " + tableLimit(network.jobs.size(), "jobs") +
                                 "; " + std::to_string(network.dummyCount()) +
                                 " of them are dummies");
    }
    if (network.eventCount > std::size_t{maxItems}) {
        throw ImportError(0, "the arrow network needs " + tableLimit(network.eventCount, "events"));
    }
    const int jobCount = static_cast<int>(network.jobs.size());
    const int eventCount = static_cast<int>(network.eventCount);
    std::vector<std::pair<int, int>> arrows;
    std::vector<std::string> titles;
    for (const NetworkJob& job : network.jobs) {
        arrows.emplace_back(static_cast<int>(job.from), static_cast<int>(job.to));
        titles.push_back(job.task == NetworkJob::dummy
                             ? std::string()
                             : JobTitle(list.tasks[job.task].title).text());
    }
    const std::vector<NodePlace> places = layOutNetwork(eventCount, arrows, {}, titles);
    const std::vector<int> number = numbersByPlace(places);

    Project project;
    project.projectName = list.name;
    project.nodeCount = static_cast<std::int16_t>(eventCount);
    for (std::size_t event = 0; event < network.eventCount; ++event) {
        const int node = number[event];
        project.nodeX[node] = places[event].x;
        project.nodeY[node] = places[event].y;
        project.nodeNumber[node] = static_cast<float>(node);
    }
    // The tasks first, in the list's order, so the cards follow the file.
    std::vector<NetworkJob> jobs = network.jobs;
    std::stable_sort(jobs.begin(), jobs.end(), [](const NetworkJob& a, const NetworkJob& b) {
        return a.task < b.task; // a dummy's mark is the largest place
    });
    project.edgeCount = static_cast<std::int16_t>(jobCount);
    for (int job = 1; job <= jobCount; ++job) {
        const NetworkJob& made = jobs[static_cast<std::size_t>(job - 1)];
        project.edgeFrom[job] = Currency::fromWhole(number[made.from]);
        project.edgeTo[job] = Currency::fromWhole(number[made.to]);
        project.jobTitle[job] = JobTitle("");
        if (made.task == NetworkJob::dummy) {
            continue;
        }
        const Task& task = list.tasks[made.task];
        if (characterCount(task.title) > JobTitle::width) {
            warnings.push_back({task.line, "the title of task " + task.id + " is cut to " +
                                               std::to_string(JobTitle::width) + " characters"});
        }
        project.edgeWeight[job] = task.time;
        project.jobTitle[job] = JobTitle(task.title);
        project.jobDelay[job] = task.delay;
        project.jobAmount[job] = task.amount;
        project.jobPayMode[job] = task.payMode;
        project.jobNotes[job] = task.description;
        setEstimate(project, job, task.estimate);
        if (task.crash) {
            project.jobCrashTime[job] = task.crash->time;
            project.jobCrashCost[job] = task.crash->cost;
        }
    }
    return project;
}

std::optional<std::string> crashProblem(const Task& task, const Crash& crash) {
    if (!(crash.time >= 0 && crash.time <= task.time)) {
        return "the crash time " + plainText(crash.time) + " is not between 0 and the duration " +
               plainText(task.time);
    }
    if (crash.cost < task.amount) {
        return "the crash cost " + plainText(crash.cost) + " is below the amount " +
               plainText(task.amount);
    }
    return std::nullopt;
}

TaskList tasksOfProject(const Project& project) {
    TaskList list;
    list.name = project.projectName;
    if (project.indirectCostPerWeek != Currency()) {
        list.warnings.push_back(
            {0, "the indirect cost per week is left out: a task list has no place for it"});
    }
    for (int job = 1; job <= project.edgeCount; ++job) {
        if (isDummy(project, job)) {
            continue;
        }
        Task task;
        task.id = std::to_string(job);
        task.title = project.jobTitle[job].trimmed();
        task.time = project.edgeWeight[job];
        task.delay = project.jobDelay[job];
        if (task.delay < Currency()) {
            const Currency total = Currency::fromFloat(task.time) + task.delay;
            if (total < Currency()) {
                throw ExportError("job " + std::to_string(job) + " (\"" + task.title +
                                  "\") takes " + plainText(total) +
                                  " weeks with its delay; a task takes 0 or more");
            }
            list.warnings.push_back(
                {0, "the negative delay of job " + std::to_string(job) + " is taken off its time"});
            task.time = static_cast<float>(total.toDouble());
            task.delay = Currency();
        }
        task.amount = project.jobAmount[job];
        task.payMode = project.jobPayMode[job];
        task.description = project.jobNotes[job];
        task.estimate = estimateOf(project, job);
        if (hasCrashData(project, job)) {
            // The card may have changed the time or the amount since.
            const Crash crash{project.jobCrashTime[job], project.jobCrashCost[job]};
            if (const auto problem = crashProblem(task, crash)) {
                list.warnings.push_back({0, "the crash data of job " + std::to_string(job) +
                                                " is left out: " + *problem});
            } else {
                task.crash = crash;
            }
        }
        // The jobs that end where this one starts, or where a dummy leading
        // there starts, and so on back.
        std::vector<bool> reached(static_cast<std::size_t>(tableSlots), false);
        reached[static_cast<std::size_t>(nodeSlot(project.edgeFrom[job]))] = true;
        for (bool grew = true; grew;) {
            grew = false;
            for (int before = project.edgeCount; before >= 1; --before) {
                const long long end = nodeSlot(project.edgeTo[before]);
                if (!isSlot(end) || !reached[static_cast<std::size_t>(end)]) {
                    continue;
                }
                const std::string id = std::to_string(before);
                if (!isDummy(project, before)) {
                    if (std::find(task.predecessors.begin(), task.predecessors.end(), id) ==
                        task.predecessors.end()) {
                        task.predecessors.push_back(id);
                    }
                } else if (const long long start = nodeSlot(project.edgeFrom[before]);
                           isSlot(start) && !reached[static_cast<std::size_t>(start)]) {
                    reached[static_cast<std::size_t>(start)] = true;
                    grew = true;
                }
            }
        }
        std::sort(
            task.predecessors.begin(), task.predecessors.end(),
            [](const std::string& a, const std::string& b) { return std::stoi(a) < std::stoi(b); });
        list.tasks.push_back(std::move(task));
    }
    return list;
}

void tidyLayout(Project& project, const LayoutArea& area) {
    const DrawnArrows drawn = drawnArrows(project);
    const std::vector<NodePlace> places =
        layOutNetwork(project.nodeCount, drawn.arrows, area, drawn.titles);
    for (int node = 1; node <= project.nodeCount; ++node) {
        const NodePlace& place = places[static_cast<std::size_t>(node - 1)];
        project.nodeX[node] = place.x;
        project.nodeY[node] = place.y;
    }
}

} // namespace arrowplan
