#include "crashing/curve_report.h"

#include "model/number_text.h"
#include "schedule/report_csv.h"

#include <algorithm>

namespace arrowplan {

namespace {

constexpr const char* curveHeader = "  Length      Direct    Indirect       Total  Shortened";

// "40", "40 and 39", "40, 39 and 38".
std::string lengthsText(const TimeCostCurve& curve) {
    std::string text;
    const std::vector<std::size_t>& least = curve.leastTotal;
    for (std::size_t i = 0; i < least.size(); ++i) {
        text += i == 0 ? "" : i + 1 == least.size() ? " and " : ", ";
        text += plainText(curve.points[least[i]].length);
    }
    return text;
}

} // namespace

std::string shortenedText(const Project& project, const CurvePoint& point) {
    std::string text;
    for (const Shortening& shortening : point.shortened) {
        const std::string title = project.jobTitle[shortening.job].trimmed();
        text += (text.empty() ? "" : ", ") + plainText(shortening.job) +
                (title.empty() ? "" : " " + title) + ": " + plainText(shortening.by);
    }
    return text;
}

std::string leastTotalText(const TimeCostCurve& curve) {
    return "Least total cost " + plainText(curve.points[curve.leastTotal.front()].totalCost) +
           " at " + lengthsText(curve) +
           (curve.leastTotal.size() > 1 ? "; the longest is chosen" : "");
}

std::vector<std::string> curveLines(const Project& project, const TimeCostCurve& curve) {
    std::vector<std::string> lines{curveHeader};
    for (const CurvePoint& point : curve.points) {
        std::string line;
        appendRightAligned(line, plainText(point.length), 7);
        line += point.breakPoint ? "*" : " ";
        appendRightAligned(line, plainText(point.directCost), 11);
        appendRightAligned(line, plainText(point.indirectCost), 12);
        appendRightAligned(line, plainText(point.totalCost), 12);
        const std::string shortened = shortenedText(project, point);
        lines.push_back(shortened.empty() ? line : line + "  " + shortened);
    }
    lines.push_back("* a break point: the cost of a week saved changes there");
    lines.push_back(leastTotalText(curve));
    return lines;
}

std::string curveCsv(const Project& project, const TimeCostCurve& curve) {
    std::vector<std::string> header{"length",       "breakPoint", "directCost",
                                    "indirectCost", "totalCost",  "leastTotal"};
    for (int j = 1; j <= project.edgeCount; ++j) {
        header.push_back(jobColumnName(project, j));
    }
    std::string csv = csvRow(header);
    for (std::size_t i = 0; i < curve.points.size(); ++i) {
        const CurvePoint& point = curve.points[i];
        const bool least = std::find(curve.leastTotal.begin(), curve.leastTotal.end(), i) !=
                           curve.leastTotal.end();
        std::vector<std::string> row{plainText(point.length),     point.breakPoint ? "1" : "0",
                                     plainText(point.directCost), plainText(point.indirectCost),
                                     plainText(point.totalCost),  least ? "1" : "0"};
        std::vector<Currency> by(static_cast<std::size_t>(project.edgeCount));
        for (const Shortening& shortening : point.shortened) {
            by[static_cast<std::size_t>(shortening.job - 1)] = shortening.by;
        }
        for (const Currency time : by) {
            row.push_back(plainText(time));
        }
        csv += csvRow(row);
    }
    return csv;
}

} // namespace arrowplan
