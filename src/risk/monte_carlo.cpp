#include "risk/monte_carlo.h"

#include "risk/network_passes.h"
#include "risk/sampling.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <limits>
#include <span>
#include <thread>

namespace arrowplan {

namespace {

using Arc = NetworkPasses::Arc;

std::size_t uz(int count) {
    return static_cast<std::size_t>(count);
}

// What one block adds up. Each block keeps its own, and they are added in
// block order at the end: sums of doubles depend on their order, and this
// one does not depend on which thread did which block.
struct BlockSums {
    std::vector<int> criticalRuns;  // per job
    std::vector<double> pathEnds;   // per job: its early start plus its duration
    std::vector<double> eventTimes; // per merge event: its early time
};

// One thread's scratch space, sized before the threads start so that they
// never allocate.
struct Workspace {
    std::vector<double> durations;
    std::vector<double> early;
    std::vector<double> late;
};

struct MergeEvent {
    std::size_t node;
    std::vector<Arc> incoming;
};

// The network made ready for many runs, shared by every thread and only read.
class Simulation {
  public:
    Simulation(const RiskNetwork& network, const MonteCarloOptions& options)
        : passes_(network), seed_(options.seed), runs_(options.runs) {
        std::vector<std::vector<Arc>> incoming(passes_.finishNode() + 1);
        for (const Arc& arc : passes_.byEnd()) {
            incoming[arc.to].push_back(arc);
        }
        for (std::size_t k = 0; k < network.jobs.size(); ++k) {
            const RiskJob& job = network.jobs[k];
            fixedDurations_.push_back(job.duration);
            if (job.estimate) {
                estimated_.push_back(
                    {k, job.delay, EstimateSampler(*job.estimate, options.distribution)});
            }
        }
        for (std::size_t node = 1; node < incoming.size(); ++node) {
            if (incoming[node].size() >= 2) {
                merges_.push_back({node, incoming[node]});
            }
        }
    }

    int blockCount() const { return (runs_ + runsPerBlock - 1) / runsPerBlock; }
    int runsOf(int block) const { return std::min(runsPerBlock, runs_ - block * runsPerBlock); }
    const std::vector<MergeEvent>& merges() const { return merges_; }
    double tolerance() const { return passes_.tolerance(); }

    Workspace workspace() const {
        const std::size_t nodes = passes_.finishNode() + 1;
        return {fixedDurations_, std::vector<double>(nodes), std::vector<double>(nodes)};
    }
    BlockSums blockSums() const {
        return {std::vector<int>(fixedDurations_.size()),
                std::vector<double>(fixedDurations_.size()), std::vector<double>(merges_.size())};
    }

    void runBlock(int block, Workspace& work, BlockSums& sums, std::span<double> finishes) const {
        RandomSource random(blockSeed(seed_, static_cast<std::uint64_t>(block)));
        const std::size_t first = uz(block * runsPerBlock);
        for (std::size_t run = first; run < first + uz(runsOf(block)); ++run) {
            for (const Estimated& job : estimated_) {
                work.durations[job.job] = job.sampler.draw(random) + job.delay;
            }
            passes_.forward(work.durations, work.early);
            finishes[run] = work.early[passes_.finishNode()];
            passes_.backward(work.durations, work.early, work.late);
            for (const Arc& arc : passes_.byEnd()) {
                if (passes_.critical(arc, work.durations, work.early, work.late)) {
                    ++sums.criticalRuns[arc.job];
                }
            }
            for (std::size_t k = 0; k < merges_.size(); ++k) {
                sums.eventTimes[k] += work.early[merges_[k].node];
                for (const Arc& arc : merges_[k].incoming) {
                    sums.pathEnds[arc.job] += work.early[arc.from] + work.durations[arc.job];
                }
            }
        }
    }

  private:
    struct Estimated {
        std::size_t job;
        double delay;
        EstimateSampler sampler;
    };

    NetworkPasses passes_;
    std::uint64_t seed_;
    int runs_;
    std::vector<double> fixedDurations_;
    std::vector<Estimated> estimated_;
    std::vector<MergeEvent> merges_;
};

unsigned threadCount(unsigned asked, int blocks) {
    const unsigned wanted = asked > 0 ? asked : std::max(1u, std::thread::hardware_concurrency());
    return std::min(wanted, static_cast<unsigned>(blocks));
}

// Runs every block on the threads, each taking the next block not yet
// taken; true when all were done before a cancel.
bool runBlocks(const Simulation& simulation, unsigned threads, std::span<double> finishes,
               std::vector<BlockSums>& sums, RunControl* control) {
    const int blocks = simulation.blockCount();
    std::vector<Workspace> workspaces(threads, simulation.workspace());
    std::atomic<int> nextBlock{0};
    std::atomic<int> blocksDone{0};
    const auto work = [&](Workspace& workspace) {
        while (!(control && control->cancel.load())) {
            const int block = nextBlock.fetch_add(1);
            if (block >= blocks) {
                return;
            }
            simulation.runBlock(block, workspace, sums[uz(block)], finishes);
            blocksDone.fetch_add(1);
            if (control) {
                control->runsDone.fetch_add(simulation.runsOf(block));
            }
        }
    };
    {
        std::vector<std::jthread> helpers;
        for (unsigned t = 1; t < threads; ++t) {
            helpers.emplace_back(work, std::ref(workspaces[t]));
        }
        work(workspaces[0]);
    }
    return blocksDone.load() == blocks;
}

// The mean and standard deviation (summed in run order), the percentiles
// and the chance by the week. A finish within the passes' rounding of the
// week counts as by it, as a slack that close to zero counts as none.
void addFinishFigures(MonteCarloResult& result, std::vector<double> finishes,
                      std::optional<double> byWeek, double tolerance) {
    const double runs = static_cast<double>(finishes.size());
    result.runs = static_cast<int>(finishes.size());
    double total = 0;
    for (const double finish : finishes) {
        total += finish;
    }
    result.mean = total / runs;
    double squares = 0;
    for (const double finish : finishes) {
        squares += (finish - result.mean) * (finish - result.mean);
    }
    result.sigma = std::sqrt(squares / runs);
    std::sort(finishes.begin(), finishes.end());
    result.percentiles = {finishPercentile(finishes, 10), finishPercentile(finishes, 50),
                          finishPercentile(finishes, 80), finishPercentile(finishes, 90),
                          finishPercentile(finishes, 95)};
    if (byWeek) {
        const auto done = std::upper_bound(finishes.begin(), finishes.end(), *byWeek + tolerance);
        result.chanceByWeek = static_cast<double>(done - finishes.begin()) / runs;
    }
    result.sortedFinishes = std::move(finishes);
}

BlockSums addedInBlockOrder(const std::vector<BlockSums>& blocks, BlockSums totals) {
    for (const BlockSums& block : blocks) {
        for (std::size_t k = 0; k < block.criticalRuns.size(); ++k) {
            totals.criticalRuns[k] += block.criticalRuns[k];
            totals.pathEnds[k] += block.pathEnds[k];
        }
        for (std::size_t k = 0; k < block.eventTimes.size(); ++k) {
            totals.eventTimes[k] += block.eventTimes[k];
        }
    }
    return totals;
}

} // namespace

std::optional<MonteCarloResult>
runMonteCarlo(const RiskNetwork& network, const MonteCarloOptions& options, RunControl* control) {
    if (options.runs < 1 || options.runs > maxRuns) {
        throw RiskError("the number of runs must be from 1 to 1000000");
    }
    checkWeek(options.byWeek);
    const Simulation simulation(network, options);
    if (control) {
        control->runsDone = 0;
    }
    const int blocks = simulation.blockCount();
    std::vector<double> finishes(uz(options.runs));
    std::vector<BlockSums> sums(uz(blocks), simulation.blockSums());
    if (!runBlocks(simulation, threadCount(options.threads, blocks), finishes, sums, control)) {
        return std::nullopt;
    }

    MonteCarloResult result;
    addFinishFigures(result, std::move(finishes), options.byWeek, simulation.tolerance());
    const BlockSums totals = addedInBlockOrder(sums, simulation.blockSums());
    const double runs = options.runs;
    for (std::size_t k = 0; k < network.jobs.size(); ++k) {
        const RiskJob& job = network.jobs[k];
        JobRisk risk;
        risk.criticality = totals.criticalRuns[k] / runs;
        risk.sigma = job.estimate ? distributionSigma(*job.estimate, options.distribution) : 0;
        risk.sensitivity = result.sigma > 0 ? risk.criticality * risk.sigma / result.sigma : 0;
        result.jobs.push_back(risk);
    }
    for (std::size_t k = 0; k < simulation.merges().size(); ++k) {
        const MergeEvent& merge = simulation.merges()[k];
        double latestPath = -std::numeric_limits<double>::infinity();
        for (const Arc& arc : merge.incoming) {
            latestPath = std::max(latestPath, totals.pathEnds[arc.job] / runs);
        }
        result.merges.push_back(
            {static_cast<int>(merge.node), totals.eventTimes[k] / runs - latestPath});
    }
    return result;
}

double finishPercentile(const std::vector<double>& sortedFinishes, int percent) {
    const auto runs = static_cast<long long>(sortedFinishes.size());
    const long long rank = std::max(1LL, (percent * runs + 99) / 100);
    return sortedFinishes[static_cast<std::size_t>(rank - 1)];
}

FinishHistogram finishHistogram(const std::vector<double>& sortedFinishes, int bins) {
    FinishHistogram histogram;
    histogram.lowest = sortedFinishes.front();
    histogram.binWidth = (sortedFinishes.back() - histogram.lowest) / bins;
    histogram.counts.assign(uz(bins), 0);
    for (const double finish : sortedFinishes) {
        const double place =
            histogram.binWidth > 0 ? (finish - histogram.lowest) / histogram.binWidth : 0;
        ++histogram.counts[std::min(uz(bins) - 1, static_cast<std::size_t>(place))];
    }
    return histogram;
}

} // namespace arrowplan
