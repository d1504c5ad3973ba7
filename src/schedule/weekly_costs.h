#pragma once

#include "model/currency_text.h"
#include "model/project.h"

#include <string>
#include <vector>

namespace arrowplan {

// Which sections the weekly cost listing holds. A click on "Weekly Costs"
// wants both; after a Print the print options decide.
struct CostSections {
    bool totals = true;
    bool perJob = true;
};

// A project longer than this lists only its first weeks: only a typing slip
// makes one (a hundred years of weeks).
inline constexpr long long maxListedWeeks = 5200;

// The week-by-week cash flow of the last schedule: the totals of the whole
// project week by week, then each job's own payments. One unit of the
// schedule's time is one week; weeks are numbered from 0. Throws
// CurrencyOverflow when a sum leaves the currency range.
std::vector<std::string> weeklyCostLines(const Project& project, CostSections sections,
                                         const CurrencyFormat& format);

} // namespace arrowplan
