#pragma once

#include <QByteArray>

namespace arrowplan {

struct Project;
struct RiskFigures;
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

// A schedule risk analysis, every figure in its shortest exact text and the
// seed as a text (a number of 64 bits, beyond a double's exact integers):
// {"project", "runs", "seed", "distribution", "byWeek",
//  "classic": {mean, sigma, criticalPath: [jobs], chanceByWeek},
//  "simulation": {mean, sigma, p10, p50, p80, p90, p95, chanceByWeek},
//  "jobs": [{job, from, to, title, optimistic, mostLikely, pessimistic,
//            pertMean, pertSigma, criticality, sigma, sensitivity}],
//  "mergeEvents": [{node, delay}]}; a figure that was not asked for, or one
// of an estimate a job has not, is null.
QByteArray riskJson(const RiskFigures& figures);
// {"project", "jobs": [{job, from, to, title, duration, totalFloat,
//  freeFloat, independentFloat, interferingFloat}]}
QByteArray floatsJson(const Project& project);

// {"project", "indirectCostPerWeek", "normalLength", "shortestLength",
//  "chosenLength", "leastTotalLengths": [lengths],
//  "points": [{length, breakPoint, directCost, indirectCost, totalCost,
//              shortened: [{job, by}]}]}
QByteArray curveJson(const Project& project, const TimeCostCurve& curve);

} // namespace arrowplan
