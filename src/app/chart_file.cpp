#include "app/chart_file.h"

#include "editor/chart.h"
#include "editor/main_window.h"
#include "platform/printer_surface.h"
#include "platform/qt_text.h"
#include "platform/twips.h"

#include <QFile>
#include <QFileInfo>
#include <QImageWriter>
#include <QPrinter>
#include <QSvgGenerator>

namespace arrowplan {

namespace {

const QString pageSuffix = "pdf";
const QString drawingSuffix = "svg";

QString suffixOf(const QString& path) {
    return QFileInfo(path).suffix().toLower();
}

// The printed page's chart, black on white, as a drawing of the window's
// size that a report can scale to any size.
void writeDrawing(MainWindow& window, const Project& project, QIODevice& out) {
    const double width = window.surface().outerWidth();
    const double height = window.surface().outerHeight();
    const QSize size(pixels(width), pixels(height));
    QSvgGenerator drawing;
    drawing.setOutputDevice(&out);
    drawing.setSize(size);
    drawing.setViewBox(QRect(QPoint(0, 0), size));
    drawing.setResolution(static_cast<int>(twipsPerInch / twipsPerPixel));
    drawing.setTitle(toQString(project.projectName));
    PrinterSurface page(drawing, width, height);
    drawChart(project, page, ChartTarget::page);
    page.finish();
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

bool writeChartFile(MainWindow& window, const Project& project, const QString& path,
                    std::string& problem) {
    const QString suffix = suffixOf(path);
    try {
        if (suffix == pageSuffix) {
            QPrinter printer(QPrinter::HighResolution);
            printer.setOutputFormat(QPrinter::PdfFormat);
            printer.setOutputFileName(path);
            window.prnt(printer);
            return true;
        }
        if (suffix == drawingSuffix) {
            QFile file(path);
            if (!file.open(QIODevice::WriteOnly)) {
                problem = "could not write the drawing " + toStdString(path);
                return false;
            }
            writeDrawing(window, project, file);
            return true;
        }
    } catch (const PrintError& error) {
        problem = error.what();
        return false;
    }
    if (!window.canvasImage().save(path, suffix.toLatin1().constData())) {
        problem = "could not write the image " + toStdString(path);
        return false;
    }
    return true;
}

} // namespace arrowplan
