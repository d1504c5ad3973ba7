#include "print/risk_printing.h"

#include "platform/printer_surface.h"
#include "risk/risk_plots.h"

#include <QPrinter>

namespace arrowplan {

namespace {

// Inside the printer's own margins: room for the heading's first letters.
constexpr double pageMargin = 240;

void drawWithin(Surface& page, QSizeF size, const RiskFigures& figures) {
    drawRiskPage(
        page, figures,
        {pageMargin, pageMargin, size.width() - 2 * pageMargin, size.height() - 2 * pageMargin});
}

} // namespace

void drawRiskPageOn(QPaintDevice& device, const RiskFigures& figures) {
    const QSizeF size = twipsSize(device);
    PrinterSurface page(device, size.width(), size.height());
    drawWithin(page, size, figures);
    page.finish();
}

void printRiskPage(QPrinter& printer, const RiskFigures& figures) {
    printLandscape(printer, std::nullopt,
                   [&](Surface& page) { drawWithin(page, twipsSize(printer), figures); });
}

} // namespace arrowplan
