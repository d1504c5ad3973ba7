// The main window's view of the chart: its zoom, the part shown, and the
// controls that keep their place as the window grows. The project keeps its
// twips whatever the view; only the picture changes.

#include "editor/canvas.h"
#include "editor/main_window.h"
#include "model/chart_geometry.h"
#include "platform/twips.h"

#include <QListWidget>

#include <algorithm>

namespace arrowplan {

namespace {

// Room around the node centres for the circles, and for the times printed
// above and to the right of them.
constexpr double extentMargin = 3 * chart_geometry::nodeRadius;
constexpr double figuresRoom = 1200;
// The toolbar covers the chart's top this far down.
constexpr int toolbarBottom = 855;
// Fit leaves this much room around the network.
constexpr double fitMargin = 8;

} // namespace

void MainWindow::mnuZoomIn_Click() {
    canvas_->zoomStep(true);
}

void MainWindow::mnuZoomOut_Click() {
    canvas_->zoomStep(false);
}

void MainWindow::mnuActualSize_Click() {
    canvas_->actualSize();
}

// The whole network into the part of the window between the toolbar and
// the list box, where nothing covers it.
void MainWindow::mnuFit_Click() {
    const QRectF extent = chartExtent();
    const double top = pixels(toolbarBottom) + fitMargin;
    const double bottom = list_->geometry().top() - fitMargin;
    canvas_->fit(extent, QRectF(fitMargin, top, canvas_->width() - 2 * fitMargin, bottom - top));
}

QRectF MainWindow::chartExtent() const {
    if (project_.nodeCount <= 0) {
        return {};
    }
    double left = project_.nodeX[1];
    double right = left;
    double top = project_.nodeY[1];
    double bottom = top;
    for (int node = 2; node <= project_.nodeCount; ++node) {
        left = std::min<double>(left, project_.nodeX[node]);
        right = std::max<double>(right, project_.nodeX[node]);
        top = std::min<double>(top, project_.nodeY[node]);
        bottom = std::max<double>(bottom, project_.nodeY[node]);
    }
    return QRectF(QPointF(left, top), QPointF(right, bottom))
        .adjusted(-extentMargin, -extentMargin, figuresRoom, extentMargin);
}

void MainWindow::keepBottomControlsDown() {
    const int lower = std::max(0, canvas_->height() - pixels(clientHeight));
    for (const auto& [control, designed] : bottomControls_) {
        control->setGeometry(designed.translated(0, lower));
    }
}

} // namespace arrowplan
