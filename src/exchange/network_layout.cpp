#include "exchange/network_layout.h"

#include "exchange/topological_order.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <iterator>
#include <utility>
#include <vector>

namespace arrowplan {

namespace {

// Centre to centre: two circles of radius 200 with a clear gap between them.
constexpr int minGap = 450;
// Without a ceiling a network of three nodes would sprawl across the whole
// window, its nodes lost in the empty space between them.
constexpr int maxColumnPitch = 1800;
constexpr int maxRowPitch = 1200;
// Both settle well within these on networks of the tables' size; more
// sweeps cost time and hardly ever find a better picture.
constexpr int orderingRounds = 10;
constexpr int alignmentSweeps = 8;

using Item = std::size_t;
using Items = std::vector<Item>;

// The network cut into layers, with a placeholder in every layer an arrow
// passes over, so that every link joins two adjacent layers and a long arrow
// takes part in the order of each layer it crosses. Items 0..nodeCount-1 are
// the nodes, the placeholders follow.
struct Layered {
    std::size_t nodeCount = 0;
    std::vector<std::size_t> layerOf;
    std::vector<Items> above;  // linked items in the layer before
    std::vector<Items> below;  // linked items in the layer after
    std::vector<Items> layers; // each layer's items, top to bottom

    bool isNode(Item item) const { return item < nodeCount; }

    Item add(std::size_t layer) {
        layerOf.push_back(layer);
        above.emplace_back();
        below.emplace_back();
        layers[layer].push_back(layerOf.size() - 1);
        return layerOf.size() - 1;
    }

    void link(Item from, Item to) {
        below[from].push_back(to);
        above[to].push_back(from);
    }
};

// The area shrunk to whole twips, so that every place computed in it is whole
// and stays inside.
struct Box {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
};

Box wholeTwipsOf(const LayoutArea& area) {
    Box box;
    box.left = static_cast<int>(std::ceil(area.left));
    box.top = static_cast<int>(std::ceil(area.top));
    box.width = std::max(0, static_cast<int>(std::floor(area.right)) - box.left);
    box.height = std::max(0, static_cast<int>(std::floor(area.bottom)) - box.top);
    return box;
}

// Longest path in arrows from a node without incoming arrows: unlike the
// early times it needs no times at all, and it sends every arrow, a dummy
// of zero time too, at least one column to the right.
std::vector<std::size_t> longestPathLayers(std::size_t nodeCount,
                                           const std::vector<std::pair<Item, Item>>& links) {
    std::vector<Items> next(nodeCount);
    for (const auto& [from, to] : links) {
        next[from].push_back(to);
    }
    std::vector<std::size_t> layer(nodeCount, 0);
    for (const Item from : topologicalOrder(nodeCount, links)) {
        for (const Item to : next[from]) {
            layer[to] = std::max(layer[to], layer[from] + 1);
        }
    }
    return layer;
}

Layered layered(std::size_t nodeCount, const std::vector<std::pair<int, int>>& arrows) {
    // Parallel arrows are drawn over one another, so they count once.
    std::vector<std::pair<Item, Item>> links;
    for (const auto& [from, to] : arrows) {
        links.emplace_back(static_cast<Item>(from), static_cast<Item>(to));
    }
    std::sort(links.begin(), links.end());
    links.erase(std::unique(links.begin(), links.end()), links.end());

    Layered net;
    net.nodeCount = nodeCount;
    const std::vector<std::size_t> layerOf = longestPathLayers(nodeCount, links);
    net.layers.resize(*std::max_element(layerOf.begin(), layerOf.end()) + 1);
    for (Item node = 0; node < nodeCount; ++node) {
        net.add(layerOf[node]);
    }
    for (const auto& [from, to] : links) {
        Item last = from;
        for (std::size_t layer = layerOf[from] + 1; layer < layerOf[to]; ++layer) {
            const Item placeholder = net.add(layer);
            net.link(last, placeholder);
            last = placeholder;
        }
        net.link(last, to);
    }
    return net;
}

std::vector<std::size_t> positionsIn(const Layered& net) {
    std::vector<std::size_t> position(net.layerOf.size());
    for (const Items& layer : net.layers) {
        for (std::size_t i = 0; i < layer.size(); ++i) {
            position[layer[i]] = i;
        }
    }
    return position;
}

// Pair by pair is quadratic in the links between two layers, which at a
// hundred arrows is still far quicker than anyone can see.
std::size_t crossings(const Layered& net) {
    const std::vector<std::size_t> position = positionsIn(net);
    std::size_t count = 0;
    for (const Items& layer : net.layers) {
        std::vector<std::pair<std::size_t, std::size_t>> ends;
        for (Item from : layer) {
            for (Item to : net.below[from]) {
                ends.emplace_back(position[from], position[to]);
            }
        }
        for (std::size_t i = 0; i < ends.size(); ++i) {
            for (std::size_t j = i + 1; j < ends.size(); ++j) {
                const auto& [from, to] = ends[i];
                const auto& [otherFrom, otherTo] = ends[j];
                if ((from < otherFrom && to > otherTo) || (from > otherFrom && to < otherTo)) {
                    ++count;
                }
            }
        }
    }
    return count;
}

// Orders each layer by the mean position of its links into the layer before
// it in the sweep, which pulls linked items level with each other and so
// untangles the links. An item without such links keeps its place, and ties
// keep their order, so the same network always gives the same picture.
void sweep(Layered& net, bool downwards) {
    std::vector<std::size_t> position = positionsIn(net);
    const std::size_t count = net.layers.size();
    for (std::size_t step = 1; step < count; ++step) {
        Items& layer = net.layers[downwards ? step : count - 1 - step];
        std::vector<std::pair<double, Item>> keyed;
        for (std::size_t i = 0; i < layer.size(); ++i) {
            const Items& links = downwards ? net.above[layer[i]] : net.below[layer[i]];
            double key = static_cast<double>(i);
            if (!links.empty()) {
                double sum = 0;
                for (Item linked : links) {
                    sum += static_cast<double>(position[linked]);
                }
                key = sum / static_cast<double>(links.size());
            }
            keyed.emplace_back(key, layer[i]);
        }
        std::stable_sort(keyed.begin(), keyed.end(),
                         [](const auto& a, const auto& b) { return a.first < b.first; });
        for (std::size_t i = 0; i < layer.size(); ++i) {
            layer[i] = keyed[i].second;
            position[layer[i]] = i;
        }
    }
}

// A sweep can make things worse, so the best order seen is the one kept.
void reduceCrossings(Layered& net) {
    std::vector<Items> best = net.layers;
    std::size_t fewest = crossings(net);
    for (int sweeps = 0; sweeps < 2 * orderingRounds && fewest > 0; ++sweeps) {
        sweep(net, sweeps % 2 == 0);
        const std::size_t count = crossings(net);
        if (count < fewest) {
            fewest = count;
            best = net.layers;
        }
    }
    net.layers = std::move(best);
}

// `count` places from `low` on, centred in `span`, evenly apart but no more
// than `maxPitch`. Each place is rounded down on its own, so two places
// whose exact distance is at least a whole number of twips keep it.
std::vector<int> spread(std::size_t count, int low, int span, int maxPitch) {
    if (count == 1) {
        return {low + span / 2};
    }
    const int gaps = static_cast<int>(count) - 1;
    const int used = std::min(span, maxPitch * gaps);
    const int start = low + (span - used) / 2;
    std::vector<int> places;
    for (int i = 0; i <= gaps; ++i) {
        places.push_back(start + i * used / gaps);
    }
    return places;
}

// The places in [low, high], in the given order and at least `gap` apart,
// nearest to the wanted ones in squares. Less i gaps from the i-th, the
// places need only not fall, which pooling adjacent violators solves, and
// clamping that solution solves it within the bounds too.
std::vector<int> placeInOrder(const std::vector<double>& wanted, int low, int high, int gap) {
    struct Pool {
        double sum = 0;
        int count = 0;
    };
    std::vector<Pool> pools;
    for (std::size_t i = 0; i < wanted.size(); ++i) {
        pools.push_back({wanted[i] - static_cast<double>(i) * gap, 1});
        while (pools.size() > 1 && pools[pools.size() - 2].sum * pools.back().count >
                                       pools.back().sum * pools[pools.size() - 2].count) {
            pools[pools.size() - 2].sum += pools.back().sum;
            pools[pools.size() - 2].count += pools.back().count;
            pools.pop_back();
        }
    }
    const int last = high - (static_cast<int>(wanted.size()) - 1) * gap;
    std::vector<int> places;
    for (const Pool& pool : pools) {
        const double mean =
            std::clamp(pool.sum / pool.count, static_cast<double>(low), static_cast<double>(last));
        const int place = static_cast<int>(std::lround(mean));
        for (int i = 0; i < pool.count; ++i) {
            places.push_back(place + static_cast<int>(places.size()) * gap);
        }
    }
    return places;
}

// Every layer in a column of its own. Each item is drawn towards the mean
// height of its links, placeholders included, so a chain comes out level,
// a long arrow straight and a fork symmetric.
std::vector<NodePlace> straightPlaces(const Layered& net, const Box& box, std::size_t tallest) {
    const int gaps = static_cast<int>(tallest) - 1;
    const int pitch = gaps == 0 ? 0 : std::min(maxRowPitch, box.height / gaps);
    const int low = box.top + (box.height - pitch * gaps) / 2;
    const int high = low + pitch * gaps;
    // Every item starts level with the middle, so the first sweep down
    // centres the sources and lets the rest follow them.
    std::vector<int> y(net.layerOf.size(), (low + high) / 2);
    const auto align = [&](const Items& layer, const std::vector<Items>& links) {
        std::vector<double> wanted;
        for (Item item : layer) {
            double sum = 0;
            for (Item linked : links[item]) {
                sum += y[linked];
            }
            const auto count = static_cast<double>(links[item].size());
            wanted.push_back(links[item].empty() ? y[item] : sum / count);
        }
        const std::vector<int> places = placeInOrder(wanted, low, high, pitch);
        for (std::size_t i = 0; i < layer.size(); ++i) {
            y[layer[i]] = places[i];
        }
    };
    const std::size_t count = net.layers.size();
    for (int sweeps = 0; sweeps < alignmentSweeps; ++sweeps) {
        const bool downwards = sweeps % 2 == 0;
        for (std::size_t step = 0; step < count; ++step) {
            align(net.layers[downwards ? step : count - 1 - step],
                  downwards ? net.above : net.below);
        }
    }

    const auto nodesEnd = y.begin() + static_cast<std::ptrdiff_t>(net.nodeCount);
    const auto [highest, lowest] = std::minmax_element(y.begin(), nodesEnd);
    const int shift = ((high - *lowest) - (*highest - low)) / 2;
    const std::vector<int> columns = spread(net.layers.size(), box.left, box.width, maxColumnPitch);
    std::vector<NodePlace> places;
    for (Item node = 0; node < net.nodeCount; ++node) {
        places.push_back(
            {static_cast<float>(columns[net.layerOf[node]]), static_cast<float>(y[node] + shift)});
    }
    return places;
}

// When the layers will not go a column each, the nodes go on a lattice of
// rows minGap apart and columns at least minGap / k apart, where column c
// takes only the rows r with r = c (mod k). Nodes fewer than k columns apart
// are then in different rows, so at least minGap apart up or down, and any
// others at least minGap apart across. Each layer takes columns of its own,
// so arrows still run to the right.
//
// The smallest k that fits is taken, for the widest columns. With k no more
// than the rows every column holds a node, so a layer never takes more
// columns than it has nodes: a hundred nodes take at most a hundred
// columns, and the default area's 8 rows with k = 5 give 106.
std::vector<NodePlace> latticePlaces(const Layered& net, const Box& box) {
    const int rows = box.height / minGap + 1;
    int k = 1;
    const auto firstColumns = [&] {
        std::vector<int> first{0};
        for (const Items& layer : net.layers) {
            const auto nodes = std::count_if(layer.begin(), layer.end(),
                                             [&](Item item) { return net.isNode(item); });
            int column = first.back();
            for (int held = 0; held < nodes; ++column) {
                held += (rows - 1 - column % k) / k + 1;
            }
            first.push_back(column);
        }
        return first;
    };
    std::vector<int> first = firstColumns();
    // An area too small even for k = rows gets the lattice squeezed into it.
    while (k < rows && (first.back() - 1) * minGap > box.width * k) {
        ++k;
        first = firstColumns();
    }

    std::vector<std::pair<int, int>> slotOf(net.nodeCount); // row, column
    for (std::size_t l = 0; l < net.layers.size(); ++l) {
        std::vector<std::pair<int, int>> slots;
        for (int column = first[l]; column < first[l + 1]; ++column) {
            for (int row = column % k; row < rows; row += k) {
                slots.emplace_back(row, column);
            }
        }
        // Top to bottom keeps the order that cut the crossings; the middle
        // slots keep a short layer level with its neighbours.
        std::sort(slots.begin(), slots.end());
        Items nodes;
        std::copy_if(net.layers[l].begin(), net.layers[l].end(), std::back_inserter(nodes),
                     [&](Item item) { return net.isNode(item); });
        const std::size_t start = (slots.size() - nodes.size()) / 2;
        for (std::size_t i = 0; i < nodes.size(); ++i) {
            slotOf[nodes[i]] = slots[start + i];
        }
    }

    // The rows in use spread over the height, as far as the row pitch goes:
    // the times and titles printed by each node need the room.
    const auto [topmost, lowest] = std::minmax_element(slotOf.begin(), slotOf.end());
    const int span = lowest->first - topmost->first;
    const int pitch =
        span == 0 ? minGap : std::max(minGap, std::min(maxRowPitch, box.height / span));
    const int top = box.top + (box.height - span * pitch) / 2 - topmost->first * pitch;
    const std::vector<int> columns =
        spread(static_cast<std::size_t>(first.back()), box.left, box.width, maxColumnPitch);
    std::vector<NodePlace> places;
    for (const auto& [row, column] : slotOf) {
        places.push_back({static_cast<float>(columns[static_cast<std::size_t>(column)]),
                          static_cast<float>(top + row * pitch)});
    }
    return places;
}

} // namespace

std::vector<NodePlace> layOutNetwork(int nodeCount, const std::vector<std::pair<int, int>>& arrows,
                                     const LayoutArea& area) {
    if (nodeCount <= 0) {
        return {};
    }
    Layered net = layered(static_cast<std::size_t>(nodeCount), arrows);
    reduceCrossings(net);
    const Box box = wholeTwipsOf(area);
    std::size_t tallest = 0;
    for (const Items& layer : net.layers) {
        tallest = std::max(tallest, layer.size());
    }
    const auto gapsIn = [](std::size_t count) { return static_cast<int>(count) - 1; };
    const bool straight =
        gapsIn(net.layers.size()) * minGap <= box.width && gapsIn(tallest) * minGap <= box.height;
    return straight ? straightPlaces(net, box, tallest) : latticePlaces(net, box);
}

} // namespace arrowplan
