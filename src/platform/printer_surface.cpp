#include "platform/printer_surface.h"

#include "platform/qt_text.h"
#include "platform/twips.h"
#include "platform/window_font.h"

#include <QFontMetricsF>
#include <QPaintDevice>
#include <QPrinter>

namespace arrowplan {

namespace {

// The chart's printed face, where it is installed; else the window's.
const QString pageFontFamily = QStringLiteral("MS Sans Serif");
constexpr double pageFontSize = 8;
constexpr double screenDotsPerInch = 96;

} // namespace

PrinterSurface::PrinterSurface(QPaintDevice& printer, double width, double height)
    : printer_(printer), width_(width), height_(height),
      font_(installedOr(pageFontFamily, windowFont().family())) {
    if (!painter_.begin(&printer_)) {
        throw PrintError("the printer did not take the chart");
    }
    scaleX_ = printer_.width() / width_;
    scaleY_ = printer_.height() / height_;
    dotsPerPixel_ = printer_.logicalDpiX() / screenDotsPerInch;
    font_.setPointSizeF(pageFontSize);
}

void PrinterSurface::finish() {
    if (painter_.isActive() && !painter_.end()) {
        throw PrintError("the printer did not finish the chart");
    }
}

void PrinterSurface::circle(double x, double y, double radius) {
    painter_.setPen(QPen(toQColor(drawColour_), dotsPerPixel_));
    painter_.setBrush(Qt::NoBrush);
    // The radius runs along the x axis, so a node stays round.
    painter_.drawEllipse(onPage(x, y), radius * scaleX_, radius * scaleX_);
}

void PrinterSurface::line(double x1, double y1, double x2, double y2) {
    painter_.setPen(QPen(toQColor(drawColour_), penWidth_ * dotsPerPixel_, penStyle(lineStyle_)));

    painter_.drawLine(onPage(x1, y1), onPage(x2, y2));
    x_ = x2;
    y_ = y2;
}

void PrinterSurface::rectangle(double x1, double y1, double x2, double y2) {
    painter_.setPen(QPen(toQColor(drawColour_), penWidth_ * dotsPerPixel_));
    painter_.setBrush(toQColor(fillColour_));
    painter_.drawRect(QRectF(onPage(x1, y1), onPage(x2, y2)).normalized());
}

void PrinterSurface::setPosition(double x, double y) {
    x_ = x;
    y_ = y;
}

void PrinterSurface::printText(std::string_view text) {
    painter_.setFont(font_);
    painter_.setPen(toQColor(drawColour_));
    const QFontMetricsF metrics(font_, &printer_);
    const QPointF at = onPage(x_, y_);
    painter_.drawText(QPointF(at.x(), at.y() + metrics.ascent()), toQString(text));
    x_ += textWidth(text);
}

void PrinterSurface::endLine() {
    x_ = 0;
    y_ += textHeight("");
}

double PrinterSurface::textWidth(std::string_view text) const {
    return QFontMetricsF(font_, &printer_).horizontalAdvance(toQString(text)) / scaleX_;
}

double PrinterSurface::textHeight(std::string_view) const {
    return QFontMetricsF(font_, &printer_).height() / scaleY_;
}

QSizeF twipsSize(const QPaintDevice& device) {
    return {device.widthMM() / 25.4 * twipsPerInch, device.heightMM() / 25.4 * twipsPerInch};
}

void printLandscape(QPrinter& printer, std::optional<QSizeF> size,
                    const std::function<void(Surface&)>& draw) {
    struct Portrait {
        QPrinter& printer;
        ~Portrait() { printer.setPageOrientation(QPageLayout::Portrait); }
    } portraitAfterwards{printer};
    printer.setPageOrientation(QPageLayout::Landscape);
    const QSizeF drawn = size.value_or(twipsSize(printer));
    PrinterSurface page(printer, drawn.width(), drawn.height());
    try {
        draw(page);
    } catch (...) {
        printer.abort(); // before the page ends, which would send it
        throw;
    }
    page.finish();
}

} // namespace arrowplan
