#pragma once

#include "platform/surface.h"

#include <QFont>
#include <QPainter>

#include <functional>
#include <optional>
#include <stdexcept>

class QPaintDevice;
class QPrinter;

namespace arrowplan {

// The printer refused a document or a page.
class PrintError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

// The chart on paper: one printer document whose page shows the chart's
// rectangle (0, 0)-(width, height), each axis stretched to the page's
// printable area on its own. Any other page-like device (an SVG drawing)
// takes the chart the same way. Points are mapped by hand, so that text keeps
// its size in points and circles stay round whatever the stretch; circles
// are outlines only (a printed node is not filled), rectangles are filled.
// The document ends with finish().
class PrinterSurface : public Surface {
  public:
    PrinterSurface(QPaintDevice& printer, double width, double height);
    // Ends the document, which sends it to the printer.
    void finish();

    void clear() override {}
    void circle(double x, double y, double radius) override;
    void line(double x1, double y1, double x2, double y2) override;
    void rectangle(double x1, double y1, double x2, double y2) override;
    void setDrawColour(Colour colour) override { drawColour_ = colour; }
    void setFillColour(Colour colour) override { fillColour_ = colour; }
    void setLineStyle(LineStyle style) override { lineStyle_ = style; }
    void setPenWidth(int width) override { penWidth_ = width; }
    void setFontSize(double points) override { font_.setPointSizeF(points); }
    void setPosition(double x, double y) override;
    void printText(std::string_view text) override;
    void endLine() override;
    double textWidth(std::string_view text) const override;
    double textHeight(std::string_view text) const override;
    Colour backgroundColour() const override { return colours::white; }
    double outerWidth() const override { return width_; }
    double outerHeight() const override { return height_; }

  private:
    QPointF onPage(double x, double y) const { return {x * scaleX_, y * scaleY_}; }

    QPaintDevice& printer_;
    QPainter painter_;
    double width_;
    double height_;
    double scaleX_ = 1;
    double scaleY_ = 1;
    double dotsPerPixel_ = 1; // a pen width counts screen pixels
    Colour drawColour_ = colours::black;
    Colour fillColour_ = colours::white;
    LineStyle lineStyle_ = LineStyle::solid;
    int penWidth_ = 1;
    QFont font_;
    double x_ = 0;
    double y_ = 0;
};

// The device's own size in twips: a surface of that size is mapped onto it
// at the same scale on both axes.
QSizeF twipsSize(const QPaintDevice& device);

// One printer document on a landscape page, drawn by draw on a surface of
// the given size (the page's own where none is given); the printer is in
// portrait again afterwards, also when draw fails, and a document that failed
// half-way is cancelled, not sent. Throws PrintError.
void printLandscape(QPrinter& printer, std::optional<QSizeF> size,
                    const std::function<void(Surface&)>& draw);

} // namespace arrowplan
