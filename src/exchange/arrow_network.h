#pragma once

#include <cstddef>
#include <vector>

namespace arrowplan {

// An activity-on-arrow network made from a task list: events 0..eventCount-1
// joined by one job a task and by dummy jobs where the precedence needs them.
struct NetworkJob {
    static constexpr std::size_t dummy = static_cast<std::size_t>(-1);

    std::size_t from = 0;
    std::size_t to = 0;
    std::size_t task = dummy; // the task's place in its list
    bool operator==(const NetworkJob&) const = default;
};

struct ArrowNetwork {
    std::size_t eventCount = 0;
    std::size_t start = 0;  // the only event without incoming jobs
    std::size_t finish = 0; // the only event without outgoing jobs
    std::vector<NetworkJob> jobs;

    std::size_t dummyCount() const;
};

// The network of tasks 0..n-1 given each task's predecessors, an acyclic
// relation. A task starts at an event that exactly the tasks it waits for,
// directly or through others, reach; no two jobs join the same pair of events.
// Up to 8 tasks it has the fewest dummies any such network has, and then the
// fewest events; beyond, the best of a greedy merging: few, not always fewest.
ArrowNetwork arrowNetworkOf(const std::vector<std::vector<std::size_t>>& predecessors);

// A count of jobs the network above cannot come under, found before any
// dummy is merged away: merging, the costly part, is not worth starting when
// the count is already beyond the tables.
std::size_t leastJobCount(const std::vector<std::vector<std::size_t>>& predecessors);

// The dummies of the plain construction, one event a distinct set of direct
// predecessors and one end event a task, before any dummy is merged away:
// the yardstick the network above is measured against.
std::size_t plainDummyCount(const std::vector<std::vector<std::size_t>>& predecessors);

} // namespace arrowplan
