#include "schedule/listing.h"

#include "model/number_text.h"
#include "schedule/cpm.h"

namespace arrowplan {

namespace {

std::string jobLine(const Project& project, int job) {
    const Currency from = project.edgeFrom[job];
    const Currency to = project.edgeTo[job];
    const Currency earlyStart = project.earlyTime[nodeSlot(from)];
    const Currency lateFinish = project.lateTime[nodeSlot(to)];
    const Currency delay = project.jobDelay[job];
    const Currency slack = lateFinish - earlyStart - duration(project, job);

    std::string time = plainText(project.edgeWeight[job]);
    if (delay != Currency()) {
        time += "{" + plainText(delay) + "}";
    }

    std::string line;
    line.reserve(listingHeader.size() + 8);
    appendRightAligned(line, plainText(from), 2);
    line += ",";
    appendRightAligned(line, plainText(to), 2);
    appendRightAligned(line, plainText(earlyStart), 7);
    appendRightAligned(line, plainText(lateFinish), 6);
    line += "      ";
    appendRightAligned(line, project.jobTitle[job].text(), JobTitle::width);
    line += isCritical(project, job) ? " cp" : "   ";
    appendRightAligned(line, time, 7);
    appendRightAligned(line, plainText(slack), 6);
    line += delay > Currency() ? "$" : " ";
    appendRightAligned(line, plainText(project.jobAmount[job]), 7);
    return line;
}

} // namespace

std::vector<std::string> listingLines(const Project& project) {
    std::vector<std::string> lines{std::string(listingHeader)};
    for (int j = 1; j <= project.edgeCount; ++j) {
        lines.push_back(jobLine(project, j));
    }
    return lines;
}

} // namespace arrowplan
