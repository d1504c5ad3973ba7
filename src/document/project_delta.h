#pragma once

#include "document/text_pool.h"
#include "model/project.h"

#include <array>
#include <cstdint>
#include <tuple>
#include <vector>

namespace arrowplan {

// The tables a step of the history records and restores: every table of the
// project, with the counts, the name and the indirect cost. The schedule times are kept too, so
// that a state comes back exactly as it was, also where a step (Start Over)
// cleared them; the window's own state (the mouse mode, a half-made arrow,
// the card shown, the print flag) is no part of a step.
inline constexpr auto recordedColumns =
    std::tuple{&Project::nodeX,          &Project::nodeY,         &Project::nodeNumber,
               &Project::edgeFrom,       &Project::edgeTo,        &Project::edgeWeight,
               &Project::jobTitle,       &Project::jobDone,       &Project::jobPayMode,
               &Project::jobNotes,       &Project::jobAmount,     &Project::jobActualTime,
               &Project::jobDelay,       &Project::jobOptimistic, &Project::jobMostLikely,
               &Project::jobPessimistic, &Project::jobCrashTime,  &Project::jobCrashCost,
               &Project::edgeInTree,     &Project::earlyTime,     &Project::lateTime};

// Which count bounds the slots of a column that hold the user's work; the
// spanning-tree marks and the schedule are worked out, never typed.
enum class Extent { nodes, jobs, none };
inline constexpr std::array<Extent, std::tuple_size_v<decltype(recordedColumns)>> columnExtents = {
    Extent::nodes, Extent::nodes, Extent::nodes, Extent::jobs, Extent::jobs, Extent::jobs,
    Extent::jobs,  Extent::jobs,  Extent::jobs,  Extent::jobs, Extent::jobs, Extent::jobs,
    Extent::jobs,  Extent::jobs,  Extent::jobs,  Extent::jobs, Extent::jobs, Extent::jobs,
    Extent::none,  Extent::none,  Extent::none};

// Every recorded table, slot 0..100, and the counts, the name and the
// indirect cost are equal.
bool sameRecorded(const Project& a, const Project& b);
// The user's work is equal: the counts, the name, the indirect cost and
// every column of the nodes and jobs the counts take in. Slots beyond the counts (what a taken
// back arrow leaves there), the spanning-tree marks and the schedule do not
// count.
bool sameWork(const Project& a, const Project& b);
// into's recorded tables, counts, name and indirect cost become from's.
void copyRecorded(Project& into, const Project& from);

namespace delta_detail {

template <typename Column> struct ValueOf;
template <typename T> struct ValueOf<Table<T> Project::*> { using type = T; };
// A text is kept shared; every other value as it is.
template <typename T> struct Kept { using type = T; };
template <> struct Kept<std::string> { using type = KeptText; };

// A cell of one slot and the value it holds in the state the history is not
// at: before the step while the step is done, after it once it is undone.
template <typename T> struct CellChange {
    std::uint8_t slot = 0;
    typename Kept<T>::type other{};
};

template <typename Columns> struct ChangesOf;
template <typename... Column> struct ChangesOf<std::tuple<Column...>> {
    using type = std::tuple<std::vector<CellChange<typename ValueOf<Column>::type>>...>;
};

} // namespace delta_detail

// One step of the history: the cells that differ between two states, each
// with the value of the state the history is not at, and the counts, name
// and indirect cost of that state. Undoing and redoing are the same exchange, so a step keeps
// one value a cell.
class ProjectDelta {
  public:
    // The cells where from differs from to, with from's values: the step
    // that leads from from to to, done.
    static ProjectDelta between(const Project& from, const Project& to, TextPool& pool);

    // Exchanges the step's values with state's: undoes a done step, redoes
    // an undone one.
    void exchange(Project& state, TextPool& pool);
    // Takes in a change of the state at one end of the step (other's values
    // are the state's before it): the cells the change touched that this
    // step does not hold keep, in this step, the value they had.
    void absorb(const ProjectDelta& other);

  private:
    struct Scalars {
        std::int16_t nodeCount = 0;
        std::int16_t edgeCount = 0;
        KeptText name;
        Currency indirectCostPerWeek;
    };

    delta_detail::ChangesOf<std::remove_cvref_t<decltype(recordedColumns)>>::type cells_;
    Scalars other_;
};

} // namespace arrowplan
