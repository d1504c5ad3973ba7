#pragma once

#include "schedule/listing.h"

#include <string>
#include <string_view>
#include <vector>

namespace arrowplan {

inline constexpr std::string_view floatsHeader =
    " Job   Title         Time(D)  Total   Free  Indep Interf";

// The four floats of a job of the last schedule, from event i to event k,
// with E and L the early and late event times and D the duration as the
// listing counts it (the time and the delay).
struct JobFloats {
    ListedJob job;
    Currency total;       // L(k) - E(i) - D: the listing's slack
    Currency free;        // E(k) - E(i) - D: a slip that moves no later job
    Currency independent; // max(0, E(k) - L(i) - D): a slip that moves no
                          // later job even when every earlier one ends late
    Currency interfering; // L(k) - E(k): the part of the total float that
                          // the jobs after it share
};

std::vector<JobFloats> jobFloats(const Project& project);

// The header and one fixed-width line a job (56 characters unless a figure
// overflows its field), as the listing lays out its lines.
std::vector<std::string> floatLines(const Project& project);

// One row a job: its number, nodes, title, duration and the four floats, as
// the listing's CSV writes them.
std::string floatsCsv(const Project& project);

} // namespace arrowplan
