#include "print/report_printing.h"

#include "document/chart_commands.h"
#include "platform/printer_surface.h"
#include "platform/qt_text.h"
#include "print/risk_printing.h"
#include "schedule/floats.h"

#include <QFontMetricsF>

namespace arrowplan {

namespace {

constexpr double cardFontSize = 10;
constexpr double listFontSize = 12;

// A document that fails half-way is cancelled, not sent as it stands.
void nextPage(QPrinter& printer) {
    if (!printer.newPage()) {
        printer.abort();
        throw PrintError("the printer did not start a new page");
    }
}

// How many lines the document has up to and including its last line with text.
std::size_t linesUpToLastText(const PrintedDocument& document) {
    std::size_t count = 0;
    std::size_t upToText = 0;
    for (const std::vector<std::string>& page : document.pages) {
        for (const std::string& line : page) {
            ++count;
            if (line.find_first_not_of(' ') != std::string::npos) {
                upToText = count;
            }
        }
    }
    return upToText;
}

// Each page of the document on a new sheet, and a line that does not fit on
// the sheet on the next one. Blank lines after the last text that do not fit
// are dropped: carried over, they would cost a sheet of paper for nothing
// (a sheet of cards is one line longer than some printers' pages).
void writeLines(QPrinter& printer, QPainter& painter, const PrintedDocument& document) {
    const QFontMetricsF metrics(painter.font(), &printer);
    const std::size_t upToText = linesUpToLastText(document);
    std::size_t written = 0;
    double y = 0;
    for (std::size_t page = 0; page < document.pages.size(); ++page) {
        if (page > 0) {
            nextPage(printer);
            y = 0;
        }
        for (const std::string& line : document.pages[page]) {
            if (y > 0 && y + metrics.height() > printer.height()) {
                if (written >= upToText) {
                    return;
                }
                nextPage(printer);
                y = 0;
            }
            painter.drawText(QPointF(0, y + metrics.ascent()), toQString(line));
            y += metrics.height();
            ++written;
        }
    }
}

} // namespace

void printDocument(QPrinter& printer, const PrintedDocument& document, double points) {
    QPainter painter;
    if (!painter.begin(&printer)) {
        throw PrintError("the printer did not take the document");
    }
    QFont font("Courier New");
    font.setStyleHint(QFont::TypeWriter);
    font.setPointSizeF(points); // on the printer's own resolution: points on paper
    painter.setFont(font);
    writeLines(printer, painter, document);
    if (!painter.end()) {
        throw PrintError("the printer did not finish the document");
    }
}

int documentCount(const Project& project, const PrintChoices& choices) {
    const std::size_t sheets =
        choices.jobCards ? jobCardDocuments(project, choices.suppressCosts, CurrencyFormat{}).size()
                         : 0;
    return static_cast<int>(sheets) + int{choices.jobList} + int{choices.floats} +
           int{choices.costTotals || choices.costJobs} + int{choices.chart} + int{choices.risk};
}

void printReports(ChartCommands& chart, const Project& project, const PrintChoices& choices,
                  PrintTarget& target, const CurrencyFormat& format) {
    if (choices.jobCards) {
        for (const PrintedDocument& sheet :
             jobCardDocuments(project, choices.suppressCosts, format)) {
            printDocument(target.startDocument(DocumentKind::cards), sheet, cardFontSize);
        }
    }
    if (choices.jobList) {
        chart.cmdCPM_Click();
        printDocument(target.startDocument(DocumentKind::list),
                      listingDocument(chart.listedLines()), listFontSize);
    }
    if (choices.floats) {
        chart.cmdCPM_Click();
        printDocument(target.startDocument(DocumentKind::floats),
                      listingDocument(floatLines(project)), listFontSize);
    }
    if (choices.costTotals || choices.costJobs) {
        chart.cmdcoster_Click();
        printDocument(target.startDocument(DocumentKind::costs), costDocument(chart.listedLines()),
                      listFontSize);
    }
    if (choices.chart) {
        chart.prnt(target.startDocument(DocumentKind::chart));
    }
    if (choices.risk) {
        printRiskPage(target.startDocument(DocumentKind::risk), chart.riskFigures());
    }
}

} // namespace arrowplan
