// Laying out a network of the tables' size, as Tidy Layout does, and
// converting a task list into a laid-out project, as Import does; the target
// is under 20 ms for each, and under a second for a crowded list whose arrows
// must be annealed clear of the nodes. And proving the fewest dummies of a
// list of eight tasks, under 100 ms.

#include "exchange/network_layout.h"
#include "exchange/arrow_network.h"
#include "exchange/task_project.h"
#include "judged_task_lists.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <random>
#include <string>
#include <utility>
#include <vector>

using namespace arrowplan;

namespace {

using Arrows = std::vector<std::pair<int, int>>;

constexpr int nodes = 100;

// 100 different arrows between random pairs, each from the lower number to
// the higher, from a fixed seed so that every run lays out the same network.
Arrows randomNetwork() {
    std::mt19937 random(1);
    Arrows arrows;
    while (arrows.size() < 100) {
        const int a = static_cast<int>(random() % nodes);
        const int b = static_cast<int>(random() % nodes);
        const std::pair<int, int> arrow(std::min(a, b), std::max(a, b));
        if (a != b && std::find(arrows.begin(), arrows.end(), arrow) == arrows.end()) {
            arrows.push_back(arrow);
        }
    }
    return arrows;
}

Arrows chain() {
    Arrows arrows;
    for (int n = 1; n < nodes; ++n) {
        arrows.emplace_back(n - 1, n);
    }
    return arrows;
}

void layOut(benchmark::State& state, const Arrows& arrows) {
    for (auto _ : state) {
        benchmark::DoNotOptimize(layOutNetwork(nodes, arrows));
    }
}
BENCHMARK_CAPTURE(layOut, random100Arrows, randomNetwork())->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(layOut, chainOf100, chain())->Unit(benchmark::kMillisecond);

// A task list of 100 tasks as another tool would export a network of 60
// events and 100 jobs: a chain through every event and 41 jobs that skip
// ahead, so it comes back without a dummy.
TaskList exportedNetwork() {
    std::mt19937 random(2);
    Arrows arrows = chain();
    arrows.resize(59);
    while (arrows.size() < 100) {
        const int a = static_cast<int>(random() % 58);
        const auto skip = static_cast<int>(random() % static_cast<unsigned>(58 - a));
        const std::pair<int, int> arrow(a, a + 2 + skip);
        if (std::find(arrows.begin(), arrows.end(), arrow) == arrows.end()) {
            arrows.push_back(arrow);
        }
    }
    TaskList list;
    for (std::size_t job = 0; job < arrows.size(); ++job) {
        Task task;
        task.id = std::to_string(job);
        task.time = static_cast<float>(random() % 5);
        for (std::size_t before = 0; before < arrows.size(); ++before) {
            if (arrows[before].second == arrows[job].first) {
                task.predecessors.push_back(std::to_string(before));
            }
        }
        list.tasks.push_back(task);
    }
    return list;
}

// 45 tasks that each wait for some of the eight before them: 29 dummies.
TaskList tangledTasks() {
    std::mt19937 random(3);
    TaskList list;
    for (int place = 0; place < 45; ++place) {
        Task task;
        task.id = std::to_string(place);
        task.time = static_cast<float>(1 + random() % 5);
        for (int before = std::max(0, place - 8); before < place; ++before) {
            if (random() % 4 == 0) {
                task.predecessors.push_back(std::to_string(before));
            }
        }
        list.tasks.push_back(task);
    }
    return list;
}

void convert(benchmark::State& state, const TaskList& list) {
    std::vector<ImportWarning> warnings;
    for (auto _ : state) {
        benchmark::DoNotOptimize(projectOfTasks(list, warnings));
    }
}
BENCHMARK_CAPTURE(convert, exported100Tasks, exportedNetwork())->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(convert, tangled45Tasks, tangledTasks())->Unit(benchmark::kMillisecond);

// The judged lists whose arrows are hardest to clear of the nodes: 32
// tasks, most of them side by side between one start and one finish, and 39
// tasks in groups that share their predecessors.
TaskList judgedList(const std::string& name) {
    for (const NamedTaskList& judged : judgedTaskLists()) {
        if (judged.name == name) {
            return judged.list;
        }
    }
    return {};
}
BENCHMARK_CAPTURE(convert, crowded32Tasks, judgedList("sparse 2"))->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(convert, sharedSets39Tasks, judgedList("shared sets 3"))
    ->Unit(benchmark::kMillisecond);

using Predecessors = std::vector<std::vector<std::size_t>>;

// Four tasks and four more, each after all of the first four but one: 12
// dummies.
Predecessors crossedFour() {
    Predecessors predecessors(8);
    for (std::size_t first = 0; first < 4; ++first) {
        for (std::size_t second = 0; second < 4; ++second) {
            if (first != second) {
                predecessors[4 + second].push_back(first);
            }
        }
    }
    return predecessors;
}

// The lists of eight tasks the search takes longest over: eight side by
// side, the crossing above, and the slowest of all 16999 ways eight tasks can
// wait for each other (5 dummies).
void fewestDummies(benchmark::State& state, const Predecessors& predecessors) {
    for (auto _ : state) {
        benchmark::DoNotOptimize(arrowNetworkOf(predecessors));
    }
}
BENCHMARK_CAPTURE(fewestDummies, eightApart, Predecessors(8))->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(fewestDummies, crossedFour, crossedFour())->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(fewestDummies, slowestOrder,
                  Predecessors{{}, {}, {}, {2}, {2}, {2}, {0, 1}, {0, 1, 2}})
    ->Unit(benchmark::kMillisecond);

} // namespace
