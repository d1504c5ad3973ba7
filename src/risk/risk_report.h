#pragma once

#include "model/project.h"
#include "risk/classic_pert.h"
#include "risk/monte_carlo.h"

#include <optional>
#include <string>
#include <vector>

namespace arrowplan {

// One analysis of a project's schedule risk: what it ran with and on, and
// both answers, for the window, the printed page and arrowplan-report alike.
struct RiskFigures {
    std::string projectName;
    MonteCarloOptions settings;
    RiskNetwork network;
    std::vector<std::string> titles; // the jobs' titles without their padding, in job order
    ClassicPert classic;
    MonteCarloResult simulation;
};

// Everything but the simulation: the network of the project's jobs and
// estimates, the titles and classic PERT. Throws RiskError for a network the
// analysis cannot work on and CurrencyOverflow where the schedule would.
RiskFigures preparedRisk(const Project& project, const MonteCarloOptions& settings);

// The whole analysis, on the caller's thread; nothing when cancelled
// through control.
std::optional<RiskFigures> analyseRisk(const Project& project, const MonteCarloOptions& settings,
                                       RunControl* control = nullptr);

// The same network but for the fixed times of estimated jobs, which no
// figure depends on: figures of one are figures of the other.
bool sameAnalysis(const RiskNetwork& one, const RiskNetwork& other);

// The distribution's name on the command line and in the reports.
std::string distributionName(RiskDistribution distribution);
std::optional<RiskDistribution> distributionNamed(std::string_view name);

// "Job 3 (2-4) Framing": a job as the reports and plots name it.
std::string jobLabel(const RiskFigures& figures, std::size_t job);

// The summary of the report: a heading with the settings, then classic PERT
// shown as such, the simulation's figures and the merge delays, each a
// section of named figures, as the plots' page and the text lay them out.
struct RiskSection {
    std::string heading;
    std::vector<std::pair<std::string, std::string>> figures; // name, value
};
std::string riskHeading(const RiskFigures& figures);
std::vector<RiskSection> riskSections(const RiskFigures& figures);

// The report as text: the summary, then a line a job (an estimated job's
// PERT mean and sigma are its estimate's, which Use the Estimates takes).
std::vector<std::string> riskSummaryLines(const RiskFigures& figures);
std::vector<std::string> riskJobLines(const RiskFigures& figures);

// The report for a spreadsheet, one figure a row: scope (project, job or
// event), the job or event's number, the figure's name and its value, each
// number in its shortest exact text; RFC 4180 quoting and CRLF line ends.
std::string riskCsv(const RiskFigures& figures);

} // namespace arrowplan
