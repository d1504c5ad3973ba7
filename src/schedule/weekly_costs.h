#pragma once

#include "model/currency_text.h"
#include "model/project.h"

#include <algorithm>
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

// The cash flow of the last schedule as figures. One unit of the schedule's
// time is one week; weeks are numbered from 0 and listed up to the project's
// length, at most maxListedWeeks. Throws CurrencyOverflow when a sum leaves
// the currency range.
struct WeeklyCosts {
    long long weeks = 0; // the project's length in whole weeks
    long long listedWeeks() const { return std::min(weeks, maxListedWeeks); }

    // What is paid in each listed week and the running total so far.
    struct Payments {
        std::vector<Currency> cost;
        std::vector<Currency> total;
    };
    Payments project;           // the whole project; empty without the totals section
    std::vector<Payments> jobs; // job j at j - 1; empty without the per-job section
};
WeeklyCosts weeklyCosts(const Project& project, CostSections sections);

// The week-by-week cash flow of the last schedule as the list box shows it:
// the totals of the whole project week by week, then each job's own payments,
// amounts in the given money form.
std::vector<std::string> weeklyCostLines(const Project& project, CostSections sections,
                                         const CurrencyFormat& format);

} // namespace arrowplan
