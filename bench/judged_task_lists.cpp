#include "judged_task_lists.h"

#include <algorithm>
#include <iterator>
#include <random>

namespace arrowplan {

namespace {

// Each task's predecessors, as indices of earlier tasks.
using Shape = std::vector<std::vector<int>>;

// The standard library's distributions differ between implementations; a
// remainder of the engine's own numbers does not.
int below(std::mt19937& random, int n) {
    return static_cast<int>(random() % static_cast<unsigned>(n));
}

bool oneIn(std::mt19937& random, int n) {
    return below(random, n) == 0;
}

void addOnce(std::vector<int>& predecessors, int task) {
    if (std::find(predecessors.begin(), predecessors.end(), task) == predecessors.end()) {
        predecessors.push_back(task);
    }
}

// Each task after the one before it, and one in four also after one of the
// five before that.
Shape chainWithLinksAcross(std::mt19937& random, int tasks) {
    Shape shape(1);
    for (int i = 1; i < tasks; ++i) {
        shape.push_back({i - 1});
        if (i >= 2 && oneIn(random, 4)) {
            addOnce(shape.back(), std::max(0, i - 2 - below(random, 5)));
        }
    }
    return shape;
}

// From a task, three to six branches of one to three tasks each, which a
// single task joins; from that task the next fan, until the tasks are used.
Shape fansOutAndIn(std::mt19937& random, int tasks) {
    Shape shape(1);
    int hub = 0;
    while (static_cast<int>(shape.size()) < tasks) {
        std::vector<int> ends;
        for (int branches = 3 + below(random, 4); branches > 0; --branches) {
            int last = hub;
            for (int length = 1 + below(random, 3); length > 0; --length) {
                shape.push_back({last});
                last = static_cast<int>(shape.size()) - 1;
            }
            ends.push_back(last);
        }
        shape.push_back(ends);
        hub = static_cast<int>(shape.size()) - 1;
    }
    return shape;
}

// Layers of two to five tasks; each task after one or two of the layer
// before.
Shape layers(std::mt19937& random, int tasks) {
    Shape shape;
    std::vector<int> before;
    while (static_cast<int>(shape.size()) < tasks) {
        std::vector<int> layer;
        for (int width = 2 + below(random, 4); width > 0; --width) {
            std::vector<int> predecessors;
            if (!before.empty()) {
                for (int k = 1 + below(random, 2); k > 0; --k) {
                    addOnce(predecessors, before[static_cast<std::size_t>(
                                              below(random, static_cast<int>(before.size())))]);
                }
            }
            shape.push_back(predecessors);
            layer.push_back(static_cast<int>(shape.size()) - 1);
        }
        before = layer;
    }
    return shape;
}

// Each task after each of the five before it by the toss of a coin.
Shape dense(std::mt19937& random, int tasks) {
    Shape shape;
    for (int i = 0; i < tasks; ++i) {
        shape.emplace_back();
        for (int before = std::max(0, i - 5); before < i; ++before) {
            if (oneIn(random, 2)) {
                shape.back().push_back(before);
            }
        }
    }
    return shape;
}

// Two tasks in three after one earlier task; the rest start at once.
Shape sparse(std::mt19937& random, int tasks) {
    Shape shape(1);
    for (int i = 1; i < tasks; ++i) {
        shape.emplace_back();
        if (!oneIn(random, 3)) {
            shape.back().push_back(below(random, i));
        }
    }
    return shape;
}

// Four starting tasks; then groups of two to four tasks, each group after
// the same two or three earlier tasks.
Shape sharedPredecessorSets(std::mt19937& random, int tasks) {
    Shape shape(4);
    while (static_cast<int>(shape.size()) < tasks) {
        std::vector<int> predecessors;
        const int earlier = static_cast<int>(shape.size());
        for (int k = 2 + below(random, 2); k > 0; --k) {
            addOnce(predecessors, below(random, earlier));
        }
        for (int group = 2 + below(random, 3); group > 0; --group) {
            shape.push_back(predecessors);
        }
    }
    return shape;
}

Shape chainWithSideTasks() {
    Shape shape(1);
    for (int i = 1; i < 20; ++i) {
        shape.push_back({i - 1});
    }
    for (int i = 0; i < 18; ++i) {
        shape.push_back({i});
    }
    return shape;
}

// Titles of a building site's length, as real lists carry them; times of
// one to nine weeks.
TaskList taskListOf(const Shape& shape, std::mt19937& random) {
    static const char* const titles[] = {"Survey", "Order steel", "Pour footings", "Frame walls",
                                         "Wire",   "Plumb",       "Inspect",       "Roof",
                                         "Paint",  "Tile floors", "Fit kitchen",   "Clean up"};
    TaskList list;
    for (std::size_t i = 0; i < shape.size(); ++i) {
        Task task;
        task.id = "t" + std::to_string(i);
        task.title = titles[i % std::size(titles)];
        task.time = static_cast<float>(1 + below(random, 9));
        for (const int before : shape[i]) {
            task.predecessors.push_back("t" + std::to_string(before));
        }
        list.tasks.push_back(task);
    }
    return list;
}

} // namespace

std::vector<NamedTaskList> judgedTaskLists() {
    using Maker = Shape (*)(std::mt19937&, int);
    static const std::pair<const char*, Maker> shapes[] = {
        {"chain and links", chainWithLinksAcross},
        {"fans", fansOutAndIn},
        {"layers", layers},
        {"dense", dense},
        {"sparse", sparse},
        {"shared sets", sharedPredecessorSets}};
    std::vector<NamedTaskList> lists;
    // Each list its own seed, its place in the set.
    const auto seed = [&] { return static_cast<unsigned>(lists.size()) + 1; };
    for (const auto& [name, make] : shapes) {
        for (int each = 1; each <= 4; ++each) {
            std::mt19937 random(seed());
            const int tasks = 12 + below(random, 29);
            // A shape grows a fan or a layer at a time; the cut ends some
            // tasks at the finish.
            Shape shape = make(random, tasks);
            shape.resize(static_cast<std::size_t>(tasks));
            lists.push_back(
                {std::string(name) + " " + std::to_string(each), taskListOf(shape, random)});
        }
    }
    std::mt19937 random(seed());
    lists.push_back({"three independent", taskListOf(Shape(3), random)});
    lists.push_back({"chain and side tasks", taskListOf(chainWithSideTasks(), random)});
    return lists;
}

} // namespace arrowplan
