// Laying out a network of the tables' size, as converting a task list of 100
// jobs and Tidy Layout do; the target is under 20 ms for each network.

#include "exchange/network_layout.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <random>
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

} // namespace
