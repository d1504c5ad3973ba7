#include "exchange/topological_order.h"

namespace arrowplan {

std::vector<std::size_t>
topologicalOrder(std::size_t count,
                 const std::vector<std::pair<std::size_t, std::size_t>>& arrows) {
    std::vector<std::vector<std::size_t>> next(count);
    std::vector<std::size_t> waiting(count, 0);
    for (const auto& [from, to] : arrows) {
        next[from].push_back(to);
        ++waiting[to];
    }
    std::vector<std::size_t> order;
    for (std::size_t node = 0; node < count; ++node) {
        if (waiting[node] == 0) {
            order.push_back(node);
        }
    }
    for (std::size_t i = 0; i < order.size(); ++i) {
        for (const std::size_t to : next[order[i]]) {
            if (--waiting[to] == 0) {
                order.push_back(to);
            }
        }
    }
    return order;
}

} // namespace arrowplan
