#include "app/chart_file.h"

#include "editor/chart.h"
#include "editor/main_window.h"
#include "platform/printer_surface.h"
#include "platform/qt_text.h"
#include "platform/twips.h"

#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QImageWriter>
#include <QPdfWriter>
#include <QPrinter>
#include <QSvgGenerator>

namespace arrowplan {

namespace {

const QString pageSuffix = "pdf";
const QString drawingSuffix = "svg";

QString suffixOf(const QString& path) {
    return QFileInfo(path).suffix().toLower();
}

// A drawing of the given size in twips that a report can scale to any size.
void writeSvg(QIODevice& out, double width, double height, const QString& title,
              const std::function<void(Surface&)>& draw) {
    const QSize size(pixels(width), pixels(height));
    QSvgGenerator drawing;
    drawing.setOutputDevice(&out);
    drawing.setSize(size);
    drawing.setViewBox(QRect(QPoint(0, 0), size));
    drawing.setResolution(static_cast<int>(twipsPerInch / twipsPerPixel));
    drawing.setTitle(title);
    PrinterSurface page(drawing, width, height);
    draw(page);
    page.finish();
}

bool writeSvgFile(const QString& path, double width, double height, const QString& title,
                  const std::function<void(Surface&)>& draw, std::string& problem) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        problem = "could not write the drawing " + toStdString(path);
        return false;
    }
    writeSvg(file, width, height, title, draw);
    return true;
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
            // The printed page's chart, black on white, the window's size.
            return writeSvgFile(
                path, window.surface().outerWidth(), window.surface().outerHeight(),
                toQString(project.projectName),
                [&](Surface& page) { drawChart(project, page, ChartTarget::page); }, problem);
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

bool writePlotFile(const QString& path, double width, double height,
                   const std::function<void(Surface&)>& draw, std::string& problem) {
    const QString suffix = suffixOf(path);
    try {
        if (suffix == drawingSuffix) {
            return writeSvgFile(path, width, height, QString(), draw, problem);
        }
        if (suffix == pageSuffix) {
            QPdfWriter pdf(path);
            pdf.setPageOrientation(QPageLayout::Landscape);
            PrinterSurface page(pdf, width, height);
            draw(page);
            page.finish();
            return true;
        }
        QImage image(pixels(width), pixels(height), QImage::Format_RGB32);
        image.fill(Qt::white);
        PrinterSurface picture(image, width, height);
        draw(picture);
        picture.finish();
        if (image.save(path, suffix.toLatin1().constData())) {
            return true;
        }
    } catch (const PrintError&) {
        // The PDF writer could not open its file; said below.
    }
    problem = "could not write " + toStdString(path);
    return false;
}

} // namespace arrowplan
