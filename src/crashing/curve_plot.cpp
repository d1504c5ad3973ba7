#include "crashing/curve_plot.h"

#include "model/number_text.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <string>

namespace arrowplan {

namespace {

// Room around the plotting area, in twips: the cost figures on the left, the
// lengths and their title below, the legend above.
constexpr double leftMargin = 1500;
constexpr double rightMargin = 400;
constexpr double topMargin = 700;
constexpr double bottomMargin = 800;
constexpr double tickLength = 80;

// One axis: the values from low to high over the twips from start to end.
struct Axis {
    double low;
    double high;
    double step;
    double start;
    double end;

    double at(double value) const { return start + (value - low) / (high - low) * (end - start); }
};

// Ticks 1, 2 or 5 times a power of ten apart, about five over the span, and
// the axis widened to whole ticks.
Axis axisOver(double low, double high, double start, double end) {
    if (high - low < 1) {
        low -= 0.5;
        high += 0.5;
    }
    const double rough = (high - low) / 5;
    const double power = std::pow(10.0, std::floor(std::log10(rough)));
    double step = 10 * power;
    for (const double multiple : {1.0, 2.0, 5.0}) {
        if (multiple * power >= rough) {
            step = multiple * power;
            break;
        }
    }
    return {std::floor(low / step) * step, std::ceil(high / step) * step, step, start, end};
}

// A round figure of an axis, which may lie beyond the currency range where
// the costs come near it; seven digits show any such figure.
std::string figure(double value) {
    return plainText(static_cast<float>(value));
}

struct Series {
    const char* name;
    Colour colour;
    int width;
    std::function<Currency(const CurvePoint&)> cost;
};

} // namespace

void drawCurvePlot(const TimeCostCurve& curve, Surface& surface) {
    const Series series[] = {
        {"Direct", directCostColour, 1, [](const CurvePoint& p) { return p.directCost; }},
        {"Indirect", indirectCostColour, 1, [](const CurvePoint& p) { return p.indirectCost; }},
        {"Total", totalCostColour, 2, [](const CurvePoint& p) { return p.totalCost; }},
    };
    double lowest = curve.points.front().totalCost.toDouble();
    double highest = lowest;
    for (const CurvePoint& point : curve.points) {
        for (const Series& s : series) {
            lowest = std::min(lowest, s.cost(point).toDouble());
            highest = std::max(highest, s.cost(point).toDouble());
        }
    }
    const double right = surface.outerWidth() - rightMargin;
    const double bottom = surface.outerHeight() - bottomMargin;
    const Axis x = axisOver(curve.points.back().length.toDouble(),
                            curve.points.front().length.toDouble(), leftMargin, right);
    const Axis y = axisOver(lowest, highest, bottom, topMargin);

    surface.setDrawColour(colours::black);
    surface.setLineStyle(LineStyle::solid);
    surface.setPenWidth(1);
    surface.line(x.start, y.start, x.end, y.start);
    surface.line(x.start, y.start, x.start, y.end);
    const double lineHeight = surface.textHeight("0");
    for (double value = x.low; value <= x.high + x.step / 2; value += x.step) {
        surface.line(x.at(value), y.start, x.at(value), y.start + tickLength);
        const std::string text = figure(value);
        surface.setPosition(x.at(value) - surface.textWidth(text) / 2, y.start + tickLength);
        surface.printText(text);
    }
    const std::string lengthTitle = "Project length (weeks)";
    surface.setPosition((x.start + x.end - surface.textWidth(lengthTitle)) / 2,
                        y.start + tickLength + lineHeight);
    surface.printText(lengthTitle);
    for (double value = y.low; value <= y.high + y.step / 2; value += y.step) {
        surface.line(x.start - tickLength, y.at(value), x.start, y.at(value));
        const std::string text = figure(value);
        surface.setPosition(x.start - tickLength * 2 - surface.textWidth(text),
                            y.at(value) - lineHeight / 2);
        surface.printText(text);
    }

    double legend = x.start;
    for (const Series& s : series) {
        surface.setDrawColour(s.colour);
        surface.setPenWidth(s.width);
        surface.line(legend, topMargin / 2, legend + 400, topMargin / 2);
        surface.setPosition(legend + 480, (topMargin - lineHeight) / 2);
        surface.printText(s.name);
        legend += 480 + surface.textWidth(s.name) + 400;
        for (std::size_t i = 1; i < curve.points.size(); ++i) {
            const CurvePoint& from = curve.points[i - 1];
            const CurvePoint& to = curve.points[i];
            surface.line(x.at(from.length.toDouble()), y.at(s.cost(from).toDouble()),
                         x.at(to.length.toDouble()), y.at(s.cost(to).toDouble()));
        }
    }

    const CurvePoint& chosen = curve.points[curve.leastTotal.front()];
    surface.setDrawColour(colours::black);
    surface.setPenWidth(1);
    surface.setLineStyle(LineStyle::dotted);
    surface.line(x.at(chosen.length.toDouble()), y.start, x.at(chosen.length.toDouble()), y.end);
    surface.setLineStyle(LineStyle::solid);
}

} // namespace arrowplan
