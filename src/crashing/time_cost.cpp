#include "crashing/time_cost.h"

#include "crashing/crash_flow.h"
#include "model/number_text.h"
#include "schedule/cpm.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <string>

// The curve is traced by Fulkerson's (1961) method rather than by a linear
// programme solver (GLPK) at each length: the dual of the programme is a
// flow, and sending it along one longest path after another gives every
// break point of the curve as the length of such a path, where a solver would
// have to search for them between the whole weeks, one solution at a time.
// Lengths and durations stay whole numbers of ten-thousandths of a week
// throughout, so event times, plans and break points are exact; only the
// costs of a unit of time saved are rounded, to 128-bit fixed point (see
// scaleCosts), and the costs shown are worked out from each plan's
// shortenings and rounded once. No solver library is needed, and the largest
// project's whole curve takes a few milliseconds.

namespace arrowplan {

namespace {

constexpr std::int64_t week = Currency::scale;

// A job's part in the curve: its network, its amount, what shortening it all
// the way adds to that, and by how much it can be shortened.
struct CostedJob {
    FlowJob flow;
    Currency amount;
    Currency extra;
    std::int64_t range = 0;
};

std::string jobName(int job) {
    return "job " + std::to_string(job);
}

CostedJob costedJob(const Project& project, int job) {
    const long long from = nodeSlot(project.edgeFrom[job]);
    const long long to = nodeSlot(project.edgeTo[job]);
    if (from < 1 || to > project.nodeCount || to <= from) {
        throw CrashError(jobName(job) + " does not lead to a later event");
    }
    const Currency normal = duration(project, job);
    CostedJob costed{
        {static_cast<int>(from), static_cast<int>(to), normal.units(), normal.units(), 0},
        project.jobAmount[job],
        Currency(),
        0};
    if (!hasCrashData(project, job)) {
        return costed;
    }
    const Currency time = Currency::fromFloat(project.edgeWeight[job]);
    const Currency crashTime = Currency::fromFloat(project.jobCrashTime[job]);
    if (crashTime > time) {
        throw CrashError(jobName(job) + "'s crash time (" + plainText(crashTime) +
                         ") is above its time (" + plainText(time) + ")");
    }
    if (project.jobCrashCost[job] < project.jobAmount[job]) {
        throw CrashError(jobName(job) + "'s crash cost (" + plainText(project.jobCrashCost[job]) +
                         ") is below its amount (" + plainText(project.jobAmount[job]) + ")");
    }
    // Shortening takes time off the job's time, never off its delay.
    costed.flow.crash = (crashTime + project.jobDelay[job]).units();
    costed.extra = project.jobCrashCost[job] - project.jobAmount[job];
    costed.range = (time - crashTime).units();
    return costed;
}

// Each job's cost of a unit of time saved, extra / range, as a whole number
// scaled by 2^shift: the largest shift up to 62 (extra is below 2^63) that
// keeps every one below 2^100, so that the flow, a hundred of them at most,
// stays well inside 128 bits. Two plans are then told apart wrongly only
// where their costs of a unit saved differ by less than a hundred steps of
// the scale, 2^-shift ten-thousandths (2^-62 while no job costs more than
// 2^38 ten-thousandths a unit saved). A job that costs nothing more
// shortened gets the least cost there is, so that it is shortened only
// where that helps.
void scaleCosts(std::vector<CostedJob>& jobs) {
    const Wide limit = Wide{1} << 100;
    int shift = 62;
    for (const CostedJob& job : jobs) {
        while (job.range > 0 && (Wide{job.extra.units()} << shift) / job.range >= limit) {
            --shift;
        }
    }
    for (CostedJob& job : jobs) {
        if (job.range > 0) {
            job.flow.costPerUnit =
                std::max<Wide>(1, (Wide{job.extra.units()} << shift) / job.range);
        }
    }
}

// numerator / denominator (above 0) to the nearest ten-thousandth, ties to
// even.
Currency roundedUnits(Wide numerator, Wide denominator) {
    Wide quotient = numerator / denominator;
    const Wide rest = numerator % denominator;
    const Wide twiceRest = 2 * (rest < 0 ? -rest : rest);
    if (twiceRest > denominator || (twiceRest == denominator && quotient % 2 != 0)) {
        quotient += numerator < 0 ? -1 : 1;
    }
    if (quotient > std::numeric_limits<std::int64_t>::max() ||
        quotient < std::numeric_limits<std::int64_t>::min()) {
        throw CurrencyOverflow("a cost of the time-cost curve is too large for a currency value");
    }
    return Currency::fromUnits(static_cast<std::int64_t>(quotient));
}

// What shortening the job by saved (of its range) adds to its amount,
// rounded once.
Currency addedCost(const CostedJob& job, std::int64_t saved) {
    return roundedUnits(Wide{job.extra.units()} * saved, job.range);
}

// Every job's amount, and for each shortened job its extra times the part of
// its range saved. The whole parts are added exactly and the fractions
// rounded once, so the sum is off by no more than doubles lose in adding a
// hundred fractions.
Currency directCost(const std::vector<CostedJob>& jobs, const std::vector<std::int64_t>& saved) {
    Currency amounts;
    Wide whole = 0;
    double fractions = 0;
    for (std::size_t k = 0; k < jobs.size(); ++k) {
        amounts += jobs[k].amount;
        if (saved[k] > 0) {
            const Wide product = Wide{jobs[k].extra.units()} * saved[k];
            whole += product / jobs[k].range;
            fractions +=
                static_cast<double>(product % jobs[k].range) / static_cast<double>(jobs[k].range);
        }
    }
    whole += static_cast<Wide>(std::nearbyint(fractions));
    return amounts + roundedUnits(whole, 1);
}

} // namespace

TimeCostCurve timeCostCurve(const Project& project) {
    if (project.nodeCount < 1) {
        throw CrashError("the project has no events");
    }
    std::vector<CostedJob> jobs;
    for (int j = 1; j <= project.edgeCount; ++j) {
        jobs.push_back(costedJob(project, j));
    }
    scaleCosts(jobs);
    std::vector<FlowJob> network;
    for (const CostedJob& job : jobs) {
        network.push_back(job.flow);
    }
    CrashFlow flow(project.nodeCount, network);

    TimeCostCurve curve;
    const auto addPoint = [&](std::int64_t length) {
        const std::vector<std::int64_t> times = flow.eventTimes(length);
        CurvePoint point;
        point.length = Currency::fromUnits(length);
        std::vector<std::int64_t> saved(jobs.size());
        for (std::size_t k = 0; k < jobs.size(); ++k) {
            const FlowJob& job = jobs[k].flow;
            const std::int64_t room =
                times[static_cast<std::size_t>(job.to)] - times[static_cast<std::size_t>(job.from)];
            saved[k] = std::max<std::int64_t>(0, job.normal - room);
            if (saved[k] > 0) {
                point.shortened.push_back({static_cast<int>(k) + 1, Currency::fromUnits(saved[k])});
            }
        }
        point.directCost = directCost(jobs, saved);
        point.indirectCost = roundedUnits(Wide{project.indirectCostPerWeek.units()} * length, week);
        point.totalCost = point.directCost + point.indirectCost;
        curve.points.push_back(std::move(point));
    };

    // The scaled costs per unit are each rounded down by less than 1, so a
    // change of the cost of a unit saved within twice their count is none.
    const Wide unchanged = 2 * static_cast<Wide>(jobs.size());
    CrashFlow::Path path = flow.longestPath();
    std::int64_t length = path.length;
    addPoint(length);
    while (true) {
        // Every path as long as the length reached carries its flow before
        // a shorter length is planned; what they carry is what a unit saved
        // costs more below it.
        Wide sent = 0;
        while (!path.unbounded && path.length >= length) {
            sent += flow.augment();
            path = flow.longestPath();
        }
        const bool shortest = path.unbounded && path.length == length;
        curve.points.back().breakPoint = curve.points.size() > 1 && !shortest && sent > unchanged;
        if (shortest) {
            break;
        }
        length = std::max(length - week, path.length);
        addPoint(length);
    }

    Currency least = curve.points.front().totalCost;
    for (const CurvePoint& point : curve.points) {
        least = std::min(least, point.totalCost);
    }
    for (std::size_t i = 0; i < curve.points.size(); ++i) {
        if (curve.points[i].totalCost == least) {
            curve.leastTotal.push_back(i);
        }
    }
    return curve;
}

void crashTo(Project& project, const CurvePoint& point) {
    for (const Shortening& shortening : point.shortened) {
        const CostedJob job = costedJob(project, shortening.job);
        const Currency added = addedCost(job, shortening.by.units());
        const Currency time = Currency::fromFloat(project.edgeWeight[shortening.job]);
        project.edgeWeight[shortening.job] = static_cast<float>((time - shortening.by).toDouble());
        project.jobAmount[shortening.job] += added;
    }
}

} // namespace arrowplan
