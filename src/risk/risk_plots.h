#pragma once

#include "platform/surface.h"
#include "risk/risk_report.h"

namespace arrowplan {

// A part of a surface, in twips.
struct PlotArea {
    double left = 0;
    double top = 0;
    double width = 0;
    double height = 0;

    double right() const { return left + width; }
    double bottom() const { return top + height; }
};

// Where the finish plot puts its weeks: the frame its bars and curve stay
// in, and the weeks at its left and right edges. Measured in the plot's
// label font, which it sets.
struct FinishScale {
    PlotArea frame;
    double firstWeek = 0;
    double lastWeek = 0;

    double x(double week) const {
        return frame.left + (week - firstWeek) / (lastWeek - firstWeek) * frame.width;
    }
};
FinishScale finishScale(Surface& surface, const RiskFigures& figures, PlotArea area);

// The simulation's finish weeks: a histogram of the runs (the share of runs
// a bar, on the left scale), the cumulative share over it (the S-curve, 0 to
// 100 % on the right scale), P50 and P80 marked, and the week to finish by
// where one was asked and it lies within reach of the runs.
void drawFinishPlot(Surface& surface, const RiskFigures& figures, PlotArea area);

enum class JobMeasure { criticality, sensitivity };

// The jobs by criticality or sensitivity as horizontal bars, the largest on
// top, as many as fit; a job of none is left out.
void drawJobBars(Surface& surface, const RiskFigures& figures, JobMeasure measure, PlotArea area);

// A page of its own (printed, or written to a file): a heading with the
// settings and the main figures of both methods, the finish plot across the
// top, and the jobs by criticality and by sensitivity side by side below.
void drawRiskPage(Surface& surface, const RiskFigures& figures, PlotArea area);

} // namespace arrowplan
