#pragma once

#include "model/currency.h"
#include "model/job_title.h"
#include "model/table.h"

#include <cstdint>
#include <string>

namespace arrowplan {

// What a click on the drawing surface means.
enum class EditMode : std::int16_t { none = 0, addNode = 1, addEdge = 2, moveNode = 3, select = 4 };

// Payment modes of a job card; the codes are stored in the project file.
enum PayMode : std::int16_t {
    payEvenly = 0,
    payAtStart = 1,
    payHalfAndHalf = 2,
    payAtEnd = 3,
};

// The card's caption of each payment mode, by its code.
inline constexpr const char* payModeNames[] = {"Pay Evenly", "Pay at Start", "Pay 50/50",
                                               "Pay at End"};

// The whole project: every table of nodes, jobs and schedule, the counts, the
// mouse mode and the shared flags. The windows share one instance by
// reference and work on it in place. Node i and job j live in slot i and j
// (1..100); slot 0 exists and is never used for a node or a job.
struct Project {
    // Nodes.
    Table<float> nodeX;      // centre, twips of the drawing surface
    Table<float> nodeY;      //
    Table<float> nodeNumber; // the number drawn in the circle: the node's own index

    // Jobs (arrows, edges).
    Table<Currency> edgeFrom;       // start node, a whole number
    Table<Currency> edgeTo;         // end node, a whole number; 0 while half-made
    Table<float> edgeWeight;        // expected time; 0 marks a dummy arrow
    Table<JobTitle> jobTitle;       //
    Table<std::int16_t> jobDone;    // 1 when the card's "Done" box is ticked
    Table<std::int16_t> jobPayMode; // a PayMode code; other codes pay nothing
    Table<std::string> jobNotes;    // description and contacts, may span lines
    Table<Currency> jobAmount;      // positive money paid out, negative money in
    Table<Currency> jobActualTime;  //
    Table<Currency> jobDelay;       // added to the expected time by the schedule
    // Three-point estimates of the expected time, for the schedule risk
    // analysis; all three 0 for a job without them, which is fixed at its
    // expected time. Kept in the file's block of extras.
    Table<float> jobOptimistic;
    Table<float> jobMostLikely;
    Table<float> jobPessimistic;
    // What a job costs at its shortest: the crash time (no more than its
    // expected time) and the crash cost (its amount is its cost at the
    // expected time); both 0 for a job without them, which cannot be
    // shortened. Kept in the file's block of extras.
    Table<float> jobCrashTime;
    Table<Currency> jobCrashCost;

    // Schedule, per node; filled by the CPM calculation and never saved.
    Table<Currency> earlyTime;
    Table<Currency> lateTime;

    // Spanning-tree membership, per job.
    Table<std::int16_t> edgeInTree;

    std::int16_t nodeCount = 0;
    std::int16_t edgeCount = 0;
    EditMode editMode = EditMode::none;
    std::int16_t edgeStarted = 0; // 1 once Add Edge has chosen a start node
    std::string projectName;
    Currency indirectCostPerWeek;   // what the project costs for every week it lasts
    std::int16_t printingCosts = 0; // 1 while the print options decide the cost sections
    std::int16_t currentJob = 0;    // the job the card editor shows

    bool operator==(const Project&) const = default;
};

// Empties job slot j as Start Over does, so that an arrow drawn into it later
// inherits nothing from a job that was there before.
void clearJobSlot(Project& project, int job);

// Whether job j has three-point estimates.
inline bool hasEstimate(const Project& project, int job) {
    return project.jobOptimistic[job] != 0 || project.jobMostLikely[job] != 0 ||
           project.jobPessimistic[job] != 0;
}

// Whether job j has crash data.
inline bool hasCrashData(const Project& project, int job) {
    return project.jobCrashTime[job] != 0 || project.jobCrashCost[job] != Currency();
}

// Removes job j: every later job moves down one slot with all its columns and
// its spanning-tree mark, and the freed last slot is cleared as Start Over
// clears it, so a new arrow drawn into it inherits nothing.
void deleteJob(Project& project, int job);

// The table part of Start Over: no nodes, no jobs, no name, no indirect
// cost, every job slot and every schedule time cleared. Node positions stay;
// new nodes overwrite them.
void startOver(Project& project);

// The slot of a node number held as currency (edgeFrom, edgeTo): the nearest
// whole number. The table that takes it checks it.
inline long long nodeSlot(Currency node) {
    return node.rounded();
}

// The slot of a node number held as a single (nodeNumber): rounded to four
// decimals like every single the schedule takes, then to the nearest whole
// number. Throws CurrencyOverflow for a value far beyond the tables.
inline long long nodeSlot(float node) {
    return nodeSlot(Currency::fromFloat(node));
}

// A job the schedule can add up: its expected time rounded to four decimals,
// plus its delay, fits a currency value. A typed time that does not is
// refused, and so is a file that holds such a job.
bool fitsSchedule(float expectedTime, Currency delay = Currency());

} // namespace arrowplan
