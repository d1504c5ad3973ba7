#pragma once

#include "crashing/time_cost.h"

#include <string>
#include <vector>

namespace arrowplan {

// The jobs a point's plan shortens: "6 Int. plumbing: 2, 10 Wallboard: 2".
std::string shortenedText(const Project& project, const CurvePoint& point);

// Where the total cost is least: "Least total cost 6080000 at 42", and
// which is chosen of several lengths.
std::string leastTotalText(const TimeCostCurve& curve);

// The least-cost curve as the report's text: a header, a line a length (its
// costs, a star at a break point, the jobs shortened and by how much), and
// what the least total cost is and where.
std::vector<std::string> curveLines(const Project& project, const TimeCostCurve& curve);

// The same for a spreadsheet: one row a length, with a column a job giving
// how much of its time the plan takes off.
std::string curveCsv(const Project& project, const TimeCostCurve& curve);

} // namespace arrowplan
