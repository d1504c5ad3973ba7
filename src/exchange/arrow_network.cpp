#include "exchange/arrow_network.h"

#include "exchange/fewest_dummies.h"
#include "exchange/topological_order.h"

#include <algorithm>
#include <cstdint>
#include <map>
#include <numeric>
#include <random>

namespace arrowplan {

namespace {

using Tasks = std::vector<std::size_t>;

// Up to this many tasks the merged network is only the bound of an exact
// search, which takes milliseconds there and grows fast beyond.
constexpr std::size_t searchedExactly = 8;
using TaskSet = Tasks; // sorted task places

// Which task waits for which, directly or through others.
TaskOrder waitingOf(const std::vector<std::vector<std::size_t>>& predecessors) {
    const std::size_t count = predecessors.size();
    std::vector<std::pair<std::size_t, std::size_t>> links;
    for (std::size_t task = 0; task < count; ++task) {
        for (const std::size_t before : predecessors[task]) {
            links.emplace_back(before, task);
        }
    }
    TaskOrder earlier(count, std::vector<bool>(count, false));
    for (const std::size_t task : topologicalOrder(count, links)) {
        for (const std::size_t before : predecessors[task]) {
            earlier[task][before] = true;
            for (std::size_t other = 0; other < count; ++other) {
                if (earlier[before][other]) {
                    earlier[task][other] = true;
                }
            }
        }
    }
    return earlier;
}

// Each task's direct predecessors: the links implied by others dropped, so
// that a chain A, B, C with C also after A waits for B alone.
std::vector<TaskSet> directPredecessors(const std::vector<std::vector<std::size_t>>& predecessors,
                                        const TaskOrder& earlier) {
    const std::size_t count = predecessors.size();
    std::vector<TaskSet> direct(count);
    for (std::size_t task = 0; task < count; ++task) {
        TaskSet set(predecessors[task].begin(), predecessors[task].end());
        std::sort(set.begin(), set.end());
        set.erase(std::unique(set.begin(), set.end()), set.end());
        std::erase_if(set, [&](std::size_t candidate) {
            return std::any_of(set.begin(), set.end(),
                               [&](std::size_t other) { return earlier[other][candidate]; });
        });
        direct[task] = std::move(set);
    }
    return direct;
}

// The events of the construction: one a distinct set of direct predecessors,
// the start (the empty set) first and the finish (the tasks nothing waits
// for) last.
struct EventSets {
    std::vector<TaskSet> sets;
    std::vector<std::size_t> startOf; // a task's start event
};

EventSets eventSets(const std::vector<TaskSet>& direct) {
    EventSets events;
    std::map<TaskSet, std::size_t> known;
    const auto eventOf = [&](const TaskSet& set) {
        const auto [place, added] = known.try_emplace(set, events.sets.size());
        if (added) {
            events.sets.push_back(set);
        }
        return place->second;
    };
    eventOf({});
    std::vector<bool> awaited(direct.size(), false);
    for (const TaskSet& set : direct) {
        events.startOf.push_back(eventOf(set));
        for (const std::size_t task : set) {
            awaited[task] = true;
        }
    }
    TaskSet last;
    for (std::size_t task = 0; task < direct.size(); ++task) {
        if (!awaited[task]) {
            last.push_back(task);
        }
    }
    events.sets.push_back(last); // never a task's own set: those tasks have followers
    return events;
}

// A network under reduction: merged events keep their places, jobs that
// merged away are no longer alive.
struct Graph {
    std::size_t nodes = 0;
    std::size_t start = 0;
    std::size_t finish = 0;
    std::vector<NetworkJob> jobs;
    std::vector<bool> alive;

    bool isDummy(std::size_t job) const {
        return alive[job] && jobs[job].task == NetworkJob::dummy;
    }

    // Whether merging the two ends of a dummy changes no precedence and
    // leaves one start, one finish and no two jobs on the same pair of
    // events. It changes none when the dummy is all that leaves its start
    // event, or all that reaches its end event: no path is made that did not
    // run through the dummy already.
    bool mayMerge(std::size_t dummy) const {
        const std::size_t from = jobs[dummy].from;
        const std::size_t to = jobs[dummy].to;
        bool onlyOut = true;
        bool onlyIn = true;
        std::vector<char> before(nodes, 0);
        std::vector<char> after(nodes, 0);
        bool hasIn = false;
        bool hasOut = false;
        for (std::size_t job = 0; job < jobs.size(); ++job) {
            if (!alive[job] || job == dummy) {
                continue;
            }
            const NetworkJob& j = jobs[job];
            onlyOut = onlyOut && j.from != from;
            onlyIn = onlyIn && j.to != to;
            if (j.to == from || j.to == to) {
                hasIn = true;
                if (++before[j.from] > 1) {
                    return false;
                }
            }
            if (j.from == from || j.from == to) {
                hasOut = true;
                if (++after[j.to] > 1) {
                    return false;
                }
            }
        }
        const bool keepsStart = !(from == start || to == start) || !hasIn;
        const bool keepsFinish = !(from == finish || to == finish) || !hasOut;
        return (onlyOut || onlyIn) && keepsStart && keepsFinish;
    }

    void merge(std::size_t dummy) {
        const std::size_t kept = jobs[dummy].from;
        const std::size_t gone = jobs[dummy].to;
        alive[dummy] = false;
        for (NetworkJob& job : jobs) {
            job.from = job.from == gone ? kept : job.from;
            job.to = job.to == gone ? kept : job.to;
        }
        start = start == gone ? kept : start;
        finish = finish == gone ? kept : finish;
    }

    // Merges dummies away, taking them in the given order, until none can
    // go. No dummy becomes redundant on the way: a merge makes no new path.
    void reduce(const std::vector<std::size_t>& order) {
        for (bool changed = true; changed;) {
            changed = false;
            for (const std::size_t dummy : order) {
                if (isDummy(dummy) && mayMerge(dummy)) {
                    merge(dummy);
                    changed = true;
                }
            }
        }
    }

    // The alive jobs on events numbered 0.. in the order of their places.
    ArrowNetwork network() const {
        constexpr std::size_t unnumbered = static_cast<std::size_t>(-1);
        std::vector<std::size_t> number(nodes, unnumbered);
        ArrowNetwork result;
        const auto numbered = [&](std::size_t node) {
            if (number[node] == unnumbered) {
                number[node] = result.eventCount++;
            }
            return number[node];
        };
        for (std::size_t node = 0; node < nodes; ++node) {
            const bool used = node == start || node == finish ||
                              std::any_of(jobs.begin(), jobs.end(), [&](const NetworkJob& job) {
                                  return job.from == node || job.to == node;
                              });
            if (used && number[node] == unnumbered) {
                numbered(node);
            }
        }
        for (std::size_t job = 0; job < jobs.size(); ++job) {
            if (alive[job]) {
                result.jobs.push_back(
                    {number[jobs[job].from], number[jobs[job].to], jobs[job].task});
            }
        }
        result.start = number[start];
        result.finish = number[finish];
        return result;
    }
};

// The network before any reduction: the events of the sets, an end event a
// task, and the dummies that make each set's event wait for its tasks. With
// `cover` an event also waits through the event of a smaller set inside its
// own, one dummy in place of several.
Graph startingGraph(const std::vector<TaskSet>& direct, const EventSets& events, bool cover) {
    const std::size_t taskCount = direct.size();
    const std::size_t eventCount = events.sets.size();
    Graph graph;
    graph.nodes = eventCount + taskCount;
    graph.start = 0;
    graph.finish = eventCount - 1;
    const auto endOf = [&](std::size_t task) { return eventCount + task; };
    for (std::size_t task = 0; task < taskCount; ++task) {
        graph.jobs.push_back({events.startOf[task], endOf(task), task});
    }
    for (std::size_t event = 1; event < eventCount; ++event) {
        const TaskSet& set = events.sets[event];
        TaskSet open = set;
        while (cover) {
            std::size_t best = 0;
            std::size_t bestCovered = 1;
            for (std::size_t smaller = 1; smaller < eventCount; ++smaller) {
                const TaskSet& part = events.sets[smaller];
                if (smaller == event || part.size() >= set.size() ||
                    !std::includes(set.begin(), set.end(), part.begin(), part.end())) {
                    continue;
                }
                TaskSet covered;
                std::set_intersection(open.begin(), open.end(), part.begin(), part.end(),
                                      std::back_inserter(covered));
                if (covered.size() > bestCovered) {
                    best = smaller;
                    bestCovered = covered.size();
                }
            }
            if (best == 0) {
                break;
            }
            graph.jobs.push_back({best, event, NetworkJob::dummy});
            TaskSet rest;
            std::set_difference(open.begin(), open.end(), events.sets[best].begin(),
                                events.sets[best].end(), std::back_inserter(rest));
            open = std::move(rest);
        }
        for (const std::size_t task : open) {
            graph.jobs.push_back({endOf(task), event, NetworkJob::dummy});
        }
    }
    graph.alive.assign(graph.jobs.size(), true);
    return graph;
}

// Fewest dummies is a hard problem; the reduction is greedy, so it is run
// with and without covering and with the dummies taken in several orders,
// and the network with the fewest dummies, then the fewest events, is kept.
ArrowNetwork mergedNetwork(const std::vector<TaskSet>& direct) {
    constexpr std::size_t shuffledOrders = 6;
    const EventSets events = eventSets(direct);
    ArrowNetwork best;
    bool found = false;
    std::minstd_rand random(1);
    for (const bool cover : {true, false}) {
        const Graph start = startingGraph(direct, events, cover);
        std::vector<std::size_t> order(start.jobs.size());
        std::iota(order.begin(), order.end(), std::size_t{0});
        for (std::size_t round = 0; round < shuffledOrders + 2; ++round) {
            if (round == 1) {
                std::reverse(order.begin(), order.end());
            } else if (round > 1) {
                for (std::size_t i = order.size(); i > 1; --i) {
                    std::swap(order[i - 1], order[random() % i]);
                }
            }
            Graph graph = start;
            graph.reduce(order);
            ArrowNetwork network = graph.network();
            const auto measure = [](const ArrowNetwork& n) {
                return std::pair(n.dummyCount(), n.eventCount);
            };
            if (!found || measure(network) < measure(best)) {
                best = std::move(network);
                found = true;
            }
        }
    }
    return best;
}

} // namespace

std::size_t ArrowNetwork::dummyCount() const {
    return static_cast<std::size_t>(
        std::count_if(jobs.begin(), jobs.end(),
                      [](const NetworkJob& job) { return job.task == NetworkJob::dummy; }));
}

ArrowNetwork arrowNetworkOf(const std::vector<std::vector<std::size_t>>& predecessors) {
    const TaskOrder after = waitingOf(predecessors);
    ArrowNetwork merged = mergedNetwork(directPredecessors(predecessors, after));
    if (predecessors.empty() || predecessors.size() > searchedExactly) {
        return merged;
    }
    return fewestDummyNetwork(after, merged);
}

// Every merge takes one dummy and one event away. The starting network has,
// besides the events every network of the list needs (one for each set of
// predecessors, and the finish), an end event for each task, so there are at
// most as many merges as tasks: its dummies are a floor for the jobs. Covering
// only ever starts with fewer dummies. The exact search may do better than
// merging, but a list it takes is far from the tables anyway.
std::size_t leastJobCount(const std::vector<std::vector<std::size_t>>& predecessors) {
    if (predecessors.size() <= searchedExactly) {
        return predecessors.size();
    }
    const std::vector<TaskSet> direct = directPredecessors(predecessors, waitingOf(predecessors));
    const Graph start = startingGraph(direct, eventSets(direct), true);
    return start.jobs.size() - direct.size();
}

std::size_t plainDummyCount(const std::vector<std::vector<std::size_t>>& predecessors) {
    const EventSets events = eventSets(directPredecessors(predecessors, waitingOf(predecessors)));
    std::size_t count = 0;
    for (const TaskSet& set : events.sets) {
        count += set.size();
    }
    return count;
}

} // namespace arrowplan
