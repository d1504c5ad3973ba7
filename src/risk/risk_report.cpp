#include "risk/risk_report.h"

#include "model/number_text.h"
#include "risk/project_estimates.h"
#include "schedule/report_csv.h"

#include <cstdio>

namespace arrowplan {

namespace {

// Weeks to two decimals, shares as percentages to one: what a planner reads.
std::string fixed(double value, int decimals) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.*f", decimals, value);
    return buffer;
}

std::string weeks(double value) {
    return fixed(value, 2);
}

std::string percent(double share) {
    return fixed(100 * share, 1) + "%";
}

// A figure's line: its name padded to one column, then its value.
std::string figureLine(const std::string& name, const std::string& value) {
    constexpr std::size_t column = 26;
    return "  " + name + std::string(name.size() < column ? column - name.size() : 1, ' ') + value;
}

std::string jobList(const std::vector<int>& jobs) {
    std::string text;
    for (const int job : jobs) {
        text += (text.empty() ? "" : ", ") + std::to_string(job + 1);
    }
    return text.empty() ? "none" : text;
}

} // namespace

RiskFigures preparedRisk(const Project& project, const MonteCarloOptions& settings) {
    RiskFigures figures;
    figures.projectName = project.projectName;
    figures.settings = settings;
    figures.network = riskNetworkOf(project, projectEstimates(project));
    checkNetwork(figures.network);
    for (int j = 1; j <= project.edgeCount; ++j) {
        figures.titles.push_back(project.jobTitle[j].trimmed());
    }
    figures.classic = classicPert(figures.network, settings.byWeek);
    return figures;
}

std::optional<RiskFigures> analyseRisk(const Project& project, const MonteCarloOptions& settings,
                                       RunControl* control) {
    RiskFigures figures = preparedRisk(project, settings);
    std::optional<MonteCarloResult> simulation = runMonteCarlo(figures.network, settings, control);
    if (!simulation) {
        return std::nullopt;
    }
    figures.simulation = std::move(*simulation);
    return figures;
}

bool sameAnalysis(const RiskNetwork& one, const RiskNetwork& other) {
    const auto drawnAlike = [](RiskNetwork network) {
        for (RiskJob& job : network.jobs) {
            if (job.estimate) {
                job.duration = 0;
            }
        }
        return network;
    };
    return drawnAlike(one) == drawnAlike(other);
}

std::string distributionName(RiskDistribution distribution) {
    return distribution == RiskDistribution::pertBeta ? "pert" : "triangular";
}

std::optional<RiskDistribution> distributionNamed(std::string_view name) {
    for (const RiskDistribution d : {RiskDistribution::triangular, RiskDistribution::pertBeta}) {
        if (distributionName(d) == name) {
            return d;
        }
    }
    return std::nullopt;
}

std::string jobLabel(const RiskFigures& figures, std::size_t job) {
    const RiskJob& j = figures.network.jobs[job];
    std::string label = "Job " + std::to_string(job + 1) + " (" + std::to_string(j.from) + "-" +
                        std::to_string(j.to) + ")";
    return figures.titles[job].empty() ? label : label + " " + figures.titles[job];
}

std::string riskHeading(const RiskFigures& figures) {
    const MonteCarloOptions& s = figures.settings;
    return "Schedule risk of \"" + figures.projectName + "\": " + std::to_string(s.runs) +
           " runs, seed " + std::to_string(s.seed) + ", " +
           (s.distribution == RiskDistribution::pertBeta ? "PERT-beta" : "triangular");
}

std::vector<RiskSection> riskSections(const RiskFigures& figures) {
    const std::optional<double> byWeek = figures.settings.byWeek;
    const std::string chance = byWeek ? "P(finish <= " + plainText(*byWeek) + ")" : "";
    const ClassicPert& classic = figures.classic;
    RiskSection classicSection{"Classic PERT: the critical path of the means only",
                               {{"mean finish", weeks(classic.mean)},
                                {"standard deviation", weeks(classic.sigma)},
                                {"critical path (jobs)", jobList(classic.criticalPath)}}};
    const MonteCarloResult& simulation = figures.simulation;
    const FinishPercentiles& p = simulation.percentiles;
    RiskSection simulationSection{
        "Monte Carlo: every path, " + std::to_string(simulation.runs) + " runs",
        {{"mean finish", weeks(simulation.mean)},
         {"standard deviation", weeks(simulation.sigma)},
         {"P10 / P50 / P80", weeks(p.p10) + " / " + weeks(p.p50) + " / " + weeks(p.p80)},
         {"P90 / P95", weeks(p.p90) + " / " + weeks(p.p95)}}};
    if (byWeek) {
        classicSection.figures.emplace_back(chance + ", normal", percent(*classic.chanceByWeek));
        simulationSection.figures.emplace_back(chance, percent(*simulation.chanceByWeek));
    }
    RiskSection merges{"Merge events: later than their latest path by", {}};
    for (const MergeDelay& merge : simulation.merges) {
        merges.figures.emplace_back("node " + std::to_string(merge.node), weeks(merge.delay));
    }
    return {classicSection, simulationSection, merges};
}

std::vector<std::string> riskSummaryLines(const RiskFigures& figures) {
    std::vector<std::string> lines{riskHeading(figures)};
    for (const RiskSection& section : riskSections(figures)) {
        lines.push_back(section.heading);
        for (const auto& [name, value] : section.figures) {
            lines.push_back(figureLine(name, value));
        }
        if (section.figures.empty()) {
            lines.push_back("  none");
        }
    }
    return lines;
}

std::vector<std::string> riskJobLines(const RiskFigures& figures) {
    std::vector<std::string> lines{"Job Nodes   Title          Optimistic Likely Pessimistic  Mean "
                                   "Sigma Critical Sensitivity"};
    for (std::size_t k = 0; k < figures.network.jobs.size(); ++k) {
        const RiskJob& job = figures.network.jobs[k];
        std::string line =
            rightAligned(std::to_string(k + 1), 3) + " " +
            rightAligned(std::to_string(job.from) + "-" + std::to_string(job.to), 7) + " " +
            figures.titles[k] +
            std::string(figures.titles[k].size() < 14 ? 15 - figures.titles[k].size() : 1, ' ');
        if (job.estimate) {
            appendRightAligned(line, weeks(job.estimate->optimistic), 10);
            appendRightAligned(line, weeks(job.estimate->mostLikely), 7);
            appendRightAligned(line, weeks(job.estimate->pessimistic), 12);
            appendRightAligned(line, weeks(pertMean(*job.estimate)), 6);
            appendRightAligned(line, weeks(pertSigma(*job.estimate)), 6);
        } else {
            line += std::string(41, ' ');
        }
        const JobRisk& risk = figures.simulation.jobs[k];
        appendRightAligned(line, percent(risk.criticality), 9);
        appendRightAligned(line, fixed(risk.sensitivity, 3), 12);
        lines.push_back(line);
    }
    return lines;
}

std::string riskCsv(const RiskFigures& figures) {
    std::string csv = csvRow({"scope", "number", "figure", "value"});
    const auto row = [&csv](const std::string& scope, const std::string& number,
                            const std::string& figure, const std::string& value) {
        csv += csvRow({scope, number, figure, value});
    };
    const MonteCarloOptions& s = figures.settings;
    row("project", "", "name", figures.projectName);
    row("project", "", "runs", std::to_string(s.runs));
    row("project", "", "seed", std::to_string(s.seed));
    row("project", "", "distribution", distributionName(s.distribution));
    if (s.byWeek) {
        row("project", "", "byWeek", plainText(*s.byWeek));
    }
    const ClassicPert& classic = figures.classic;
    row("project", "", "classicMean", plainText(classic.mean));
    row("project", "", "classicSigma", plainText(classic.sigma));
    if (classic.chanceByWeek) {
        row("project", "", "classicChanceByWeek", plainText(*classic.chanceByWeek));
    }
    const MonteCarloResult& simulation = figures.simulation;
    const FinishPercentiles& p = simulation.percentiles;
    const std::pair<const char*, double> finishFigures[] = {{"mean", simulation.mean},
                                                            {"sigma", simulation.sigma},
                                                            {"p10", p.p10},
                                                            {"p50", p.p50},
                                                            {"p80", p.p80},
                                                            {"p90", p.p90},
                                                            {"p95", p.p95}};
    for (const auto& [name, value] : finishFigures) {
        row("project", "", name, plainText(value));
    }
    if (simulation.chanceByWeek) {
        row("project", "", "chanceByWeek", plainText(*simulation.chanceByWeek));
    }
    for (std::size_t k = 0; k < figures.network.jobs.size(); ++k) {
        const std::string job = std::to_string(k + 1);
        const RiskJob& j = figures.network.jobs[k];
        if (j.estimate) {
            row("job", job, "optimistic", plainText(j.estimate->optimistic));
            row("job", job, "mostLikely", plainText(j.estimate->mostLikely));
            row("job", job, "pessimistic", plainText(j.estimate->pessimistic));
            row("job", job, "pertMean", plainText(pertMean(*j.estimate)));
            row("job", job, "pertSigma", plainText(pertSigma(*j.estimate)));
        }
        row("job", job, "criticality", plainText(simulation.jobs[k].criticality));
        row("job", job, "sigma", plainText(simulation.jobs[k].sigma));
        row("job", job, "sensitivity", plainText(simulation.jobs[k].sensitivity));
    }
    for (const MergeDelay& merge : simulation.merges) {
        row("event", std::to_string(merge.node), "mergeDelay", plainText(merge.delay));
    }
    return csv;
}

} // namespace arrowplan
