#include "crashing/crash_flow.h"

#include "model/currency.h"

#include <algorithm>
#include <deque>
#include <limits>

namespace arrowplan {

namespace {

constexpr int source = 0;
constexpr std::int64_t unreached = std::numeric_limits<std::int64_t>::min();

std::int64_t checkedSum(std::int64_t a, std::int64_t b) {
    std::int64_t sum = 0;
    if (__builtin_add_overflow(a, b, &sum)) {
        throw CurrencyOverflow("a path of the time-cost network is too long for a schedule");
    }
    return sum;
}

} // namespace

CrashFlow::CrashFlow(int events, const std::vector<FlowJob>& jobs)
    : finish_(events), out_(static_cast<std::size_t>(events) + 1) {
    // No event comes before the start: the schedule keeps every early time
    // at 0 or later, so the source reaches each event at no length.
    for (int event = 1; event <= events; ++event) {
        addArc(source, event, 0, 0, true);
    }
    for (const FlowJob& job : jobs) {
        if (job.crash < job.normal) {
            addArc(job.from, job.to, job.normal, job.costPerUnit, false);
        }
        addArc(job.from, job.to, job.crash, 0, true);
    }
}

void CrashFlow::addArc(int from, int to, std::int64_t length, Wide capacity, bool unbounded) {
    out_[static_cast<std::size_t>(from)].push_back(static_cast<int>(arcs_.size()));
    arcs_.push_back({from, to, length, capacity, unbounded});
    out_[static_cast<std::size_t>(to)].push_back(static_cast<int>(arcs_.size()));
    arcs_.push_back({to, from, -length, 0, false});
}

// Bellman and Ford's method with a queue of the events whose distance grew.
// The residual network never holds a cycle of positive length (each path
// sent was the longest), so it ends, and the arcs that last reached each
// event form a tree.
void CrashFlow::longestDistances(std::int64_t finishFrom) {
    distance_.assign(out_.size(), unreached);
    via_.assign(out_.size(), -1);
    std::vector<bool> queued(out_.size(), false);
    std::deque<int> queue;
    const auto reach = [&](int event, std::int64_t distance, int arc) {
        distance_[static_cast<std::size_t>(event)] = distance;
        via_[static_cast<std::size_t>(event)] = arc;
        if (!queued[static_cast<std::size_t>(event)]) {
            queued[static_cast<std::size_t>(event)] = true;
            queue.push_back(event);
        }
    };
    reach(source, 0, -1);
    if (finishFrom != unreached) {
        reach(finish_, finishFrom, -1);
    }
    while (!queue.empty()) {
        const int event = queue.front();
        queue.pop_front();
        queued[static_cast<std::size_t>(event)] = false;
        for (const int index : out_[static_cast<std::size_t>(event)]) {
            const Arc& arc = arcs_[static_cast<std::size_t>(index)];
            if (!open(arc)) {
                continue;
            }
            const std::int64_t distance =
                checkedSum(distance_[static_cast<std::size_t>(event)], arc.length);
            if (distance > distance_[static_cast<std::size_t>(arc.to)]) {
                reach(arc.to, distance, index);
            }
        }
    }
}

CrashFlow::Path CrashFlow::longestPath() {
    longestDistances(unreached);
    path_.clear();
    bool unbounded = true;
    for (int event = finish_; event != source;) {
        path_.push_back(via_[static_cast<std::size_t>(event)]);
        const Arc& arc = arcs_[static_cast<std::size_t>(path_.back())];
        unbounded = unbounded && arc.unbounded;
        event = arc.from;
    }
    return {distance_[static_cast<std::size_t>(finish_)], unbounded};
}

Wide CrashFlow::augment() {
    Wide amount = std::numeric_limits<Wide>::max();
    for (const int index : path_) {
        const Arc& arc = arcs_[static_cast<std::size_t>(index)];
        if (!arc.unbounded) {
            amount = std::min(amount, arc.residual);
        }
    }
    for (const int index : path_) {
        Arc& arc = arcs_[static_cast<std::size_t>(index)];
        if (!arc.unbounded) {
            arc.residual -= amount;
        }
        arcs_[static_cast<std::size_t>(index ^ 1)].residual += amount;
    }
    return amount;
}

std::vector<std::int64_t> CrashFlow::eventTimes(std::int64_t length) {
    longestDistances(length);
    return distance_;
}

} // namespace arrowplan
