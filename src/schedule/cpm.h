#pragma once

#include "model/currency.h"
#include "model/project.h"

namespace arrowplan {

// The late time of a node other than the last that has no outgoing job stays
// at this starting value of the backward pass's minimum, and the listing shows it.
inline constexpr Currency noLateTime = Currency::fromWhole(10'000'000);

// D(j): the expected time rounded to four decimals, plus the delay.
Currency duration(const Project& project, int job);

// Fills earlyTime and lateTime by the forward and backward passes. Jobs run
// from lower to higher node numbers, so one pass in node order suffices; node
// 1 is the start and node nodeCount the end. Throws CurrencyOverflow when a
// sum leaves the currency range and RangeError for a node number outside the
// tables.
void computeSchedule(Project& project);

// An event (node) is critical when it has no slack: its early and late times
// are equal. The chart stars it.
bool isCriticalEvent(const Project& project, long long node);

// A job is critical when both of its nodes have no slack and the job fills
// the whole time between them; compared exactly.
bool isCritical(const Project& project, int job);

} // namespace arrowplan
