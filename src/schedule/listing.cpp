#include "schedule/listing.h"

#include "model/number_text.h"
#include "schedule/cpm.h"

namespace arrowplan {

namespace {

std::string jobLine(const ListedJob& job) {
    std::string line;
    line.reserve(listingHeader.size() + 8);
    appendRightAligned(line, plainText(job.from), 2);
    line += ",";
    appendRightAligned(line, plainText(job.to), 2);
    appendRightAligned(line, plainText(job.earlyStart), 7);
    appendRightAligned(line, plainText(job.lateFinish), 6);
    line += "      ";
    appendRightAligned(line, job.title.text(), JobTitle::width);
    line += job.critical ? " cp" : "   ";
    appendRightAligned(line, timeText(job), 7);
    appendRightAligned(line, plainText(job.slack), 6);
    line += job.delay > Currency() ? "$" : " ";
    appendRightAligned(line, plainText(job.amount), 7);
    return line;
}

} // namespace

std::string timeText(const ListedJob& job) {
    std::string time = plainText(job.expectedTime);
    if (job.delay != Currency()) {
        time += "{" + plainText(job.delay) + "}";
    }
    return time;
}

std::vector<ListedEvent> listedEvents(const Project& project) {
    std::vector<ListedEvent> events;
    for (int i = 1; i <= project.nodeCount; ++i) {
        events.push_back(
            {i, project.earlyTime[i], project.lateTime[i], isCriticalEvent(project, i)});
    }
    return events;
}

std::vector<ListedJob> listedJobs(const Project& project) {
    std::vector<ListedJob> jobs;
    for (int j = 1; j <= project.edgeCount; ++j) {
        const Currency from = project.edgeFrom[j];
        const Currency to = project.edgeTo[j];
        const Currency earlyStart = project.earlyTime[nodeSlot(from)];
        const Currency lateFinish = project.lateTime[nodeSlot(to)];
        const Currency length = duration(project, j);
        jobs.push_back({j, from, to, earlyStart, lateFinish, project.jobTitle[j],
                        isCritical(project, j), project.edgeWeight[j], project.jobDelay[j], length,
                        lateFinish - earlyStart - length, project.jobAmount[j],
                        project.jobPayMode[j]});
    }
    return jobs;
}

std::vector<std::string> listingLines(const Project& project) {
    std::vector<std::string> lines{std::string(listingHeader)};
    for (const ListedJob& job : listedJobs(project)) {
        lines.push_back(jobLine(job));
    }
    return lines;
}

} // namespace arrowplan
