#include "soak_invariants.h"

#include "model/number_text.h"
#include "schedule/cpm.h"
#include "schedule/listing.h"

#include <cstdint>
#include <cstdlib>

namespace arrowplan::soak {

namespace {

using Failure = std::optional<std::string>;

std::string jobName(int j) {
    return "job " + std::to_string(j);
}

// Reads the fields of a listing line one after the other, as the listing
// lays them out: a text right-aligned in its width, pushed on when longer.
class FieldReader {
  public:
    explicit FieldReader(const std::string& line) : line_(line) {}

    bool field(const std::string& text, std::size_t width) {
        const std::size_t pad = text.size() < width ? width - text.size() : 0;
        const std::string expected = std::string(pad, ' ') + text;
        if (line_.compare(at_, expected.size(), expected) != 0) {
            return false;
        }
        at_ += expected.size();
        return true;
    }
    bool atEnd() const { return at_ == line_.size(); }
    std::size_t at() const { return at_; }

  private:
    const std::string& line_;
    std::size_t at_ = 0;
};

// The listing's own reading of a job, field by field.
Failure checkJobLine(const Project& p, int j, const std::string& line) {
    const long long from = nodeSlot(p.edgeFrom[j]);
    const long long to = nodeSlot(p.edgeTo[j]);
    const Currency early = p.earlyTime[from];
    const Currency late = p.lateTime[to];
    const Currency d = duration(p, j);
    const Currency slack = late - early - d;
    const bool critical = p.earlyTime[from] == p.lateTime[from] &&
                          p.earlyTime[to] == p.lateTime[to] && p.earlyTime[to] - early == d;
    std::string time = plainText(p.edgeWeight[j]);
    if (p.jobDelay[j] != Currency()) {
        time += "{" + plainText(p.jobDelay[j]) + "}";
    }
    FieldReader r(line);
    const bool ok = r.field(plainText(p.edgeFrom[j]), 2) && r.field(",", 1) &&
                    r.field(plainText(p.edgeTo[j]), 2) && r.field(plainText(early), 7) &&
                    r.field(plainText(late), 6) && r.field("", 6) &&
                    r.field(p.jobTitle[j].text(), 14) && r.field(critical ? " cp" : "   ", 3) &&
                    r.field(time, 7) && r.field(plainText(slack), 6) &&
                    r.field(p.jobDelay[j] > Currency() ? "$" : " ", 1) &&
                    r.field(plainText(p.jobAmount[j]), 7) && r.atEnd();
    if (!ok) {
        return "listing line of " + jobName(j) + " does not read back at column " +
               std::to_string(r.at()) + ": \"" + line + "\"";
    }
    return std::nullopt;
}

Failure checkSchedule(const Project& p) {
    if (p.nodeCount >= 1 && p.earlyTime[1] != Currency()) {
        return "the early time of node 1 is " + plainText(p.earlyTime[1]);
    }
    if (p.nodeCount >= 1 && p.lateTime[p.nodeCount] != p.earlyTime[p.nodeCount]) {
        return "the last node's late time differs from its early time";
    }
    for (int j = 1; j <= p.edgeCount; ++j) {
        const long long from = nodeSlot(p.edgeFrom[j]);
        const long long to = nodeSlot(p.edgeTo[j]);
        const Currency d = duration(p, j);
        if (p.earlyTime[to] < p.earlyTime[from] + d) {
            return jobName(j) + " ends before its early start plus its duration";
        }
        if (p.lateTime[from] > p.lateTime[to] - d) {
            return jobName(j) + " starts later than its late finish less its duration";
        }
    }
    return std::nullopt;
}

// Money as the US English currency text writes it, in cents: $1,234.50,
// ($20.00).
std::optional<std::int64_t> cents(std::string text) {
    while (!text.empty() && text.front() == ' ') {
        text.erase(0, 1);
    }
    const bool negative = text.starts_with("(") && text.ends_with(")");
    if (negative) {
        text = text.substr(1, text.size() - 2);
    }
    if (!text.starts_with("$")) {
        return std::nullopt;
    }
    std::int64_t value = 0;
    for (const char c : text.substr(1)) {
        if (c >= '0' && c <= '9') {
            if (__builtin_mul_overflow(value, 10, &value)) {
                return std::nullopt;
            }
            value += c - '0';
        } else if (c != ',' && c != '.') {
            return std::nullopt;
        }
    }
    return negative ? -value : value;
}

struct WeekLine {
    std::int64_t cost;
    std::int64_t total;
};

std::optional<WeekLine> weekLine(const std::string& line) {
    const std::size_t costs = line.find(",  costs=");
    const std::size_t total = line.find("   Total=");
    if (!line.starts_with("week=") || costs == std::string::npos || total == std::string::npos) {
        return std::nullopt;
    }
    const auto cost = cents(line.substr(costs + 9, total - costs - 9));
    const auto sum = cents(line.substr(total + 9));
    if (!cost || !sum) {
        return std::nullopt;
    }
    return WeekLine{*cost, *sum};
}

// The week lines from index i on, up to the next line that is not one.
std::vector<WeekLine> weekLines(const std::vector<std::string>& lines, std::size_t& i) {
    std::vector<WeekLine> weeks;
    while (i < lines.size()) {
        const auto week = weekLine(lines[i]);
        if (!week) {
            break;
        }
        weeks.push_back(*week);
        ++i;
    }
    return weeks;
}

} // namespace

Failure checkTables(const Project& p) {
    if (p.nodeCount < 0 || p.nodeCount > maxItems || p.edgeCount < 0 || p.edgeCount > maxItems) {
        return "counts outside 0..100: " + std::to_string(p.nodeCount) + " nodes, " +
               std::to_string(p.edgeCount) + " jobs";
    }
    for (int i = 1; i <= p.nodeCount; ++i) {
        if (p.nodeNumber[i] != static_cast<float>(i)) {
            return "node " + std::to_string(i) + " is numbered " + plainText(p.nodeNumber[i]);
        }
    }
    for (int j = 1; j <= p.edgeCount; ++j) {
        const Currency from = p.edgeFrom[j];
        const Currency to = p.edgeTo[j];
        const bool halfMade = j == p.edgeCount && p.edgeStarted == 1;
        const bool ends = from.units() % Currency::scale == 0 && to.units() % Currency::scale == 0;
        const long long f = from.rounded();
        const long long t = to.rounded();
        const bool valid = halfMade ? ends && f >= 1 && f < p.nodeCount && t == 0
                                    : ends && f >= 1 && f < t && t <= p.nodeCount;
        if (!valid) {
            return jobName(j) + (halfMade ? " (half-made)" : "") + " runs from " + plainText(from) +
                   " to " + plainText(to) + " with " + std::to_string(p.nodeCount) + " nodes";
        }
    }
    if (p.edgeStarted == 1 && p.edgeCount == 0) {
        return "an arrow is half-made but no job is counted";
    }
    return std::nullopt;
}

Failure checkListing(const Project& p, const std::vector<std::string>& lines) {
    if (lines.size() != static_cast<std::size_t>(p.edgeCount) + 1) {
        return "the listing has " + std::to_string(lines.size()) + " lines for " +
               std::to_string(p.edgeCount) + " jobs";
    }
    try {
        for (int j = 1; j <= p.edgeCount; ++j) {
            if (auto failure = checkJobLine(p, j, lines[static_cast<std::size_t>(j)])) {
                return failure;
            }
        }
        return checkSchedule(p);
    } catch (const CurrencyOverflow&) {
        return std::nullopt; // figures beyond the currency range cannot be checked
    }
}

Failure checkCosts(const Project& p, const std::vector<std::string>& lines) {
    std::size_t i = 1;
    const std::vector<WeekLine> totals = weekLines(lines, i);
    std::vector<std::int64_t> sums(totals.size(), 0);
    std::int64_t jobTotals = 0;
    for (int j = 1; j <= p.edgeCount; ++j) {
        if (i + 1 >= lines.size() || lines[i] != " " || !lines[i + 1].starts_with("Job: ")) {
            return "the cost listing has no heading for " + jobName(j) + " at line " +
                   std::to_string(i);
        }
        i += 2;
        const std::vector<WeekLine> weeks = weekLines(lines, i);
        if (weeks.size() != totals.size()) {
            return jobName(j) + " lists " + std::to_string(weeks.size()) + " weeks, the totals " +
                   std::to_string(totals.size());
        }
        for (std::size_t w = 0; w < weeks.size(); ++w) {
            if (__builtin_add_overflow(sums[w], weeks[w].cost, &sums[w])) {
                return std::nullopt; // sums beyond the range of the check
            }
        }
        if (!weeks.empty() && __builtin_add_overflow(jobTotals, weeks.back().total, &jobTotals)) {
            return std::nullopt;
        }
    }
    if (i < lines.size() && !lines[i].starts_with("The listing stops after week")) {
        return "unexpected cost line " + std::to_string(i) + ": \"" + lines[i] + "\"";
    }
    // Each figure is rounded to the cent on its own: half a cent each.
    const std::int64_t slack = (p.edgeCount + 1) / 2 + 1;
    for (std::size_t w = 0; w < totals.size(); ++w) {
        if (std::llabs(totals[w].cost - sums[w]) > slack) {
            return "week " + std::to_string(w) + " costs " + std::to_string(totals[w].cost) +
                   " cents, its jobs " + std::to_string(sums[w]);
        }
    }
    if (!totals.empty() && std::llabs(totals.back().total - jobTotals) > slack) {
        return "the project's total is " + std::to_string(totals.back().total) +
               " cents, its jobs' totals " + std::to_string(jobTotals);
    }
    return std::nullopt;
}

} // namespace arrowplan::soak
