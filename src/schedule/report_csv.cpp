#include "schedule/report_csv.h"

#include "model/number_text.h"
#include "schedule/floats.h"
#include "schedule/listing.h"
#include "schedule/weekly_costs.h"

#include <vector>

namespace arrowplan {

std::string csvField(std::string_view text) {
    if (text.find_first_of(",\"\r\n") == std::string_view::npos) {
        return std::string(text);
    }
    std::string quoted = "\"";
    for (const char c : text) {
        quoted += c;
        if (c == '"') {
            quoted += '"';
        }
    }
    return quoted + "\"";
}

std::string csvRow(const std::vector<std::string>& fields) {
    std::string row;
    for (std::size_t i = 0; i < fields.size(); ++i) {
        if (i > 0) {
            row += ',';
        }
        row += csvField(fields[i]);
    }
    return row + "\r\n";
}

std::string jobColumnName(const Project& project, int job) {
    const std::string title = project.jobTitle[job].trimmed();
    return title + (title.empty() ? "(" : " (") + plainText(project.edgeFrom[job]) + "-" +
           plainText(project.edgeTo[job]) + ")";
}

std::string listingCsv(const Project& project) {
    std::string csv;
    csv += csvRow({"job", "from", "to", "earlyStart", "lateFinish", "title", "critical", "time",
                   "delay", "duration", "slack", "amount", "paymentMode", "freeFloat",
                   "independentFloat", "interferingFloat"});
    for (const JobFloats& floats : jobFloats(project)) {
        const ListedJob& job = floats.job;
        csv += csvRow({plainText(job.job), plainText(job.from), plainText(job.to),
                       plainText(job.earlyStart), plainText(job.lateFinish), job.title.trimmed(),
                       job.critical ? "1" : "0", plainText(job.expectedTime), plainText(job.delay),
                       plainText(job.duration), plainText(job.slack), plainText(job.amount),
                       plainText(job.payMode), plainText(floats.free),
                       plainText(floats.independent), plainText(floats.interfering)});
    }
    return csv;
}

std::string weeklyCostCsv(const Project& project) {
    const WeeklyCosts costs = weeklyCosts(project, CostSections{});
    std::vector<std::string> header{"week", "cost", "total"};
    for (int j = 1; j <= project.edgeCount; ++j) {
        header.push_back(jobColumnName(project, j));
    }
    std::string csv;
    csv += csvRow(header);
    for (std::size_t week = 0; week < costs.project.cost.size(); ++week) {
        std::vector<std::string> row{plainText(static_cast<std::int64_t>(week)),
                                     plainText(costs.project.cost[week]),
                                     plainText(costs.project.total[week])};
        for (const WeeklyCosts::Payments& job : costs.jobs) {
            row.push_back(plainText(job.cost[week]));
        }
        csv += csvRow(row);
    }
    return csv;
}

} // namespace arrowplan
