#pragma once

#include <QString>
#include <QStringList>

#include <string>

namespace arrowplan {

class MainWindow;
struct Project;

// The chart written to a file, its kind chosen by the file's suffix: ".pdf"
// the printed chart page, ".svg" that page as a drawing, or an image of the
// window's drawing area in any format Qt can write here (".png", ".jpg", ...).

// The image suffixes Qt can write here, in lower case.
QStringList imageSuffixes();

// Whether a chart can be written to a file of that name.
bool canWriteChart(const QString& path);

// Writes the chart of the loaded project; false with the reason in problem
// when the file cannot be written.
bool writeChartFile(MainWindow& window, const Project& project, const QString& path,
                    std::string& problem);

} // namespace arrowplan
