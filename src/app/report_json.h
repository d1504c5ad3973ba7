#pragma once

#include <QByteArray>

namespace arrowplan {

struct Project;
struct TimeCostCurve;

// The listing and the weekly costs of the last schedule as one JSON document
// each, for scripts. Numbers are the figures the text listing shows, written
// exactly as the CSV writes them.

// {"project", "events": [{node, earlyTime, lateTime, critical}],
//  "jobs": [{job, from, to, earlyStart, lateFinish, title, critical, time,
//            delay, duration, slack, amount, paymentMode, freeFloat,
//            independentFloat, interferingFloat}]}
QByteArray listingJson(const Project& project);

// {"project", "projectWeeks", "jobs": [{job, from, to, title, amount,
//  paymentMode}], "weeks": [{week, jobs: [what each job pays], cost, total}]}
QByteArray weeklyCostJson(const Project& project);

// {"project", "jobs": [{job, from, to, title, duration, totalFloat,
//  freeFloat, independentFloat, interferingFloat}]}
QByteArray floatsJson(const Project& project);

// {"project", "indirectCostPerWeek", "normalLength", "shortestLength",
//  "chosenLength", "leastTotalLengths": [lengths],
//  "points": [{length, breakPoint, directCost, indirectCost, totalCost,
//              shortened: [{job, by}]}]}
QByteArray curveJson(const Project& project, const TimeCostCurve& curve);

} // namespace arrowplan
