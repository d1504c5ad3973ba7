#include "schedule/weekly_costs.h"

#include "model/number_text.h"

#include <optional>

namespace arrowplan {

namespace {

const Currency oneWeek = Currency::fromWhole(1);

// floor() of a fixed-point value, towards minus infinity.
long long floorOf(Currency value) {
    const std::int64_t units = value.units();
    std::int64_t whole = units / Currency::scale;
    if (units % Currency::scale != 0 && units < 0) {
        --whole;
    }
    return whole;
}

// When a job pays and how much: its start and end week follow from the
// schedule, moved later by the delay.
struct PaymentPlan {
    long long startWeek;
    long long endWeek;
    std::int16_t mode;
    Currency amount;
    float weight;

    // Worked out only for a week that pays, so an expected time of 0 never
    // divides; then kept, for every week of the job pays the same.
    mutable std::optional<Currency> share;
    Currency evenShare() const {
        if (!share) {
            share = Currency::fromDouble(amount.toDouble() / static_cast<double>(weight));
        }
        return *share;
    }

    Currency half() const { return Currency::fromDouble(amount.toDouble() / 2.0); }

    Currency in(long long week) const {
        Currency paid;
        switch (mode) {
        case payEvenly:
            if (startWeek <= week && week <= endWeek) {
                paid += evenShare();
            }
            break;
        case payAtStart:
            if (week == startWeek) {
                paid += amount;
            }
            break;
        case payHalfAndHalf:
            // Both halves land in one week when the job takes a single week.
            if (week == startWeek) {
                paid += half();
            }
            if (week == endWeek) {
                paid += half();
            }
            break;
        case payAtEnd:
            if (week == endWeek) {
                paid += amount;
            }
            break;
        default:
            break; // an unknown mode pays nothing
        }
        return paid;
    }
};

PaymentPlan paymentsOf(const Project& project, int j) {
    const Currency start = project.earlyTime[nodeSlot(project.edgeFrom[j])] + project.jobDelay[j];
    const float weight = project.edgeWeight[j];
    const Currency end = start + Currency::fromFloat(weight) - oneWeek;
    return {floorOf(start), floorOf(end), project.jobPayMode[j], project.jobAmount[j], weight, {}};
}

// Writes the week lines of a section. Weeks in a row mostly repeat their
// figures (no payment, a total that stays), so a money field is written out
// only when its amount changes: a long project lists tens of thousands of
// lines.
class WeekLines {
  public:
    explicit WeekLines(const CurrencyFormat& format) : format_(format) {}

    std::string line(long long week, Currency cost, Currency total) {
        std::string line;
        line.reserve(48);
        line += "week=";
        appendRightAligned(line, plainText(static_cast<std::int64_t>(week)), 3);
        line += ",  costs=";
        line += cost_.text(cost, 12, format_);
        line += "   Total=";
        line += total_.text(total, 9, format_);
        return line;
    }

  private:
    struct MoneyField {
        std::optional<Currency> amount;
        std::string field;
        const std::string& text(Currency value, std::size_t width, const CurrencyFormat& format) {
            if (amount != value) {
                amount = value;
                field = rightAligned(currencyText(value, format), width);
            }
            return field;
        }
    };

    const CurrencyFormat& format_;
    MoneyField cost_;
    MoneyField total_;
};

std::string jobHeading(const Project& project, int j) {
    return "Job: " + project.jobTitle[j].text() + "  Payout/(in)    Job#(" +
           rightAligned(plainText(project.edgeFrom[j]), 3) + "," +
           rightAligned(plainText(project.edgeTo[j]), 3) + ")     ";
}

} // namespace

WeeklyCosts weeklyCosts(const Project& project, CostSections sections) {
    // The project's length is the late time of its finish node, the last one added.
    const long long finish = nodeSlot(project.nodeNumber[project.nodeCount]);
    WeeklyCosts costs;
    costs.weeks = std::max(0LL, floorOf(project.lateTime[finish]));
    const auto listed = static_cast<std::size_t>(costs.listedWeeks());

    std::vector<PaymentPlan> payments;
    for (int j = 1; j <= project.edgeCount; ++j) {
        payments.push_back(paymentsOf(project, j));
    }
    const auto addWeek = [](WeeklyCosts::Payments& to, Currency cost) {
        to.total.push_back((to.total.empty() ? Currency() : to.total.back()) + cost);
        to.cost.push_back(cost);
    };
    if (sections.totals) {
        for (std::size_t week = 0; week < listed; ++week) {
            Currency cost;
            for (const PaymentPlan& job : payments) {
                cost += job.in(static_cast<long long>(week));
            }
            addWeek(costs.project, cost);
        }
    }
    if (sections.perJob) {
        for (const PaymentPlan& job : payments) {
            WeeklyCosts::Payments& own = costs.jobs.emplace_back();
            for (std::size_t week = 0; week < listed; ++week) {
                addWeek(own, job.in(static_cast<long long>(week)));
            }
        }
    }
    return costs;
}

std::vector<std::string> weeklyCostLines(const Project& project, CostSections sections,
                                         const CurrencyFormat& format) {
    const WeeklyCosts costs = weeklyCosts(project, sections);
    const long long listed = costs.listedWeeks();
    std::vector<std::string> lines;
    lines.reserve(static_cast<std::size_t>((listed + 2) * (project.edgeCount + 1)));
    WeekLines weekLines(format);
    const auto addWeeks = [&](const WeeklyCosts::Payments& payments) {
        for (std::size_t week = 0; week < payments.cost.size(); ++week) {
            lines.push_back(weekLines.line(static_cast<long long>(week), payments.cost[week],
                                           payments.total[week]));
        }
    };
    if (sections.totals) {
        lines.push_back("Total Costs for the " + project.projectName + " Project");
        addWeeks(costs.project);
    }
    for (std::size_t j = 0; j < costs.jobs.size(); ++j) {
        lines.push_back(" ");
        lines.push_back(jobHeading(project, static_cast<int>(j) + 1));
        addWeeks(costs.jobs[j]);
    }
    if (listed < costs.weeks && (sections.totals || sections.perJob)) {
        lines.push_back("The listing stops after week " +
                        plainText(static_cast<std::int64_t>(listed - 1)) + ": the project runs " +
                        plainText(static_cast<std::int64_t>(costs.weeks)) + " weeks, more than " +
                        plainText(static_cast<std::int64_t>(maxListedWeeks)) + " can be listed.");
    }
    return lines;
}

} // namespace arrowplan
