#pragma once

#include "model/currency.h"
#include "model/project.h"

#include <stdexcept>
#include <vector>

namespace arrowplan {

// Thrown when the jobs' crash data cannot be traded against time; the text
// names the job at fault.
class CrashError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

// A job a plan shortens, and by how much of its time.
struct Shortening {
    int job = 0;
    Currency by;

    bool operator==(const Shortening&) const = default;
};

// One length of the project at the least direct cost it can have.
struct CurvePoint {
    Currency length;
    Currency directCost;   // every job's amount, and what shortening them adds
    Currency indirectCost; // the indirect cost per week times the length
    Currency totalCost;
    bool breakPoint = false;           // the cost of a week saved changes here
    std::vector<Shortening> shortened; // in job order
};

struct TimeCostCurve {
    // From the normal length down to the shortest possible: a week apart,
    // and at every break point between.
    std::vector<CurvePoint> points;
    // The points of the least total cost, longest first. The first is the
    // one to choose: of lengths that cost the same it shortens least.
    std::vector<std::size_t> leastTotal;
};

// The least-cost curve of the project as it stands. A job's duration, as the
// schedule counts it, is its time plus its delay; shortening takes time off
// its time only, down to its crash time, at a cost linear between its amount
// at its time and its crash cost at its crash time. A job without crash data
// keeps its time. Of the plans of the least cost for a length, the one whose
// events are each as early as such a plan allows is given, every job as long
// as its events leave room for. Throws CrashError for a job whose crash time
// is above its time or whose crash cost is below its amount, or that does
// not lead to a later event, and CurrencyOverflow where a sum leaves the
// currency range.
TimeCostCurve timeCostCurve(const Project& project);

// Puts the plan of a point of the project's curve into the project: each
// job it shortens loses that much of its time, and its amount becomes its
// cost at the new time, on the line from its amount to its crash cost, so
// that the project's direct cost is the point's. (A job's time is then its
// longest: where a shorter length is cheapest with a job given back time it
// lost, the curve from there costs more than before.)
void crashTo(Project& project, const CurvePoint& point);

} // namespace arrowplan
