#pragma once

#include "model/project.h"

#include <optional>
#include <string>
#include <vector>

namespace arrowplan::soak {

// What must hold after every command, each giving the broken promise in
// words, or nothing.

// The counts lie in 0..100; node i is numbered i; every job runs from an
// existing node to a higher one, except the half-made arrow, whose end is 0.
std::optional<std::string> checkTables(const Project& project);

// A job listing just written: one line per job after the header, each
// field the figure of the tables (as the listing lays them out), and a
// schedule that respects every job's duration.
std::optional<std::string> checkListing(const Project& project,
                                        const std::vector<std::string>& lines);

// A weekly cost listing just written with both sections (US English money):
// every week's total equals the sum of that week's job lines, and the
// running totals agree.
std::optional<std::string> checkCosts(const Project& project,
                                      const std::vector<std::string>& lines);

} // namespace arrowplan::soak
