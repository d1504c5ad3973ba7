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

template <typename T> void putValue(T& cell, const T& value) {
    cell = value;
}
void putValue(std::string& cell, const KeptText& value) {
    cell = *value;
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
    bool same =
        a.nodeCount == b.nodeCount && a.edgeCount == b.edgeCount && a.projectName == b.projectName;
    forEachColumn([&](auto column, auto) { same = same && a.*column == b.*column; });
    return same;
}

bool sameWork(const Project& a, const Project& b) {
    if (a.nodeCount != b.nodeCount || a.edgeCount != b.edgeCount ||
        a.projectName != b.projectName) {
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
    forEachColumn([&](auto column, auto) { into.*column = from.*column; });
}

ProjectDelta::Scalars ProjectDelta::scalarsOf(const Project& project, TextPool& pool) {
    return {project.nodeCount, project.edgeCount, pool.keep(project.projectName)};
}

ProjectDelta ProjectDelta::between(const Project& before, const Project& after, TextPool& pool) {
    ProjectDelta delta;
    delta.before_ = scalarsOf(before, pool);
    delta.after_ = scalarsOf(after, pool);
    forEachColumn([&](auto column, auto index) {
        auto& cells = std::get<decltype(index)::value>(delta.cells_);
        for (int slot = 0; slot < tableSlots; ++slot) {
            const auto& old = (before.*column)[slot];
            const auto& now = (after.*column)[slot];
            if (old != now) {
                cells.push_back(
                    {static_cast<std::uint8_t>(slot), keptValue(old, pool), keptValue(now, pool)});
            }
        }
    });
    return delta;
}

void ProjectDelta::put(Project& project, bool after) const {
    const Scalars& scalars = after ? after_ : before_;
    project.nodeCount = scalars.nodeCount;
    project.edgeCount = scalars.edgeCount;
    project.projectName = *scalars.name;
    forEachColumn([&](auto column, auto index) {
        for (const auto& cell : std::get<decltype(index)::value>(cells_)) {
            putValue((project.*column)[cell.slot], after ? cell.after : cell.before);
        }
    });
}

void ProjectDelta::undo(Project& project) const {
    put(project, false);
}

void ProjectDelta::redo(Project& project) const {
    put(project, true);
}

// Both lists are in slot order; a slot in both keeps this step's before and
// takes next's after, and drops out where the two agree again.
void ProjectDelta::absorb(const ProjectDelta& next) {
    after_ = next.after_;
    forEachColumn([&](auto, auto index) {
        auto& mine = std::get<decltype(index)::value>(cells_);
        const auto& theirs = std::get<decltype(index)::value>(next.cells_);
        std::remove_cvref_t<decltype(mine)> merged;
        merged.reserve(mine.size() + theirs.size());
        auto a = mine.begin();
        auto b = theirs.begin();
        while (a != mine.end() || b != theirs.end()) {
            if (b == theirs.end() || (a != mine.end() && a->slot < b->slot)) {
                merged.push_back(*a++);
            } else if (a == mine.end() || b->slot < a->slot) {
                merged.push_back(*b++);
            } else {
                if (a->before != b->after) {
                    merged.push_back({a->slot, a->before, b->after});
                }
                ++a;
                ++b;
            }
        }
        mine = std::move(merged);
    });
}

} // namespace arrowplan
