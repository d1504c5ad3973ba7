#pragma once

#include "model/project.h"
#include "risk/three_point.h"

#include <optional>
#include <vector>

namespace arrowplan {

// The estimates the project's tables hold for jobs 1..edgeCount, in job
// order, as the risk analysis takes them (riskNetworkOf).
std::vector<std::optional<ThreePoint>> projectEstimates(const Project& project);

// Every estimated job's expected time becomes its PERT mean (o + 4m + p) / 6;
// the jobs without estimates keep theirs.
void useEstimates(Project& project);

} // namespace arrowplan
