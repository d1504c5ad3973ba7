#include "model/file_extras.h"

#include "model/estimate.h"
#include "model/number_parse.h"
#include "model/number_text.h"

#include <cmath>
#include <sstream>

namespace arrowplan {

namespace {

const std::string headerStart = "[arrowplan extras ";
const std::string blockEnd = "[end]";
constexpr const char* lineEnd = "\r\n";

bool blank(const std::string& line) {
    return line.find_first_not_of(" \t") == std::string::npos;
}

// The blank-separated words of a line.
std::vector<std::string> wordsOf(const std::string& line) {
    std::istringstream in(line);
    std::vector<std::string> words;
    for (std::string word; in >> word;) {
        words.push_back(word);
    }
    return words;
}

} // namespace

void writeExtras(std::ostream& out, const Project& project) {
    bool any = false;
    for (int j = 1; j <= project.edgeCount && !any; ++j) {
        any = hasEstimate(project, j);
    }
    if (!any) {
        return;
    }
    out << headerStart << extrasVersion << ']' << lineEnd;
    for (int j = 1; j <= project.edgeCount; ++j) {
        if (hasEstimate(project, j)) {
            out << "estimate " << j << ' ' << plainText(project.jobOptimistic[j]) << ' '
                << plainText(project.jobMostLikely[j]) << ' '
                << plainText(project.jobPessimistic[j]) << lineEnd;
        }
    }
    out << blockEnd << lineEnd;
}

std::optional<std::pair<int, std::string>>
readExtras(const std::vector<std::pair<int, std::string>>& lines, Project& project) {
    auto at = lines.begin();
    while (at != lines.end() && blank(at->second)) {
        ++at;
    }
    // What follows the name without the header is no block: the file reads
    // as a reader that stops at the name reads it. A header cut short is a
    // block cut short.
    if (at == lines.end() ||
        !(at->second.starts_with(headerStart) || headerStart.starts_with(at->second))) {
        return std::nullopt;
    }
    const auto fault = [](int line, const std::string& what) {
        return std::pair(line, "the block of extras after the name " + what);
    };
    const std::string header = at->second;
    const std::string version =
        header.ends_with("]")
            ? header.substr(headerStart.size(), header.size() - headerStart.size() - 1)
            : std::string();
    const std::optional<std::int16_t> number =
        isPlainNumber(version) ? toInteger16(version) : std::nullopt;
    if (!number || *number < 1) {
        return fault(at->first, "does not begin with \"" + headerStart + "N]\"");
    }
    if (*number > extrasVersion) {
        return fault(at->first,
                     "is of version " + version + ", which a later version of the program writes");
    }
    std::vector<bool> seen(static_cast<std::size_t>(maxItems) + 1, false);
    for (++at; at != lines.end(); ++at) {
        const auto& [line, text] = *at;
        if (text == blockEnd) {
            break;
        }
        const std::vector<std::string> words = wordsOf(text);
        if (words.size() != 5 || words[0] != "estimate") {
            return fault(line, "has a line that is no estimate: " + text);
        }
        const std::optional<std::int16_t> job =
            isPlainNumber(words[1]) ? toInteger16(words[1]) : std::nullopt;
        if (!job || *job < 1 || *job > project.edgeCount) {
            return fault(line, "names no job of the project: " + words[1]);
        }
        if (seen[static_cast<std::size_t>(*job)]) {
            return fault(line, "gives job " + words[1] + " a second estimate");
        }
        seen[static_cast<std::size_t>(*job)] = true;
        std::optional<float> times[3];
        for (std::size_t i = 0; i < 3; ++i) {
            times[i] = isPlainNumber(words[i + 2]) ? toSingle(words[i + 2]) : std::nullopt;
            if (!times[i]) {
                return fault(line, "has a time that is not a number: " + words[i + 2]);
            }
        }
        if (const auto wrong = estimateProblem({*times[0], *times[1], *times[2]})) {
            return fault(line, "gives job " + words[1] + " estimates it cannot have: " + *wrong);
        }
        project.jobOptimistic[*job] = *times[0];
        project.jobMostLikely[*job] = *times[1];
        project.jobPessimistic[*job] = *times[2];
    }
    if (at == lines.end()) {
        return fault(lines.back().first, "has no \"" + blockEnd + "\" line");
    }
    for (++at; at != lines.end(); ++at) {
        if (!blank(at->second)) {
            return fault(at->first, "is followed by more: " + at->second);
        }
    }
    return std::nullopt;
}

} // namespace arrowplan
