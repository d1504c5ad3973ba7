#include "schedule/floats.h"

#include "model/number_text.h"
#include "schedule/report_csv.h"

#include <algorithm>

namespace arrowplan {

std::vector<JobFloats> jobFloats(const Project& project) {
    std::vector<JobFloats> floats;
    for (const ListedJob& job : listedJobs(project)) {
        const Currency endEarly = project.earlyTime[nodeSlot(job.to)];
        const Currency startLate = project.lateTime[nodeSlot(job.from)];
        floats.push_back({job, job.slack, endEarly - job.earlyStart - job.duration,
                          std::max(Currency(), endEarly - startLate - job.duration),
                          job.lateFinish - endEarly});
    }
    return floats;
}

std::vector<std::string> floatLines(const Project& project) {
    std::vector<std::string> lines{std::string(floatsHeader)};
    for (const JobFloats& floats : jobFloats(project)) {
        std::string line;
        appendRightAligned(line, plainText(floats.job.from), 2);
        line += ",";
        appendRightAligned(line, plainText(floats.job.to), 2);
        line += "  ";
        line += floats.job.title.text();
        appendRightAligned(line, timeText(floats.job), 7);
        for (const Currency value :
             {floats.total, floats.free, floats.independent, floats.interfering}) {
            appendRightAligned(line, plainText(value), 7);
        }
        lines.push_back(line);
    }
    return lines;
}

std::string floatsCsv(const Project& project) {
    std::string csv = csvRow({"job", "from", "to", "title", "duration", "totalFloat", "freeFloat",
                              "independentFloat", "interferingFloat"});
    for (const JobFloats& floats : jobFloats(project)) {
        csv += csvRow(
            {plainText(floats.job.job), plainText(floats.job.from), plainText(floats.job.to),
             floats.job.title.trimmed(), plainText(floats.job.duration), plainText(floats.total),
             plainText(floats.free), plainText(floats.independent), plainText(floats.interfering)});
    }
    return csv;
}

} // namespace arrowplan
