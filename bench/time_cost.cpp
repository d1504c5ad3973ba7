// The whole least-cost curve of a project of 100 jobs, every one with crash
// data, from its normal length down to the shortest, a week apart and at
// every break point, as arrowplan-report crash works it out: the largest
// project (a chain through 100 nodes), and 100 jobs braided over 50 events,
// where every length has many paths to shorten at once.

#include "crashing/time_cost.h"
#include "largest_project.h"

#include <benchmark/benchmark.h>

using namespace arrowplan;

namespace {

// Each job can lose one to three weeks of its time, at a cost of 100 to 700
// a week saved, so that the curve breaks where a dearer job comes next.
void crashEveryJob(Project& project) {
    for (int j = 1; j <= project.edgeCount; ++j) {
        const int weeks = 1 + j % 3;
        project.jobCrashTime[j] = project.edgeWeight[j] - static_cast<float>(weeks);
        project.jobCrashCost[j] =
            project.jobAmount[j] + Currency::fromWhole(100 * (1 + j % 7) * weeks);
    }
    project.indirectCostPerWeek = Currency::fromWhole(450);
}

// Events 1..50; a job from every event to the next two, and three to the
// third after, of 3 to 7 weeks.
Project braidedProject() {
    Project project = largestProject();
    project.nodeCount = 50;
    int j = 0;
    for (int step = 1; step <= 3; ++step) {
        for (int from = 1; from + step <= 50 && j < maxItems; ++from) {
            if (step < 3 || from % 16 == 1) {
                ++j;
                project.edgeFrom[j] = Currency::fromWhole(from);
                project.edgeTo[j] = Currency::fromWhole(from + step);
                project.edgeWeight[j] = static_cast<float>(3 + (7 * j) % 5);
                project.jobDelay[j] = Currency();
            }
        }
    }
    return project;
}

void leastCostCurve(benchmark::State& state, Project project) {
    crashEveryJob(project);
    for (auto _ : state) {
        benchmark::DoNotOptimize(timeCostCurve(project));
    }
    const TimeCostCurve curve = timeCostCurve(project);
    int breaks = 0;
    for (const CurvePoint& point : curve.points) {
        breaks += point.breakPoint ? 1 : 0;
    }
    state.counters["jobs"] = project.edgeCount;
    state.counters["lengths"] = static_cast<double>(curve.points.size());
    state.counters["breaks"] = breaks;
}
BENCHMARK_CAPTURE(leastCostCurve, largestProject, largestProject())->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(leastCostCurve, braided, braidedProject())->Unit(benchmark::kMillisecond);

} // namespace
