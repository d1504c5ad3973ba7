#include "risk/risk_plots.h"

#include "model/utf8.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace arrowplan {

namespace {

constexpr Colour barFill = 0xF0D8B0;     // light blue
constexpr Colour barEdge = 0xA06030;     // dark blue
constexpr Colour curveColour = 0x2030C0; // dark red
constexpr Colour markColour = 0x207020;  // green
constexpr Colour weekColour = colours::red;
constexpr Colour gridColour = 0xD8D8D8;
constexpr double titleSize = 10;
constexpr double labelSize = 8;
// The tallest bar reaches this share of the frame, leaving room for the marks' labels.
constexpr double tallestBar = 0.9;
constexpr int mostBins = 40;

double lineHeight(const Surface& surface) {
    return surface.textHeight("0");
}

double gap(const Surface& surface) {
    return lineHeight(surface) / 2;
}

void write(Surface& surface, double x, double y, const std::string& text) {
    surface.setPosition(x, y);
    surface.printText(text);
}

void writeEndingAt(Surface& surface, double right, double y, const std::string& text) {
    write(surface, right - surface.textWidth(text), y, text);
}

void writeCentredAt(Surface& surface, double centre, double y, const std::string& text) {
    write(surface, centre - surface.textWidth(text) / 2, y, text);
}

// The longest beginning of the text, with "..." where it was cut, that fits.
std::string fitted(const Surface& surface, const std::string& text, double width) {
    if (surface.textWidth(text) <= width) {
        return text;
    }
    for (std::size_t keep = characterCount(text); keep-- > 0;) {
        const std::string cut = std::string(firstCharacters(text, keep)) + "...";
        if (surface.textWidth(cut) <= width) {
            return cut;
        }
    }
    return {};
}

std::string withDecimals(double value, int decimals) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.*f", decimals, value);
    return buffer;
}

std::string percent(double share, int decimals = 1) {
    return withDecimals(100 * share, decimals) + "%";
}

// A week typed to finish by: whole weeks without decimals.
std::string weekText(double week) {
    return withDecimals(week, week == std::floor(week) ? 0 : 2);
}

// A step of 1, 2 or 5 times a power of ten that cuts the range into at
// most `parts`, and the decimals its multiples need.
struct Step {
    double size;
    int decimals;
};
Step niceStep(double range, int parts) {
    const double raw = range / parts;
    const double power = std::floor(std::log10(raw));
    const double unit = std::pow(10.0, power);
    double size = 10 * unit;
    for (const double m : {1.0, 2.0, 5.0}) {
        if (m * unit >= raw * (1 - 1e-9)) { // 0.02 is 2 * 0.01 also where doubles disagree
            size = m * unit;
            break;
        }
    }
    return {size, std::max(0, static_cast<int>(-std::floor(std::log10(size))))};
}

// The multiples of the step from first to last.
std::vector<double> ticks(Step step, double first, double last) {
    std::vector<double> at;
    for (double k = std::ceil(first / step.size); k * step.size <= last; ++k) {
        at.push_back(k * step.size);
    }
    return at;
}

void useLabelFont(Surface& surface) {
    surface.setFontSize(labelSize);
}

void writeTitle(Surface& surface, PlotArea area, const std::string& title) {
    surface.setFontSize(titleSize);
    surface.setDrawColour(colours::black);
    write(surface, area.left, area.top, title);
    useLabelFont(surface);
}

void drawFrame(Surface& surface, PlotArea frame) {
    surface.setDrawColour(colours::black);
    surface.setLineStyle(LineStyle::solid);
    surface.setPenWidth(1);
    surface.line(frame.left, frame.top, frame.left, frame.bottom());
    surface.line(frame.left, frame.bottom(), frame.right(), frame.bottom());
    surface.line(frame.right(), frame.bottom(), frame.right(), frame.top);
}

// The weeks under the frame, with a light line up through it at each.
void drawWeekAxis(Surface& surface, const FinishScale& scale) {
    const PlotArea& frame = scale.frame;
    const double widest = surface.textWidth("00000");
    const int parts = std::max(2, static_cast<int>(frame.width / (1.5 * widest)));
    const Step step = niceStep(scale.lastWeek - scale.firstWeek, parts);
    for (const double week : ticks(step, scale.firstWeek, scale.lastWeek)) {
        const double x = scale.x(week);
        surface.setDrawColour(gridColour);
        surface.line(x, frame.top, x, frame.bottom());
        surface.setDrawColour(colours::black);
        surface.line(x, frame.bottom(), x, frame.bottom() + gap(surface) / 2);
        writeCentredAt(surface, x, frame.bottom() + gap(surface) / 2,
                       withDecimals(week, step.decimals));
    }
    writeCentredAt(surface, frame.left + frame.width / 2,
                   frame.bottom() + gap(surface) / 2 + lineHeight(surface), "Finish week");
}

// The share of runs a bar stands for, on the left, up to the top of the frame.
void drawShareAxis(Surface& surface, PlotArea frame, double topShare) {
    const Step step = niceStep(topShare, 5);
    const int decimals = std::max(0, step.decimals - 2);
    surface.setDrawColour(barEdge);
    for (const double share : ticks(step, step.size, topShare)) {
        const double y = frame.bottom() - share / topShare * frame.height;
        surface.line(frame.left - gap(surface) / 2, y, frame.left, y);
        writeEndingAt(surface, frame.left - gap(surface), y - lineHeight(surface) / 2,
                      percent(share, decimals));
    }
}

// The cumulative share of runs, on the right, from 0 to 100 %.
void drawCumulativeAxis(Surface& surface, PlotArea frame) {
    surface.setDrawColour(curveColour);
    for (int quarter = 0; quarter <= 4; ++quarter) {
        const double y = frame.bottom() - quarter / 4.0 * frame.height;
        surface.line(frame.right(), y, frame.right() + gap(surface) / 2, y);
        write(surface, frame.right() + gap(surface), y - lineHeight(surface) / 2,
              percent(quarter / 4.0, 0));
    }
}

void drawHistogram(Surface& surface, const FinishScale& scale, const MonteCarloResult& result) {
    const std::vector<double>& finishes = result.sortedFinishes;
    const int bins =
        std::clamp(static_cast<int>(std::sqrt(static_cast<double>(finishes.size()))), 1, mostBins);
    const FinishHistogram histogram = finishHistogram(finishes, bins);
    const double runs = static_cast<double>(finishes.size());
    const int most = *std::max_element(histogram.counts.begin(), histogram.counts.end());
    const double topShare = most / runs / tallestBar;
    const PlotArea& frame = scale.frame;
    surface.setFillColour(barFill);
    surface.setDrawColour(barEdge);
    for (std::size_t bin = 0; bin < histogram.counts.size(); ++bin) {
        if (histogram.counts[bin] == 0) {
            continue;
        }
        const double from = histogram.lowest + static_cast<double>(bin) * histogram.binWidth;
        double left = scale.x(from);
        double right = scale.x(from + histogram.binWidth);
        if (histogram.binWidth == 0) {
            // Every run finished the same week: one bar around it.
            left -= frame.width / 80;
            right += frame.width / 80;
        }
        const double top = frame.bottom() - histogram.counts[bin] / runs / topShare * frame.height;
        surface.rectangle(left, top, right, frame.bottom());
    }
    drawShareAxis(surface, frame, topShare);
}

// The S-curve through the finish of every whole percent of the runs.
void drawCumulativeCurve(Surface& surface, const FinishScale& scale,
                         const std::vector<double>& finishes) {
    const PlotArea& frame = scale.frame;
    surface.setDrawColour(curveColour);
    surface.setPenWidth(2);
    double x = scale.x(finishes.front());
    double y = frame.bottom();
    for (int share = 1; share <= 100; ++share) {
        const double nextX = scale.x(finishPercentile(finishes, share));
        const double nextY = frame.bottom() - share / 100.0 * frame.height;
        surface.line(x, y, nextX, nextY);
        x = nextX;
        y = nextY;
    }
    surface.setPenWidth(1);
}

// A week marked by a line through the frame and its label above the frame,
// ending at the line or beginning there.
void drawMark(Surface& surface, const FinishScale& scale, double week, const std::string& label,
              bool labelLeft) {
    const PlotArea& frame = scale.frame;
    const double x = scale.x(week);
    surface.setDrawColour(markColour);
    surface.setLineStyle(LineStyle::dashed);
    surface.line(x, frame.top, x, frame.bottom());
    surface.setLineStyle(LineStyle::solid);
    const double y = frame.top - lineHeight(surface);
    if (labelLeft) {
        writeEndingAt(surface, x - gap(surface) / 2, y, label);
    } else {
        write(surface, x + gap(surface) / 2, y, label);
    }
}

void drawWeekMark(Surface& surface, const FinishScale& scale, double week) {
    const PlotArea& frame = scale.frame;
    const double x = scale.x(week);
    if (x < frame.left || x > frame.right()) {
        return; // beyond the runs' reach: the title gives the chance
    }
    surface.setDrawColour(weekColour);
    surface.setPenWidth(2);
    surface.line(x, frame.top, x, frame.bottom());
    surface.setPenWidth(1);
    const std::string label = "week " + weekText(week);
    const double width = surface.textWidth(label);
    const double y = frame.top + gap(surface) / 2;
    const double left = x + gap(surface) + width <= frame.right() ? x + gap(surface) / 2
                                                                  : x - gap(surface) / 2 - width;
    // On a white ground of its own, over whatever bar or mark is there.
    surface.setFillColour(colours::white);
    surface.setDrawColour(colours::white);
    surface.rectangle(left, y, left + width, y + lineHeight(surface));
    surface.setDrawColour(weekColour);
    write(surface, left, y, label);
}

std::string finishTitle(const RiskFigures& figures) {
    const MonteCarloResult& result = figures.simulation;
    std::string title = "Finish week of " + std::to_string(result.runs) + " runs";
    if (figures.settings.byWeek && result.chanceByWeek) {
        title +=
            ", " + percent(*result.chanceByWeek) + " by week " + weekText(*figures.settings.byWeek);
    }
    return title;
}

} // namespace

FinishScale finishScale(Surface& surface, const RiskFigures& figures, PlotArea area) {
    useLabelFont(surface);
    const double line = lineHeight(surface);
    const double axisWidth = surface.textWidth("100%") + 2 * gap(surface);
    FinishScale scale;
    scale.frame = {area.left + axisWidth, area.top + 3.6 * line, area.width - 2 * axisWidth,
                   area.height - 6.1 * line};
    const std::vector<double>& finishes = figures.simulation.sortedFinishes;
    double first = finishes.empty() ? 0 : finishes.front();
    double last = finishes.empty() ? 0 : finishes.back();
    // The week to finish by joins the scale where it is no farther from the
    // runs than they are spread, so that it does not squeeze them.
    const double reach = std::max(last - first, 1.0);
    if (const auto week = figures.settings.byWeek;
        week && *week >= first - reach && *week <= last + reach) {
        first = std::min(first, *week);
        last = std::max(last, *week);
    }
    const double margin = last > first ? (last - first) / 20 : 1.0;
    scale.firstWeek = first - margin;
    scale.lastWeek = last + margin;
    return scale;
}

void drawFinishPlot(Surface& surface, const RiskFigures& figures, PlotArea area) {
    writeTitle(surface, area, finishTitle(figures));
    const std::vector<double>& finishes = figures.simulation.sortedFinishes;
    if (finishes.empty()) {
        return;
    }
    const FinishScale scale = finishScale(surface, figures, area);
    drawWeekAxis(surface, scale);
    drawHistogram(surface, scale, figures.simulation);
    drawCumulativeAxis(surface, scale.frame);
    // What each scale counts, over its labels.
    const double captionY = scale.frame.top - 2 * lineHeight(surface);
    surface.setDrawColour(barEdge);
    write(surface, area.left, captionY, "runs a bar");
    surface.setDrawColour(curveColour);
    writeEndingAt(surface, area.right(), captionY, "finished by then");
    drawCumulativeCurve(surface, scale, finishes);
    const FinishPercentiles& p = figures.simulation.percentiles;
    drawMark(surface, scale, p.p50, "P50 " + withDecimals(p.p50, 2), true);
    drawMark(surface, scale, p.p80, "P80 " + withDecimals(p.p80, 2), false);
    if (figures.settings.byWeek) {
        drawWeekMark(surface, scale, *figures.settings.byWeek);
    }
    drawFrame(surface, scale.frame);
}

void drawJobBars(Surface& surface, const RiskFigures& figures, JobMeasure measure, PlotArea area) {
    const bool criticality = measure == JobMeasure::criticality;
    writeTitle(surface, area,
               criticality ? "Jobs by criticality (share of runs critical)"
                           : "Jobs by sensitivity (criticality x sigma / finish's)");
    const std::vector<JobRisk>& jobs = figures.simulation.jobs;
    const auto valueOf = [&](std::size_t k) {
        return criticality ? jobs[k].criticality : jobs[k].sensitivity;
    };
    std::vector<std::size_t> shown;
    for (std::size_t k = 0; k < jobs.size(); ++k) {
        if (valueOf(k) > 0) {
            shown.push_back(k);
        }
    }
    std::stable_sort(shown.begin(), shown.end(),
                     [&](std::size_t a, std::size_t b) { return valueOf(a) > valueOf(b); });
    const double line = lineHeight(surface);
    const double top = area.top + 2 * line;
    if (shown.empty()) {
        write(surface, area.left, top,
              criticality ? "No job is critical in any run." : "No estimate moves the finish.");
        return;
    }
    const double rowHeight = 1.5 * line;
    const auto fitting = static_cast<std::size_t>(std::max(1.0, (area.bottom() - top) / rowHeight));
    if (shown.size() > fitting) {
        shown.resize(fitting);
    }
    double labelWidth = 0;
    for (const std::size_t k : shown) {
        labelWidth = std::max(labelWidth, surface.textWidth(jobLabel(figures, k)));
    }
    labelWidth = std::min(labelWidth, 0.45 * area.width);
    const double barLeft = area.left + labelWidth + gap(surface);
    const double barSpan = area.right() - surface.textWidth("100.0%") - gap(surface) - barLeft;
    const double largest = criticality ? 1.0 : valueOf(shown.front());
    surface.setFillColour(barFill);
    for (std::size_t row = 0; row < shown.size(); ++row) {
        const std::size_t k = shown[row];
        const double y = top + static_cast<double>(row) * rowHeight;
        const double textY = y + (rowHeight - line) / 2;
        surface.setDrawColour(colours::black);
        write(surface, area.left, textY, fitted(surface, jobLabel(figures, k), labelWidth));
        const double barRight = barLeft + valueOf(k) / largest * barSpan;
        surface.setDrawColour(barEdge);
        surface.rectangle(barLeft, y + 0.15 * rowHeight, barRight, y + 0.85 * rowHeight);
        surface.setDrawColour(colours::black);
        write(surface, barRight + gap(surface) / 2, textY,
              criticality ? percent(valueOf(k)) : withDecimals(valueOf(k), 3));
    }
}

void drawRiskPage(Surface& surface, const RiskFigures& figures, PlotArea area) {
    writeTitle(surface, area, riskHeading(figures));
    const double line = lineHeight(surface);
    // Classic PERT on the left half, the simulation on the right, each a
    // column of names and one of values.
    const std::vector<RiskSection> sections = riskSections(figures);
    double bottom = 0;
    for (std::size_t half = 0; half < 2; ++half) {
        const RiskSection& section = sections[half];
        const double left = area.left + static_cast<double>(half) * area.width / 2;
        double y = area.top + 2 * line;
        write(surface, left, y, section.heading);
        double names = 0;
        for (const auto& figure : section.figures) {
            names = std::max(names, surface.textWidth(figure.first));
        }
        for (const auto& [name, value] : section.figures) {
            y += line;
            write(surface, left + gap(surface), y, name);
            write(surface, left + names + 3 * gap(surface), y, value);
        }
        bottom = std::max(bottom, y + 2 * line);
    }
    const double plotsHeight = area.bottom() - bottom;
    drawFinishPlot(surface, figures, {area.left, bottom, area.width, 0.55 * plotsHeight});
    const double barsTop = bottom + 0.6 * plotsHeight;
    const double half = (area.width - 2 * line) / 2;
    drawJobBars(surface, figures, JobMeasure::criticality,
                {area.left, barsTop, half, area.bottom() - barsTop});
    drawJobBars(surface, figures, JobMeasure::sensitivity,
                {area.right() - half, barsTop, half, area.bottom() - barsTop});
}

} // namespace arrowplan
