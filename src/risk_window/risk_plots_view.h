#pragma once

#include "platform/screen_surface.h"
#include "risk/risk_plots.h"

#include <QImage>
#include <QWidget>

namespace arrowplan {

// The risk window's plots on screen: the finish plot on the left, the jobs
// by criticality or sensitivity on the right, drawn by the same routines as
// the printed page, on an image the size of the widget that a repaint only
// shows until the figures, the measure or the size change.
class RiskPlotsView : public QWidget {
    Q_OBJECT

  public:
    explicit RiskPlotsView(QWidget* parent = nullptr);

    // None until the first run; the figures must live until the next call.
    void showFigures(const RiskFigures* figures);
    void setMeasure(JobMeasure measure);
    // The picture as it is shown, drawn now if it is out of date.
    const QImage& picture();

  protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

  private:
    void draw();

    const RiskFigures* figures_ = nullptr;
    JobMeasure measure_ = JobMeasure::criticality;
    QImage image_;
    ScreenSurface surface_;
    bool upToDate_ = false;
};

} // namespace arrowplan
