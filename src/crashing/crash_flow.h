#pragma once

#include <cstdint>
#include <vector>

namespace arrowplan {

// The flow's capacities: costs per unit of time saved as fixed-point numbers,
// with room for a hundred of them added up.
__extension__ using Wide = __int128;

// A job as the flow sees it: its events (1 the start, the last the finish)
// and its durations in ten-thousandths of a week, at its expected time and at
// its crash time (the same for a job that cannot be shortened), and what a
// unit of time saved costs, scaled, above 0 where it can be shortened.
struct FlowJob {
    int from = 0;
    int to = 0;
    std::int64_t normal = 0;
    std::int64_t crash = 0;
    Wide costPerUnit = 0;
};

// Fulkerson's network for the least-cost curve. The least direct cost C(T)
// of a project length T is a linear programme whose dual is a flow from a
// source joined to every event to the finish: a job passes up to its cost
// per unit saved at its normal duration and any more at its crash duration,
// and each unit of flow earns the duration of the arcs it passes minus T. So
// C(T) = max over flows v of (G(v) - T v), where G, the most a flow of v can
// earn, is traced by sending flow along the longest path left in the
// residual network, one path after the other. The lengths of those paths
// are the break points of the curve. At any T, once every path longer than
// T carries its flow, the longest distances from the source, the finish held
// at T or later, are the event times of a least-cost plan, the earliest of
// them.
class CrashFlow {
  public:
    CrashFlow(int events, const std::vector<FlowJob>& jobs);

    // The longest path from the source to the finish the residual network
    // holds now, and whether every arc of it is unbounded, so that the
    // finish can come no earlier than its length.
    struct Path {
        std::int64_t length = 0;
        bool unbounded = false;
    };
    Path longestPath();

    // Sends as much flow as fits along the path longestPath found last,
    // which must be bounded, and gives how much that is: what the cost of a
    // unit of time saved, scaled, grows by below the path's length.
    Wide augment();

    // The earliest event times, 0 for the source and then 1..events, of a
    // plan that finishes at length at the least cost, for a length no longer
    // than the last path augmented and no shorter than the longest left.
    std::vector<std::int64_t> eventTimes(std::int64_t length);

  private:
    struct Arc {
        int from = 0;
        int to = 0;
        std::int64_t length = 0;
        Wide residual = 0;
        bool unbounded = false;
    };

    void addArc(int from, int to, std::int64_t length, Wide capacity, bool unbounded);
    bool open(const Arc& arc) const { return arc.unbounded || arc.residual > 0; }
    // The longest distances from the source, the finish at least finishFrom.
    void longestDistances(std::int64_t finishFrom);

    int finish_;
    std::vector<Arc> arcs_; // each arc beside its reverse: index ^ 1
    std::vector<std::vector<int>> out_;
    std::vector<std::int64_t> distance_;
    std::vector<int> via_;  // the arc each event was last reached by
    std::vector<int> path_; // the arcs of the path longestPath found last
};

} // namespace arrowplan
