#pragma once

#include "model/project.h"

#include <string>
#include <string_view>
#include <vector>

namespace arrowplan {

inline constexpr std::string_view listingHeader =
    " Job   EStart LFinish     Title        CP?  Time(D) Slack  Cost";

// One event of the last schedule: a node with its early and late time; it is
// critical (starred on the chart) when the two are equal.
struct ListedEvent {
    int node = 0;
    Currency earlyTime;
    Currency lateTime;
    bool critical = false;
};

// One job of the last schedule as figures: what a line of the listing shows,
// and the duration and payment mode the listing leaves out.
struct ListedJob {
    int job = 0;
    Currency from;
    Currency to;
    Currency earlyStart; // the early time of its start node
    Currency lateFinish; // the late time of its end node
    JobTitle title;
    bool critical = false;
    float expectedTime = 0;
    Currency delay;
    Currency duration;
    Currency slack;
    Currency amount;
    std::int16_t payMode = 0;
};

// The listing's time column: the expected time, and the delay in braces
// where there is one ("3{2}").
std::string timeText(const ListedJob& job);

std::vector<ListedEvent> listedEvents(const Project& project);
std::vector<ListedJob> listedJobs(const Project& project);

// The job listing of the last schedule: the header, then one fixed-width line
// per job (62 characters unless a figure overflows its field).
std::vector<std::string> listingLines(const Project& project);

} // namespace arrowplan
