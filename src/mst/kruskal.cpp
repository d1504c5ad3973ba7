#include "mst/kruskal.h"

#include "model/number_text.h"

namespace arrowplan {

namespace {

const char* const firstRunTitle = "Kruskals algorithm1";
const char* const secondRunTitle = "Kruskals algorithm2";
const char* const sortTitle = "Bubble Sort of Weights";
const char* const sortHeading = "Start End Weight";
const char* const subtreeHeading = "Node #Subtree";
const char* const changedProject = "The run stopped: the jobs or nodes changed.";

} // namespace

std::vector<SortedJob> sortByWeight(const Project& project) {
    std::vector<SortedJob> jobs;
    for (int j = 1; j <= project.edgeCount; ++j) {
        jobs.push_back({j, project.edgeFrom[j], project.edgeTo[j], project.edgeWeight[j]});
    }
    // Every pass runs over the whole list; only a strictly heavier job moves.
    for (std::size_t pass = 0; pass < jobs.size(); ++pass) {
        for (std::size_t j = 0; j + 1 < jobs.size(); ++j) {
            if (jobs[j].weight > jobs[j + 1].weight) {
                std::swap(jobs[j], jobs[j + 1]);
            }
        }
    }
    return jobs;
}

bool KruskalRun::Graph::operator==(const Graph& other) const {
    if (nodes != other.nodes || jobs.size() != other.jobs.size()) {
        return false;
    }
    for (std::size_t i = 0; i < jobs.size(); ++i) {
        if (jobs[i].job != other.jobs[i].job || jobs[i].from != other.jobs[i].from ||
            jobs[i].to != other.jobs[i].to || jobs[i].weight != other.jobs[i].weight) {
            return false;
        }
    }
    return true;
}

KruskalRun::KruskalRun(Project& project, KruskalVariant variant, int& subtreeCounter)
    : project_(project), variant_(variant), subtreeCounter_(subtreeCounter), graph_(graphNow()) {
    lines_.push_back(variant == KruskalVariant::fromCounter ? firstRunTitle : secondRunTitle);
    lines_.push_back(sortTitle);
    lines_.push_back(sortHeading);
    for (const SortedJob& job : graph_.jobs) {
        lines_.push_back(rightAligned(plainText(job.from), 4) + " " +
                         rightAligned(plainText(job.to), 4) + " " +
                         rightAligned(plainText(job.weight), 4));
    }
    project_.edgeInTree.fill(0);
    for (int n = 1; n <= project_.nodeCount; ++n) {
        nodeSubtree_[n] = variant == KruskalVariant::fromCounter ? 0 : static_cast<std::int16_t>(n);
    }
}

KruskalRun::Graph KruskalRun::graphNow() const {
    return {project_.nodeCount, sortByWeight(project_)};
}

int KruskalRun::subtreeOf(const SortedJob& job, bool start) const {
    return nodeSubtree_[nodeSlot(start ? job.from : job.to)];
}

void KruskalRun::relabel(std::int16_t from, std::int16_t to) {
    for (int m = 1; m <= project_.nodeCount; ++m) {
        if (nodeSubtree_[m] == from) {
            nodeSubtree_[m] = to;
        }
    }
}

// A run walks the network it started on; any change to it ends the run.
bool KruskalRun::stoppedByChange() {
    if (!over_ && !(graphNow() == graph_)) {
        lines_.push_back(changedProject);
        over_ = true;
    }
    return over_;
}

bool KruskalRun::begin() {
    if (stoppedByChange() || next_ >= graph_.jobs.size()) {
        over_ = true;
        return false;
    }
    const SortedJob& job = graph_.jobs[next_];
    const auto a = static_cast<std::int16_t>(subtreeOf(job, true));
    const auto b = static_cast<std::int16_t>(subtreeOf(job, false));
    if (variant_ == KruskalVariant::fromCounter) {
        if (a == 0 && b == 0) {
            // The two nodes get their new number only after the pause.
            ++subtreeCounter_;
            pendingNewSubtree_ = true;
        } else if (a == 0 || b == 0) {
            nodeSubtree_[nodeSlot(a == 0 ? job.from : job.to)] = a == 0 ? b : a;
        } else if (a != b) {
            relabel(a, b); // the start node's subtree joins the end node's
        } else {
            return false; // both in one subtree: the job would close a cycle
        }
    } else if (a != b) {
        relabel(a, b);
    } else {
        return false;
    }
    project_.edgeInTree[job.job] = 1;
    return true;
}

bool KruskalRun::end() {
    if (stoppedByChange()) {
        return true;
    }
    const SortedJob& job = graph_.jobs[next_++];
    if (pendingNewSubtree_) {
        pendingNewSubtree_ = false;
        const auto subtree = static_cast<std::int16_t>(subtreeCounter_);
        nodeSubtree_[nodeSlot(job.from)] = subtree;
        nodeSubtree_[nodeSlot(job.to)] = subtree;
    }
    listSubtrees();
    over_ = allInOneSubtree() || next_ >= graph_.jobs.size();
    return over_;
}

void KruskalRun::listSubtrees() {
    lines_.push_back(subtreeHeading);
    for (int n = 1; n <= project_.nodeCount; ++n) {
        lines_.push_back(rightAligned(plainText(n), 4) +
                         rightAligned(plainText(nodeSubtree_[n]), 3));
    }
}

bool KruskalRun::allInOneSubtree() const {
    for (int n = 1; n <= project_.nodeCount; ++n) {
        if (nodeSubtree_[n] != nodeSubtree_[1]) {
            return false;
        }
    }
    return true;
}

std::vector<std::string> KruskalRun::takeLines() {
    std::vector<std::string> taken;
    taken.swap(lines_);
    return taken;
}

} // namespace arrowplan
