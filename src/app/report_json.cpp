#include "app/report_json.h"

#include "crashing/time_cost.h"
#include "model/number_text.h"
#include "platform/qt_text.h"
#include "risk/risk_report.h"
#include "schedule/floats.h"
#include "schedule/listing.h"
#include "schedule/weekly_costs.h"

#include <cstdio>
#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace arrowplan {

namespace {

// The JSON is written by hand: Qt's classes hold a number as a double, which
// rounds a large amount (922337203685477.5807 would become ...477.6), where
// the program's own number text is exact, and valid JSON as it stands.
using Members = std::vector<std::pair<const char*, std::string>>;

template <typename Number> std::string number(Number value) {
    return plainText(value);
}

template <typename Number> std::string optionalNumber(const std::optional<Number>& value) {
    return value ? number(*value) : "null";
}

std::string boolean(bool value) {
    return value ? "true" : "false";
}

std::string quoted(std::string_view text) {
    std::string out = "\"";
    for (const char c : text) {
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (static_cast<unsigned char>(c) < 0x20) {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\u%04x", static_cast<unsigned>(c));
            out += escaped;
        } else {
            out += c;
        }
    }
    return out + '"';
}

std::string joined(const std::vector<std::string>& items, std::string_view separator) {
    std::string out;
    for (const std::string& item : items) {
        out += (out.empty() ? "" : std::string(separator)) + item;
    }
    return out;
}

// The members of an object, "key": value, joined by separator.
std::string joined(const Members& members, std::string_view separator) {
    std::vector<std::string> items;
    for (const auto& [key, value] : members) {
        items.push_back(quoted(key) + ": " + value);
    }
    return joined(items, separator);
}

std::string object(const Members& members) {
    return "{" + joined(members, ", ") + "}";
}

// An array of objects takes a line for each.
std::string array(const std::vector<std::string>& items) {
    return items.empty() ? "[]" : "[\n  " + joined(items, ",\n  ") + "\n]";
}

// The document's own members take a line each.
QByteArray document(const std::string& projectName, Members members) {
    members.insert(members.begin(), {"project", quoted(projectName)});
    return QByteArray::fromStdString("{\n" + joined(members, ",\n") + "\n}\n");
}

} // namespace

QByteArray listingJson(const Project& project) {
    std::vector<std::string> events;
    for (const ListedEvent& event : listedEvents(project)) {
        events.push_back(object({{"node", number(event.node)},
                                 {"earlyTime", number(event.earlyTime)},
                                 {"lateTime", number(event.lateTime)},
                                 {"critical", boolean(event.critical)}}));
    }
    std::vector<std::string> jobs;
    for (const JobFloats& floats : jobFloats(project)) {
        const ListedJob& job = floats.job;
        jobs.push_back(object({{"job", number(job.job)},
                               {"from", number(job.from)},
                               {"to", number(job.to)},
                               {"earlyStart", number(job.earlyStart)},
                               {"lateFinish", number(job.lateFinish)},
                               {"title", quoted(job.title.trimmed())},
                               {"critical", boolean(job.critical)},
                               {"time", number(job.expectedTime)},
                               {"delay", number(job.delay)},
                               {"duration", number(job.duration)},
                               {"slack", number(job.slack)},
                               {"amount", number(job.amount)},
                               {"paymentMode", number(job.payMode)},
                               {"freeFloat", number(floats.free)},
                               {"independentFloat", number(floats.independent)},
                               {"interferingFloat", number(floats.interfering)}}));
    }
    return document(project.projectName, {{"events", array(events)}, {"jobs", array(jobs)}});
}

QByteArray riskJson(const RiskFigures& figures) {
    const ClassicPert& classic = figures.classic;
    std::vector<std::string> path;
    for (const int job : classic.criticalPath) {
        path.push_back(number(job + 1));
    }
    const MonteCarloResult& simulation = figures.simulation;
    const FinishPercentiles& p = simulation.percentiles;
    std::vector<std::string> jobs;
    for (std::size_t k = 0; k < figures.network.jobs.size(); ++k) {
        const RiskJob& job = figures.network.jobs[k];
        // A figure of the job's estimate (a member or PERT's), null without one.
        const auto estimated = [&](auto figure) {
            return job.estimate ? number(std::invoke(figure, *job.estimate)) : "null";
        };
        jobs.push_back(object({{"job", number(static_cast<std::int64_t>(k + 1))},
                               {"from", number(static_cast<std::int64_t>(job.from))},
                               {"to", number(static_cast<std::int64_t>(job.to))},
                               {"title", quoted(figures.titles[k])},
                               {"optimistic", estimated(&ThreePoint::optimistic)},
                               {"mostLikely", estimated(&ThreePoint::mostLikely)},
                               {"pessimistic", estimated(&ThreePoint::pessimistic)},
                               {"pertMean", estimated(pertMean)},
                               {"pertSigma", estimated(pertSigma)},
                               {"criticality", number(simulation.jobs[k].criticality)},
                               {"sigma", number(simulation.jobs[k].sigma)},
                               {"sensitivity", number(simulation.jobs[k].sensitivity)}}));
    }
    std::vector<std::string> merges;
    for (const MergeDelay& merge : simulation.merges) {
        merges.push_back(object({{"node", number(merge.node)}, {"delay", number(merge.delay)}}));
    }
    const MonteCarloOptions& settings = figures.settings;
    return document(
        figures.projectName,
        {{"runs", number(settings.runs)},
         {"seed", quoted(std::to_string(settings.seed))},
         {"distribution", quoted(distributionName(settings.distribution))},
         {"byWeek", optionalNumber(settings.byWeek)},
         {"classic", object({{"mean", number(classic.mean)},
                             {"sigma", number(classic.sigma)},
                             {"criticalPath", "[" + joined(path, ", ") + "]"},
                             {"chanceByWeek", optionalNumber(classic.chanceByWeek)}})},
         {"simulation", object({{"mean", number(simulation.mean)},
                                {"sigma", number(simulation.sigma)},
                                {"p10", number(p.p10)},
                                {"p50", number(p.p50)},
                                {"p80", number(p.p80)},
                                {"p90", number(p.p90)},
                                {"p95", number(p.p95)},
                                {"chanceByWeek", optionalNumber(simulation.chanceByWeek)}})},
         {"jobs", array(jobs)},
         {"mergeEvents", array(merges)}});
}

QByteArray weeklyCostJson(const Project& project) {
    const WeeklyCosts costs = weeklyCosts(project, CostSections{});
    std::vector<std::string> jobs;
    for (const ListedJob& job : listedJobs(project)) {
        jobs.push_back(object({{"job", number(job.job)},
                               {"from", number(job.from)},
                               {"to", number(job.to)},
                               {"title", quoted(job.title.trimmed())},
                               {"amount", number(job.amount)},
                               {"paymentMode", number(job.payMode)}}));
    }
    std::vector<std::string> weeks;
    for (std::size_t week = 0; week < costs.project.cost.size(); ++week) {
        std::vector<std::string> paid;
        for (const WeeklyCosts::Payments& job : costs.jobs) {
            paid.push_back(number(job.cost[week]));
        }
        weeks.push_back(object({{"week", number(static_cast<std::int64_t>(week))},
                                {"jobs", "[" + joined(paid, ", ") + "]"},
                                {"cost", number(costs.project.cost[week])},
                                {"total", number(costs.project.total[week])}}));
    }
    return document(project.projectName,
                    {{"projectWeeks", number(static_cast<std::int64_t>(costs.weeks))},
                     {"jobs", array(jobs)},
                     {"weeks", array(weeks)}});
}

QByteArray floatsJson(const Project& project) {
    std::vector<std::string> jobs;
    for (const JobFloats& floats : jobFloats(project)) {
        jobs.push_back(object({{"job", number(floats.job.job)},
                               {"from", number(floats.job.from)},
                               {"to", number(floats.job.to)},
                               {"title", quoted(floats.job.title.trimmed())},
                               {"duration", number(floats.job.duration)},
                               {"totalFloat", number(floats.total)},
                               {"freeFloat", number(floats.free)},
                               {"independentFloat", number(floats.independent)},
                               {"interferingFloat", number(floats.interfering)}}));
    }
    return document(project.projectName, {{"jobs", array(jobs)}});
}

QByteArray curveJson(const Project& project, const TimeCostCurve& curve) {
    std::vector<std::string> points;
    for (const CurvePoint& point : curve.points) {
        std::vector<std::string> shortened;
        for (const Shortening& shortening : point.shortened) {
            shortened.push_back(
                object({{"job", number(shortening.job)}, {"by", number(shortening.by)}}));
        }
        points.push_back(object({{"length", number(point.length)},
                                 {"breakPoint", boolean(point.breakPoint)},
                                 {"directCost", number(point.directCost)},
                                 {"indirectCost", number(point.indirectCost)},
                                 {"totalCost", number(point.totalCost)},
                                 {"shortened", "[" + joined(shortened, ", ") + "]"}}));
    }
    std::vector<std::string> least;
    for (const std::size_t index : curve.leastTotal) {
        least.push_back(number(curve.points[index].length));
    }
    return document(project.projectName,
                    {{"indirectCostPerWeek", number(project.indirectCostPerWeek)},
                     {"normalLength", number(curve.points.front().length)},
                     {"shortestLength", number(curve.points.back().length)},
                     {"chosenLength", number(curve.points[curve.leastTotal.front()].length)},
                     {"leastTotalLengths", "[" + joined(least, ", ") + "]"},
                     {"points", array(points)}});
}

} // namespace arrowplan
