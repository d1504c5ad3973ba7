#include "platform/recording_surface.h"

#include "model/utf8.h"

#include <cmath>
#include <cstdio>

namespace arrowplan {

namespace {

std::string number(double value) {
    char buffer[40];
    std::snprintf(buffer, sizeof buffer, "%.2f", value);
    std::string text(buffer);
    while (text.back() == '0') {
        text.pop_back();
    }
    if (text.back() == '.') {
        text.pop_back();
    }
    return text == "-0" ? "0" : text;
}

std::string point(double x, double y) {
    return number(x) + "," + number(y);
}

std::string hex(Colour colour) {
    char buffer[8];
    std::snprintf(buffer, sizeof buffer, "%06X", static_cast<unsigned>(colour));
    return buffer;
}

} // namespace

void RecordingSurface::clear() {
    operations_.push_back("clear");
    x_ = y_ = 0;
}

void RecordingSurface::circle(double x, double y, double radius) {
    operations_.push_back("circle " + point(x, y) + " " + number(radius));
}

void RecordingSurface::line(double x1, double y1, double x2, double y2) {
    operations_.push_back("line " + point(x1, y1) + " " + point(x2, y2));
    x_ = x2;
    y_ = y2;
}

void RecordingSurface::rectangle(double x1, double y1, double x2, double y2) {
    operations_.push_back("rect " + point(x1, y1) + " " + point(x2, y2));
}

void RecordingSurface::setDrawColour(Colour colour) {
    operations_.push_back("colour " + hex(colour));
}

void RecordingSurface::setFillColour(Colour colour) {
    operations_.push_back("fill " + hex(colour));
}

void RecordingSurface::setLineStyle(LineStyle style) {
    static constexpr const char* names[] = {"solid", "dashed", "dotted"};
    operations_.push_back(std::string("style ") + names[static_cast<int>(style)]);
}

void RecordingSurface::setPenWidth(int width) {
    operations_.push_back("width " + std::to_string(width));
}

void RecordingSurface::setFontSize(double points) {
    operations_.push_back("font " + number(points));
    fontSize_ = points;
}

void RecordingSurface::setPosition(double x, double y) {
    operations_.push_back("at " + point(x, y));
    x_ = x;
    y_ = y;
}

void RecordingSurface::printText(std::string_view text) {
    operations_.push_back("text \"" + std::string(text) + "\"");
    x_ += textWidth(text);
}

void RecordingSurface::endLine() {
    operations_.push_back("endline");
    x_ = 0;
    y_ += textHeight("");
}

double RecordingSurface::textWidth(std::string_view text) const {
    return 0.6 * em() * static_cast<double>(characterCount(text));
}

double RecordingSurface::textHeight(std::string_view) const {
    return 1.25 * em();
}

} // namespace arrowplan
