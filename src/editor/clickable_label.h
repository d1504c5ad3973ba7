#pragma once

#include <QLabel>
#include <QMouseEvent>

namespace arrowplan {

// A label that answers a click, as the window's two small symbol labels do.
class ClickableLabel : public QLabel {
    Q_OBJECT

  public:
    using QLabel::QLabel;

  signals:
    void clicked();

  protected:
    void mousePressEvent(QMouseEvent* event) override {
        event->accept(); // never down to the drawing surface
        emit clicked();
    }
};

} // namespace arrowplan
