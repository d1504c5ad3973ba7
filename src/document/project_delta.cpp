#include "document/project_delta.h"

#include <utility>

namespace arrowplan {

namespace {

constexpr std::size_t columnCount = std::tuple_size_v<decltype(recordedColumns)>;

// Calls visit(column, index) for every recorded column, the index as a
// compile-time constant so that it can pick the column's own cell list.
template <typename Visit> void forEachColumn(Visit&& visit) {
    [&]<std::size_t... I>(std::index_sequence<I...>) {
        (visit(std::get<I>(recordedColumns), std::integral_constant<std::size_t, I>{}), ...);
    }
    (std::make_index_sequence<columnCount>{});
}

template <typename T> T keptValue(const T& value, TextPool&) {
    return value;
}
KeptText keptValue(const std::string& value, TextPool& pool) {
    return pool.keep(value);
}

template <typename T> void exchangeValue(T& cell, T& other, TextPool&) {
    std::swap(cell, other);
}
void exchangeValue(std::string& cell, KeptText& other, TextPool& pool) {
    KeptText was = pool.keep(cell);
    cell = *other;
    other = std::move(was);
}

bool sameScalars(const Project& a, const Project& b) {
    return a.nodeCount == b.nodeCount && a.edgeCount == b.edgeCount &&
           a.projectName == b.projectName && a.indirectCostPerWeek == b.indirectCostPerWeek;
}

// The last slot of a column that holds work, or -1 when none does.
int workSlots(Extent extent, const Project& project) {
    switch (extent) {
    case Extent::nodes:
        return project.nodeCount;
    case Extent::jobs:
        return project.edgeCount;
    case Extent::none:
        break;
    }
    return -1;
}

} // namespace

bool sameRecorded(const Project& a, const Project& b) {
    bool same = sameScalars(a, b);
    forEachColumn([&](auto column, auto) { same = same && a.*column == b.*column; });
    return same;
}

bool sameWork(const Project& a, const Project& b) {
    if (!sameScalars(a, b)) {
        return false;
    }
    bool same = true;
    forEachColumn([&](auto column, auto index) {
        const int last = workSlots(columnExtents[index], a);
        for (int slot = 1; same && slot <= last; ++slot) {
            same = (a.*column)[slot] == (b.*column)[slot];
        }
    });
    return same;
}

void copyRecorded(Project& into, const Project& from) {
    into.nodeCount = from.nodeCount;
    into.edgeCount = from.edgeCount;
    into.projectName = from.projectName;
    into.indirectCostPerWeek = from.indirectCostPerWeek;
    forEachColumn([&](auto column, auto) { into.*column = from.*column; });
}

ProjectDelta ProjectDelta::between(const Project& from, const Project& to, TextPool& pool) {
    ProjectDelta delta;
    delta.other_ = {from.nodeCount, from.edgeCount, pool.keep(from.projectName),
                    from.indirectCostPerWeek};
    forEachColumn([&](auto column, auto index) {
        auto& cells = std::get<decltype(index)::value>(delta.cells_);
        for (int slot = 0; slot < tableSlots; ++slot) {
            if ((from.*column)[slot] != (to.*column)[slot]) {
                cells.push_back(
                    {static_cast<std::uint8_t>(slot), keptValue((from.*column)[slot], pool)});
            }
        }
        cells.shrink_to_fit(); // a thousand steps keep no spare room
    });
    return delta;
}

void ProjectDelta::exchange(Project& state, TextPool& pool) {
    std::swap(state.nodeCount, other_.nodeCount);
    std::swap(state.edgeCount, other_.edgeCount);
    exchangeValue(state.projectName, other_.name, pool);
    std::swap(state.indirectCostPerWeek, other_.indirectCostPerWeek);
    forEachColumn([&](auto column, auto index) {
        for (auto& cell : std::get<decltype(index)::value>(cells_)) {
            exchangeValue((state.*column)[cell.slot], cell.other, pool);
        }
    });
}

// Both lists are in slot order; where both hold a slot, this step's value
// stands, since the change came after (or before) it.
void ProjectDelta::absorb(const ProjectDelta& other) {
    forEachColumn([&](auto, auto index) {
        auto& mine = std::get<decltype(index)::value>(cells_);
        const auto& theirs = std::get<decltype(index)::value>(other.cells_);
        std::remove_cvref_t<decltype(mine)> merged;
        merged.reserve(mine.size() + theirs.size());
        auto a = mine.begin();
        auto b = theirs.begin();
        while (a != mine.end() || b != theirs.end()) {
            if (b == theirs.end() || (a != mine.end() && a->slot <= b->slot)) {
                b += b != theirs.end() && a->slot == b->slot;
                merged.push_back(*a++);
            } else {
                merged.push_back(*b++);
            }
        }
        mine = std::move(merged);
        mine.shrink_to_fit();
    });
}

} // namespace arrowplan
