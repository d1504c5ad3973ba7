#include "app/chart_file.h"

#include "editor/chart.h"
#include "editor/main_window.h"
#include "platform/printer_surface.h"
#include "platform/qt_text.h"
#include "platform/screen_surface.h"
#include "platform/twips.h"
#include "print/risk_printing.h"
#include "risk/risk_plots.h"

#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QImageWriter>
#include <QPrinter>
#include <QSvgGenerator>

#include <functional>

namespace arrowplan {

namespace {

const QString pageSuffix = "pdf";
const QString drawingSuffix = "svg";

// The risk page written as a drawing or an image: a landscape US Letter page.
constexpr double riskPageWidth = 11 * twipsPerInch;
constexpr double riskPageHeight = 8.5 * twipsPerInch;
constexpr double riskPageMargin = 240;

QString suffixOf(const QString& path) {
    return QFileInfo(path).suffix().toLower();
}

// One drawing in its three kinds: the printed page, the page as an SVG
// drawing of the given size (twips) that a report can scale to any size, and
// an image.
struct DrawingKinds {
    QString title;
    std::function<void(QPrinter&)> page;
    QSizeF drawingSize;
    std::function<void(QPaintDevice&)> drawing;
    std::function<QImage()> image;
};

bool writeDrawing(const DrawingKinds& kinds, const QString& path, std::string& problem) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        problem = "could not write the drawing " + toStdString(path);
        return false;
    }
    const QSize size(pixels(kinds.drawingSize.width()), pixels(kinds.drawingSize.height()));
    QSvgGenerator drawing;
    drawing.setOutputDevice(&file);
    drawing.setSize(size);
    drawing.setViewBox(QRect(QPoint(0, 0), size));
    drawing.setResolution(static_cast<int>(twipsPerInch / twipsPerPixel));
    drawing.setTitle(kinds.title);
    kinds.drawing(drawing);
    return true;
}

bool writeKind(const DrawingKinds& kinds, const QString& path, std::string& problem) {
    const QString suffix = suffixOf(path);
    try {
        if (suffix == pageSuffix) {
            QPrinter printer(QPrinter::HighResolution);
            printer.setOutputFormat(QPrinter::PdfFormat);
            printer.setOutputFileName(path);
            kinds.page(printer);
            return true;
        }
        if (suffix == drawingSuffix) {
            return writeDrawing(kinds, path, problem);
        }
    } catch (const PrintError& error) {
        problem = error.what();
        return false;
    }
    if (!kinds.image().save(path, suffix.toLatin1().constData())) {
        problem = "could not write the image " + toStdString(path);
        return false;
    }
    return true;
}

QImage riskImage(const RiskFigures& figures) {
    QImage image(pixels(riskPageWidth), pixels(riskPageHeight), QImage::Format_RGB32);
    ScreenSurface surface(colours::white, colours::black, [&image] { return image.size(); });
    surface.setImage(&image);
    surface.clear();
    drawRiskPage(surface, figures,
                 {riskPageMargin, riskPageMargin, riskPageWidth - 2 * riskPageMargin,
                  riskPageHeight - 2 * riskPageMargin});
    surface.finish();
    return image;
}

} // namespace

QStringList imageSuffixes() {
    QStringList suffixes;
    for (const QByteArray& format : QImageWriter::supportedImageFormats()) {
        suffixes << QString::fromLatin1(format).toLower();
    }
    return suffixes;
}

bool canWriteChart(const QString& path) {
    const QString suffix = suffixOf(path);
    return suffix == pageSuffix || suffix == drawingSuffix || imageSuffixes().contains(suffix);
}

// The chart's drawing is the printed page's, black on white, the window's size.
bool writeChartFile(MainWindow& window, const Project& project, const QString& path,
                    std::string& problem) {
    const double width = window.surface().outerWidth();
    const double height = window.surface().outerHeight();
    return writeKind({toQString(project.projectName),
                      [&](QPrinter& printer) { window.prnt(printer); },
                      {width, height},
                      [&](QPaintDevice& device) {
                          PrinterSurface page(device, width, height);
                          drawChart(project, page, ChartTarget::page);
                          page.finish();
                      },
                      [&] { return window.canvasImage(); }},
                     path, problem);
}

bool writeRiskChartFile(const RiskFigures& figures, const QString& path, std::string& problem) {
    return writeKind({toQString(figures.projectName),
                      [&](QPrinter& printer) { printRiskPage(printer, figures); },
                      {riskPageWidth, riskPageHeight},
                      [&](QPaintDevice& device) { drawRiskPageOn(device, figures); },
                      [&] { return riskImage(figures); }},
                     path, problem);
}

bool writePlotFile(const QString& path, double width, double height,
                   const std::function<void(Surface&)>& draw, std::string& problem) {
    const auto drawOn = [&](QPaintDevice& device) {
        PrinterSurface surface(device, width, height);
        draw(surface);
        surface.finish();
    };
    return writeKind({QString(),
                      [&](QPrinter& printer) {
                          printer.setPageOrientation(QPageLayout::Landscape);
                          drawOn(printer);
                      },
                      {width, height},
                      drawOn,
                      [&] {
                          QImage image(pixels(width), pixels(height), QImage::Format_RGB32);
                          image.fill(Qt::white);
                          drawOn(image);
                          return image;
                      }},
                     path, problem);
}

} // namespace arrowplan
