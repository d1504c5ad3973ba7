#include "risk_window/risk_plots_view.h"

#include "platform/twips.h"

#include <QPainter>

namespace arrowplan {

namespace {

const QString plotsName = QStringLiteral("Plots of the finish and the jobs");
const char* const noRunYet = "Run the analysis: its finish weeks and jobs are plotted here.";

} // namespace

RiskPlotsView::RiskPlotsView(QWidget* parent)
    : QWidget(parent), surface_(colours::white, colours::black, [this] { return size(); }) {
    setAccessibleName(plotsName);
    setMinimumSize(480, 240);
}

void RiskPlotsView::showFigures(const RiskFigures* figures) {
    figures_ = figures;
    upToDate_ = false;
    update();
}

void RiskPlotsView::setMeasure(JobMeasure measure) {
    measure_ = measure;
    upToDate_ = false;
    update();
}

const QImage& RiskPlotsView::picture() {
    if (!upToDate_ || image_.size() != size()) {
        draw();
    }
    return image_;
}

// In twips, as every drawing of the program: the finish gets three fifths
// of the width.
void RiskPlotsView::draw() {
    image_ = QImage(size(), QImage::Format_RGB32);
    surface_.setImage(&image_);
    surface_.clear();
    const double width = twips(image_.width());
    const double height = twips(image_.height());
    const double margin = 150;
    if (figures_) {
        const double split = 0.6 * width;
        drawFinishPlot(surface_, *figures_,
                       {margin, margin, split - 2 * margin, height - 2 * margin});
        drawJobBars(surface_, *figures_, measure_,
                    {split + margin, margin, width - split - 2 * margin, height - 2 * margin});
    } else {
        surface_.setDrawColour(colours::black);
        surface_.setPosition(margin, margin);
        surface_.printText(noRunYet);
    }
    surface_.finish();
    upToDate_ = true;
}

void RiskPlotsView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.drawImage(0, 0, picture());
}

void RiskPlotsView::resizeEvent(QResizeEvent* event) {
    upToDate_ = false;
    QWidget::resizeEvent(event);
}

} // namespace arrowplan
