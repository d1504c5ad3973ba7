#include "model/file_extras.h"

#include "model/estimate.h"
#include "model/number_parse.h"
#include "model/number_text.h"

#include <algorithm>
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

template <typename T>
std::optional<T> numberIn(const std::string& word, std::optional<T> (*convert)(std::string_view)) {
    return isPlainNumber(word) ? convert(word) : std::nullopt;
}

// What the lines read so far have named: a second line of a kind for the
// same job, or a second indirect cost, is refused.
struct Named {
    std::vector<bool> estimate = std::vector<bool>(static_cast<std::size_t>(maxItems) + 1);
    std::vector<bool> crash = std::vector<bool>(static_cast<std::size_t>(maxItems) + 1);
    bool indirect = false;
};

// Why a line cannot be stored, or nothing once it is.
using Refusal = std::optional<std::string>;

// The job word names, taken once for its kind of line.
Refusal takeJob(const std::string& word, const Project& project, std::vector<bool>& named,
                const std::string& kind, int& job) {
    const std::optional<std::int16_t> number = numberIn(word, toInteger16);
    if (!number || *number < 1 || *number > project.edgeCount) {
        return "names no job of the project: " + word;
    }
    job = *number;
    if (named[static_cast<std::size_t>(job)]) {
        return "gives job " + word + " a second " + kind;
    }
    named[static_cast<std::size_t>(job)] = true;
    return std::nullopt;
}

Refusal storeEstimate(const std::vector<std::string>& words, Project& project, Named& named) {
    int job = 0;
    if (auto refusal = takeJob(words[1], project, named.estimate, "estimate", job)) {
        return refusal;
    }
    std::optional<float> times[3];
    for (std::size_t i = 0; i < 3; ++i) {
        times[i] = numberIn(words[i + 2], toSingle);
        if (!times[i]) {
            return "has a time that is not a number: " + words[i + 2];
        }
    }
    if (const auto wrong = estimateProblem({*times[0], *times[1], *times[2]})) {
        return "gives job " + words[1] + " estimates it cannot have: " + *wrong;
    }
    project.jobOptimistic[job] = *times[0];
    project.jobMostLikely[job] = *times[1];
    project.jobPessimistic[job] = *times[2];
    return std::nullopt;
}

// A crash time above the job's time or a crash cost below its amount is
// stored as it is: the card may change the time or the amount afterwards, so
// the time-cost analysis, not the file, refuses them.
Refusal storeCrash(const std::vector<std::string>& words, Project& project, Named& named) {
    int job = 0;
    if (auto refusal = takeJob(words[1], project, named.crash, "crash time", job)) {
        return refusal;
    }
    const std::optional<float> time = numberIn(words[2], toSingle);
    if (!time) {
        return "has a time that is not a number: " + words[2];
    }
    const std::optional<Currency> cost = numberIn(words[3], toCurrency);
    if (!cost) {
        return "has a cost that is not an amount: " + words[3];
    }
    if (!(*time >= 0) || !fitsSchedule(*time, project.jobDelay[job])) {
        return "gives job " + words[1] +
               " a crash time it cannot have: it must be 0 or more and fit a schedule with the "
               "job's delay";
    }
    project.jobCrashTime[job] = *time;
    project.jobCrashCost[job] = *cost;
    return std::nullopt;
}

Refusal storeIndirect(const std::vector<std::string>& words, Project& project, Named& named) {
    if (named.indirect) {
        return std::string("gives the indirect cost a second time");
    }
    named.indirect = true;
    const std::optional<Currency> cost = numberIn(words[1], toCurrency);
    if (!cost || *cost < Currency()) {
        return "has an indirect cost that is no amount of 0 or more: " + words[1];
    }
    project.indirectCostPerWeek = *cost;
    return std::nullopt;
}

// A kind of line: its first word, its number of words, the version of the
// block that brought it in, and how it is stored.
struct LineKind {
    std::string_view name;
    std::size_t words;
    int version;
    Refusal (*store)(const std::vector<std::string>&, Project&, Named&);
};

constexpr LineKind lineKinds[] = {
    {"estimate", 5, 1, storeEstimate},
    {"crash", 4, 2, storeCrash},
    {"indirect", 2, 2, storeIndirect},
};

} // namespace

void writeExtras(std::ostream& out, const Project& project) {
    bool estimates = false;
    bool crashes = false;
    for (int j = 1; j <= project.edgeCount; ++j) {
        estimates = estimates || hasEstimate(project, j);
        crashes = crashes || hasCrashData(project, j);
    }
    const bool indirect = project.indirectCostPerWeek != Currency();
    if (!estimates && !crashes && !indirect) {
        return;
    }
    out << headerStart << (crashes || indirect ? 2 : 1) << ']' << lineEnd;
    for (int j = 1; j <= project.edgeCount; ++j) {
        if (hasEstimate(project, j)) {
            out << "estimate " << j << ' ' << plainText(project.jobOptimistic[j]) << ' '
                << plainText(project.jobMostLikely[j]) << ' '
                << plainText(project.jobPessimistic[j]) << lineEnd;
        }
        if (hasCrashData(project, j)) {
            out << "crash " << j << ' ' << plainText(project.jobCrashTime[j]) << ' '
                << plainText(project.jobCrashCost[j]) << lineEnd;
        }
    }
    if (indirect) {
        out << "indirect " << plainText(project.indirectCostPerWeek) << lineEnd;
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
    Named named;
    for (++at; at != lines.end(); ++at) {
        const auto& [line, text] = *at;
        if (text == blockEnd) {
            break;
        }
        const std::vector<std::string> words = wordsOf(text);
        const auto kind =
            std::find_if(std::begin(lineKinds), std::end(lineKinds), [&](const LineKind& known) {
                return known.version <= *number && !words.empty() && words[0] == known.name &&
                       words.size() == known.words;
            });
        if (kind == std::end(lineKinds)) {
            return fault(line, "has a line that version " + version + " does not know: " + text);
        }
        if (const Refusal refusal = kind->store(words, project, named)) {
            return fault(line, *refusal);
        }
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
