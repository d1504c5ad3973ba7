#include "exchange/network_layout.h"

#include "exchange/label_width.h"
#include "exchange/layout_refinement.h"
#include "exchange/topological_order.h"
#include "model/chart_geometry.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <iterator>
#include <optional>
#include <string>
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
constexpr int alignmentSweeps = 16;
// Nodes one above the other this far apart keep the lower one's times off
// the upper one's circle.
constexpr double readableNodeGap = 720;
constexpr std::size_t gapSweeps = 200;
constexpr std::size_t gapWork = 60'000;
constexpr int straighteningRounds = 4;
// Rows of the grid the nodes are refined on: same-column neighbours two rows
// apart keep the gap.
constexpr int rowStep = minGap / 4;
constexpr int refiningPasses = 40;
// The work of refining, in shares of what one layout may take: a little for
// each way of layering, then more for the best of them.
constexpr double firstRefining = 0.5;
constexpr double lastRefining = 0.5;
// Networks of up to this many events get the arrows still over nodes
// cleared off the grid at the end; in larger ones the area seldom leaves the
// room, and a hundred arrows must still be laid out at once.
constexpr int clearedUpTo = 60;
// Node times as wide as most: two-digit times, the star of a critical node.
constexpr const char* figuresSample = " 00 , 00 *";

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
    // The arrow each placeholder stands for, by its two nodes.
    std::vector<std::pair<Item, Item>> arrowOf;

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
// of zero time too, at least one column to the right. A layer takes at most
// `capacity` nodes, so that it fits a column: the rest go to the layers
// after it, where they can stand clear of each other's arrows.
std::vector<std::size_t> longestPathLayers(std::size_t nodeCount,
                                           const std::vector<std::pair<Item, Item>>& links,
                                           std::size_t capacity) {
    std::vector<Items> next(nodeCount);
    std::vector<Items> previous(nodeCount);
    for (const auto& [from, to] : links) {
        next[from].push_back(to);
        previous[to].push_back(from);
    }
    std::vector<std::size_t> layer(nodeCount, 0);
    std::vector<std::size_t> held(nodeCount + 1, 0);
    const std::vector<std::size_t> order = topologicalOrder(nodeCount, links);
    for (const Item node : order) {
        for (const Item before : previous[node]) {
            layer[node] = std::max(layer[node], layer[before] + 1);
        }
        while (held[layer[node]] >= capacity) {
            ++layer[node];
        }
        ++held[layer[node]];
    }
    // A node with more arrows out than in moves as far right as its
    // followers let it, one with more in than out as far left as it may:
    // each step shortens its arrows together, and long arrows are the ones
    // that run past other nodes.
    const std::size_t last = *std::max_element(layer.begin(), layer.end());
    for (bool moved = true; moved;) {
        moved = false;
        for (const Item node : order) {
            std::size_t lowest = 0;
            std::size_t highest = last;
            for (const Item before : previous[node]) {
                lowest = std::max(lowest, layer[before] + 1);
            }
            for (const Item after : next[node]) {
                highest = std::min(highest, layer[after] - 1);
            }
            const bool sink = next[node].empty();
            const bool source = previous[node].empty();
            std::size_t wanted = layer[node];
            if (!sink && !source && next[node].size() > previous[node].size()) {
                wanted = highest;
            } else if (!sink && !source && next[node].size() < previous[node].size()) {
                wanted = lowest;
            }
            if (wanted != layer[node] && held[wanted] < capacity) {
                --held[layer[node]];
                ++held[wanted];
                layer[node] = wanted;
                moved = true;
            }
        }
    }
    return layer;
}

Layered layered(std::size_t nodeCount, const std::vector<std::pair<int, int>>& arrows,
                std::size_t capacity) {
    // Parallel arrows are drawn over one another, so they count once.
    std::vector<std::pair<Item, Item>> links;
    for (const auto& [from, to] : arrows) {
        links.emplace_back(static_cast<Item>(from), static_cast<Item>(to));
    }
    std::sort(links.begin(), links.end());
    links.erase(std::unique(links.begin(), links.end()), links.end());

    Layered net;
    net.nodeCount = nodeCount;
    const std::vector<std::size_t> layerOf = longestPathLayers(nodeCount, links, capacity);
    net.layers.resize(*std::max_element(layerOf.begin(), layerOf.end()) + 1);
    for (Item node = 0; node < nodeCount; ++node) {
        net.add(layerOf[node]);
    }
    for (const auto& [from, to] : links) {
        Item last = from;
        for (std::size_t layer = layerOf[from] + 1; layer < layerOf[to]; ++layer) {
            const Item placeholder = net.add(layer);
            net.arrowOf.emplace_back(from, to);
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

// The crossings between the links of a and those of b, a drawn above b,
// with the layers before and after.
std::size_t crossingsOfPair(const Layered& net, const std::vector<std::size_t>& position, Item a,
                            Item b) {
    std::size_t count = 0;
    for (const std::vector<Items>* links : {&net.above, &net.below}) {
        for (const Item x : (*links)[a]) {
            for (const Item y : (*links)[b]) {
                count += position[x] > position[y];
            }
        }
    }
    return count;
}

// Neighbours in a layer change places wherever that alone crosses fewer
// links, until no such pair is left: it mends what the averages of the
// sweeps cannot see.
void transpose(Layered& net) {
    std::vector<std::size_t> position = positionsIn(net);
    for (bool improved = true; improved;) {
        improved = false;
        for (Items& layer : net.layers) {
            for (std::size_t i = 1; i < layer.size(); ++i) {
                if (crossingsOfPair(net, position, layer[i], layer[i - 1]) <
                    crossingsOfPair(net, position, layer[i - 1], layer[i])) {
                    std::swap(layer[i - 1], layer[i]);
                    position[layer[i - 1]] = i - 1;
                    position[layer[i]] = i;
                    improved = true;
                }
            }
        }
    }
}

// A sweep can make things worse, so the best order seen is the one kept.
void reduceCrossings(Layered& net) {
    std::vector<Items> best = net.layers;
    std::size_t fewest = crossings(net);
    for (int sweeps = 0; sweeps < 2 * orderingRounds && fewest > 0; ++sweeps) {
        sweep(net, sweeps % 2 == 0);
        transpose(net);
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

// The places in [low, high], in the given order, the i-th at least
// gaps[i - 1] below the one before, nearest to the wanted ones in squares.
// Less the gaps before it from each, the places need only not fall, which
// pooling adjacent violators solves, and clamping that solution solves it
// within the bounds too.
std::vector<double> placeInOrder(const std::vector<double>& wanted, double low, double high,
                                 const std::vector<double>& gaps) {
    struct Pool {
        double sum = 0;
        int count = 0;
    };
    std::vector<double> offset{0};
    for (const double gap : gaps) {
        offset.push_back(offset.back() + gap);
    }
    std::vector<Pool> pools;
    for (std::size_t i = 0; i < wanted.size(); ++i) {
        pools.push_back({wanted[i] - offset[i], 1});
        while (pools.size() > 1 && pools[pools.size() - 2].sum * pools.back().count >
                                       pools.back().sum * pools[pools.size() - 2].count) {
            pools[pools.size() - 2].sum += pools.back().sum;
            pools[pools.size() - 2].count += pools.back().count;
            pools.pop_back();
        }
    }
    const double last = std::max(low, high - offset.back());
    std::vector<double> places;
    for (const Pool& pool : pools) {
        const double base = std::clamp(pool.sum / pool.count, low, last);
        for (int i = 0; i < pool.count; ++i) {
            places.push_back(base + offset[places.size()]);
        }
    }
    return places;
}

// The least room between neighbours in a column. Two nodes need their gap,
// and more for the times printed over the lower one to clear the upper
// circle; an arrow passing a node its clearance, less where it runs
// straight, as it mostly does; two arrows passing only enough to be told
// apart.
struct ColumnGaps {
    double nodes = minGap;
    double nodeAndArrow = chart_geometry::arrowClearance + 25;
    double arrows = 40;

    double between(const Layered& net, Item a, Item b) const {
        const int nodeCount = net.isNode(a) + net.isNode(b);
        return nodeCount == 2 ? nodes : nodeCount == 1 ? nodeAndArrow : arrows;
    }

    double height(const Layered& net, const Items& layer) const {
        double sum = 0;
        for (std::size_t i = 1; i < layer.size(); ++i) {
            sum += between(net, layer[i - 1], layer[i]);
        }
        return sum;
    }

    double tallest(const Layered& net) const {
        double most = 0;
        for (const Items& layer : net.layers) {
            most = std::max(most, height(net, layer));
        }
        return most;
    }
};

// The gaps a network's columns get: the readable ones where they fit the
// area's height, else the least. Nullopt when not even a column's nodes fit.
std::optional<ColumnGaps> columnGapsFor(const Layered& net, const Box& box) {
    ColumnGaps readable;
    readable.nodes = readableNodeGap;
    if (readable.tallest(net) <= box.height) {
        return readable;
    }
    // Where even the least gaps do not fit, a column of nodes still may: the
    // arrows between them then run closer than they should, and the
    // refining moves nodes off them as far as the room allows.
    const ColumnGaps least;
    for (const Items& layer : net.layers) {
        const auto nodes =
            std::count_if(layer.begin(), layer.end(), [&](Item item) { return net.isNode(item); });
        if ((nodes - 1) * minGap > box.height) {
            return std::nullopt;
        }
    }
    return least;
}

// One column's demand that an item stand at least `gap` below the one
// above it, the items' heights written in the nodes' heights: a node's own,
// a placeholder's the point of its arrow's line over its column.
struct GapRule {
    struct Term {
        std::size_t node;
        double weight;
    };
    std::vector<Term> terms;
    double gap = 0;
};

// Moves the heights y as little as will meet every rule and keep them in
// [low, high], nearest in squares: Hildreth's method, which meets one rule
// at a time and gives back what an earlier step took beyond need. When the
// rules cannot all be met it stops after its sweeps with the best it has.
bool keepGaps(std::vector<double>& y, const std::vector<GapRule>& rules, double low, double high) {
    std::vector<double> taken(rules.size() + 2 * y.size(), 0);
    const auto meet = [&](std::size_t k, const GapRule& rule) {
        double value = 0;
        double norm = 0;
        for (const auto& term : rule.terms) {
            value += term.weight * y[term.node];
            norm += term.weight * term.weight;
        }
        if (norm == 0) {
            return 0.0;
        }
        const double step = std::max(-taken[k], (rule.gap - value) / norm);
        taken[k] += step;
        for (const auto& term : rule.terms) {
            y[term.node] += step * term.weight;
        }
        return std::abs(step);
    };
    // A large network gets fewer sweeps: each costs more, and the refining
    // that follows mends what they leave.
    const std::size_t sweeps =
        std::clamp<std::size_t>(gapWork / std::max<std::size_t>(rules.size(), 1), 20, gapSweeps);
    for (std::size_t sweep = 0; sweep < sweeps; ++sweep) {
        double moved = 0;
        for (std::size_t k = 0; k < rules.size(); ++k) {
            moved = std::max(moved, meet(k, rules[k]));
        }
        for (std::size_t v = 0; v < y.size(); ++v) {
            moved = std::max(moved, meet(rules.size() + 2 * v, {{{v, 1}}, low}));
            moved = std::max(moved, meet(rules.size() + 2 * v + 1, {{{v, -1}}, -high}));
        }
        if (moved < 0.01) {
            return true;
        }
    }
    return false;
}

// Every layer in a column of its own. Each node is drawn towards the mean
// height of its links, each placeholder onto the straight line of its arrow,
// so a chain comes out level, a fork symmetric, and a long arrow keeps clear
// of the nodes in the columns it passes.
std::vector<NodePlace> straightPlaces(const Layered& net, const Box& box, const ColumnGaps& gaps) {
    const double low = box.top;
    const double high = box.top + box.height;
    const std::vector<int> columns = spread(net.layers.size(), box.left, box.width, maxColumnPitch);
    const auto xOf = [&](Item item) { return double(columns[net.layerOf[item]]); };
    // Where a placeholder stands on its arrow: the arrow's two nodes, and how
    // far along from the first, so that its height is (1 - t) and t of theirs.
    struct OnLine {
        Item from;
        Item to;
        double t;
    };
    const auto onLine = [&](Item placeholder) {
        const auto& [from, to] = net.arrowOf[placeholder - net.nodeCount];
        return OnLine{from, to, (xOf(placeholder) - xOf(from)) / (xOf(to) - xOf(from))};
    };
    // Every item starts level with the middle, so the first sweep down
    // centres the sources and lets the rest follow them.
    std::vector<double> y(net.layerOf.size(), (low + high) / 2);
    const auto wantedOf = [&](Item item, const std::vector<Items>& links) {
        if (!net.isNode(item)) {
            const OnLine at = onLine(item);
            return y[at.from] + at.t * (y[at.to] - y[at.from]);
        }
        if (links[item].empty()) {
            return y[item];
        }
        double sum = 0;
        for (Item linked : links[item]) {
            sum += y[linked];
        }
        return sum / static_cast<double>(links[item].size());
    };
    const auto align = [&](const Items& layer, const std::vector<Items>& links) {
        std::vector<double> wanted;
        std::vector<double> between;
        for (std::size_t i = 0; i < layer.size(); ++i) {
            wanted.push_back(wantedOf(layer[i], links));
            if (i > 0) {
                between.push_back(gaps.between(net, layer[i - 1], layer[i]));
            }
        }
        const std::vector<double> places = placeInOrder(wanted, low, high, between);
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

    // The sweeps leave placeholders wherever the order put them; the nodes
    // are now moved as little as will put every long arrow's line where its
    // placeholders keep their gaps.
    std::vector<double> nodeY(y.begin(), y.begin() + static_cast<std::ptrdiff_t>(net.nodeCount));
    std::vector<Items> layers = net.layers;
    const auto heightOf = [&](Item item) {
        if (net.isNode(item)) {
            return nodeY[item];
        }
        const OnLine at = onLine(item);
        return nodeY[at.from] + at.t * (nodeY[at.to] - nodeY[at.from]);
    };
    for (int round = 0; round < straighteningRounds; ++round) {
        std::vector<GapRule> rules;
        for (const Items& layer : layers) {
            for (std::size_t i = 1; i < layer.size(); ++i) {
                GapRule rule;
                rule.gap = gaps.between(net, layer[i - 1], layer[i]);
                const auto add = [&](Item item, double sign) {
                    if (net.isNode(item)) {
                        rule.terms.push_back({item, sign});
                        return;
                    }
                    const OnLine at = onLine(item);
                    rule.terms.push_back({at.from, sign * (1 - at.t)});
                    rule.terms.push_back({at.to, sign * at.t});
                };
                add(layer[i], 1);
                add(layer[i - 1], -1);
                rules.push_back(rule);
            }
        }
        if (keepGaps(nodeY, rules, low, high)) {
            break;
        }
        // Straight lines cannot always keep the order the sweeps chose; each
        // column takes the order the lines now have, and the gaps are met
        // again.
        for (Items& layer : layers) {
            std::stable_sort(layer.begin(), layer.end(),
                             [&](Item a, Item b) { return heightOf(a) < heightOf(b); });
        }
    }
    // Where the lines could not all be kept clear, the nodes of a column at
    // least keep their gap; the refining that follows clears what it can.
    for (const Items& layer : layers) {
        Items nodes;
        std::copy_if(layer.begin(), layer.end(), std::back_inserter(nodes),
                     [&](Item item) { return net.isNode(item); });
        std::vector<double> wanted;
        for (const Item node : nodes) {
            wanted.push_back(nodeY[node]);
        }
        const std::vector<double> kept =
            placeInOrder(wanted, low, high,
                         std::vector<double>(nodes.empty() ? 0 : nodes.size() - 1, gaps.nodes));
        for (std::size_t i = 0; i < nodes.size(); ++i) {
            nodeY[nodes[i]] = kept[i];
        }
    }

    const auto [highest, lowest] = std::minmax_element(nodeY.begin(), nodeY.end());
    const double shift = ((high - *lowest) - (*highest - low)) / 2;
    std::vector<NodePlace> places;
    for (Item node = 0; node < net.nodeCount; ++node) {
        places.push_back(
            {static_cast<float>(xOf(node)), static_cast<float>(std::round(nodeY[node] + shift))});
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

// The first places on a grid whose rows are a quarter of the gap apart, and
// the nodes moved on it until the chart reads best.
double refine(std::vector<NodePlace>& places, const std::vector<std::pair<int, int>>& arrows,
              const std::vector<std::string>& titles, const Box& box, double share,
              bool offGrid = false) {
    LayoutGrid grid;
    for (const NodePlace& place : places) {
        grid.columnX.push_back(place.x);
        grid.x.push_back(place.x);
        grid.y.push_back(place.y);
    }
    std::sort(grid.columnX.begin(), grid.columnX.end());
    grid.columnX.erase(std::unique(grid.columnX.begin(), grid.columnX.end()), grid.columnX.end());
    grid.layerPitch = grid.columnX.size() < 2 ? maxColumnPitch
                                              : (grid.columnX.back() - grid.columnX.front()) /
                                                    double(grid.columnX.size() - 1);
    // Columns halfway between the layers' where there is room: a node there
    // can step aside from an arrow or a crowded layer.
    for (std::size_t c = grid.columnX.size() - 1; c > 0; --c) {
        if (grid.columnX[c] - grid.columnX[c - 1] >= 2 * minGap) {
            grid.columnX.insert(grid.columnX.begin() + static_cast<std::ptrdiff_t>(c),
                                std::floor((grid.columnX[c] + grid.columnX[c - 1]) / 2));
        }
    }
    const int rows = box.height / rowStep + 1;
    const int top = box.top + (box.height - (rows - 1) * rowStep) / 2;
    for (int row = 0; row < rows; ++row) {
        grid.rowY.push_back(top + row * rowStep);
    }
    std::vector<LayoutArrow> labelled;
    for (std::size_t a = 0; a < arrows.size(); ++a) {
        const std::string title = a < titles.size() ? titles[a] : std::string();
        const auto end = title.find_last_not_of(' ');
        labelled.push_back({arrows[a].first, arrows[a].second,
                            end == std::string::npos ? 0.0 : labelWidth(title.substr(0, end + 1))});
    }
    const double cost =
        refineLayout(grid, labelled, labelWidth(figuresSample), refiningPasses, share, offGrid);
    for (std::size_t v = 0; v < places.size(); ++v) {
        places[v] = {static_cast<float>(grid.x[v]), static_cast<float>(grid.y[v])};
    }
    return cost;
}

// The picture stretched from its middle to the area's height, as far as the
// row pitch allows: the gaps only grow, so nothing comes nearer to anything.
void fillHeight(std::vector<NodePlace>& places, const Box& box) {
    const auto [highest, lowest] =
        std::minmax_element(places.begin(), places.end(),
                            [](const NodePlace& a, const NodePlace& b) { return a.y < b.y; });
    const double low = highest->y;
    const double span = lowest->y - low;
    const double stretch =
        span == 0 ? 1 : std::max(1.0, std::min(box.height / span, double(maxRowPitch) / minGap));
    const double top = box.top + (box.height - span * stretch) / 2;
    for (NodePlace& place : places) {
        place.y = static_cast<float>(std::round(top + (place.y - low) * stretch));
    }
}

// The network laid out from its layers and refined with `share` of the work,
// not yet stretched to the area's height; with what its faults cost.
std::pair<std::vector<NodePlace>, double>
layOutIn(Layered net, const std::vector<std::pair<int, int>>& arrows, const Box& box,
         const std::vector<std::string>& titles, double share) {
    reduceCrossings(net);
    const std::optional<ColumnGaps> gaps = columnGapsFor(net, box);
    const bool straight = gaps && (static_cast<int>(net.layers.size()) - 1) * minGap <= box.width;
    std::vector<NodePlace> places =
        straight ? straightPlaces(net, box, *gaps) : latticePlaces(net, box);
    const double cost = refine(places, arrows, titles, box, share);
    return {places, cost};
}

} // namespace

std::vector<NodePlace> layOutNetwork(int nodeCount, const std::vector<std::pair<int, int>>& arrows,
                                     const LayoutArea& area,
                                     const std::vector<std::string>& titles) {
    if (nodeCount <= 0) {
        return {};
    }
    const Box box = wholeTwipsOf(area);
    const auto count = static_cast<std::size_t>(nodeCount);
    // Lower layers spread a crowd of nodes over more columns, where a fan's
    // arrows find room between them; but they make more long arrows, and a
    // network may read better without. The plain layers and layers capped at
    // a readable column and lower are each laid out and refined a little,
    // and the one whose faults cost least is refined further.
    std::vector<Layered> tries{layered(count, arrows, count)};
    const auto readableColumn = static_cast<std::size_t>(box.height / readableNodeGap) + 1;
    std::size_t tallest = count;
    for (const std::size_t capacity :
         {readableColumn, std::size_t{4}, std::size_t{3}, std::size_t{2}}) {
        if (capacity >= tallest) {
            continue;
        }
        tallest = capacity;
        Layered capped = layered(count, arrows, capacity);
        if (static_cast<int>(capped.layers.size() - 1) * minGap <= box.width) {
            tries.push_back(std::move(capped));
        }
    }
    std::pair<std::vector<NodePlace>, double> best;
    for (Layered& net : tries) {
        auto laidOut = layOutIn(std::move(net), arrows, box, titles,
                                firstRefining / static_cast<double>(tries.size()));
        if (best.first.empty() || laidOut.second < best.second) {
            best = std::move(laidOut);
        }
    }
    refine(best.first, arrows, titles, box, lastRefining, nodeCount <= clearedUpTo);
    fillHeight(best.first, box);
    return best.first;
}

} // namespace arrowplan
