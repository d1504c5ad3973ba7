#pragma once

#include <QString>
#include <QStringList>

#include <functional>
#include <string>

namespace arrowplan {

class MainWindow;
class Surface;
struct Project;
struct RiskFigures;

// A drawing written to a file, its kind chosen by the file's suffix: ".pdf"
// the printed page, ".svg" that page as a drawing, or an image in any format
// Qt can write here (".png", ".jpg", ...).

// The image suffixes Qt can write here, in lower case.
QStringList imageSuffixes();

// Whether a chart can be written to a file of that name.
bool canWriteChart(const QString& path);

// Writes the chart of the loaded project (the image is the window's drawing
// area); false with the reason in problem when the file cannot be written.
bool writeChartFile(MainWindow& window, const Project& project, const QString& path,
                    std::string& problem);

// Writes the schedule risk page (the image is the page at the screen's
// resolution); false with the reason in problem when the file cannot be
// written.
bool writeRiskChartFile(const RiskFigures& figures, const QString& path, std::string& problem);
// A drawing of width by height twips (draw makes it on the surface it is
// given) written to a file whose suffix chooses the kind, as for the chart:
// ".pdf" a page, ".svg" a drawing, or an image in any format Qt can write,
// white behind. False with the reason in problem when it cannot be written.
bool writePlotFile(const QString& path, double width, double height,
                   const std::function<void(Surface&)>& draw, std::string& problem);

} // namespace arrowplan
