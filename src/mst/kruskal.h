#pragma once

#include "model/project.h"

#include <string>
#include <vector>

namespace arrowplan {

// One job in the weight order: its own number and its ends and weight.
struct SortedJob {
    int job;
    Currency from;
    Currency to;
    float weight;
};

// The jobs in ascending order of weight by a bubble sort over a list of their
// own: equal weights keep their order, and the project's jobs stay where
// they are.
std::vector<SortedJob> sortByWeight(const Project& project);

// How a run numbers its subtrees: the first starts with every node outside
// any subtree and hands out new numbers from a counter that lives as long as
// the program; the second starts with every node in a subtree of its own.
enum class KruskalVariant { fromCounter, ownSubtrees };

// Kruskal's minimum spanning tree over the jobs, taken as undirected edges
// weighted by their expected times, one sorted job at a time. The window
// drives it: begin() examines the next job and says whether it went into the
// tree (the window then pauses and shows the tree so far); end() finishes that
// job, lists the subtree of every node and says whether the run is over. The
// run is over when every node shares node 1's subtree, when the jobs run out
// (a network that is not connected, or no jobs at all), or when the jobs or
// nodes changed under it.
class KruskalRun {
  public:
    KruskalRun(Project& project, KruskalVariant variant, int& subtreeCounter);

    bool begin();
    bool end();
    // The list box lines written since the last call.
    std::vector<std::string> takeLines();

  private:
    struct Graph {
        int nodes;
        std::vector<SortedJob> jobs;
        bool operator==(const Graph&) const;
    };
    Graph graphNow() const;
    bool stoppedByChange();
    int subtreeOf(const SortedJob& job, bool start) const;
    void relabel(std::int16_t from, std::int16_t to);
    void listSubtrees();
    bool allInOneSubtree() const;

    Project& project_;
    KruskalVariant variant_;
    int& subtreeCounter_;
    Graph graph_;
    Table<std::int16_t> nodeSubtree_;
    std::size_t next_ = 0;
    bool pendingNewSubtree_ = false;
    bool over_ = false;
    std::vector<std::string> lines_;
};

} // namespace arrowplan
