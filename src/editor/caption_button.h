#pragma once

#include "platform/surface.h"

#include <QPushButton>

namespace arrowplan {

// The style of the design's graphical buttons: a flat face of the button's
// back colour in a thin frame, sunk while pressed.
QString graphicalButtonStyle(Colour back);

// A command button whose caption wraps onto a second line when it is wider
// than the button, as the toolbar's narrow buttons need ("Add Edge (Jobs)").
class CaptionButton : public QPushButton {
    Q_OBJECT

  public:
    CaptionButton(const QString& caption, QWidget* parent) : QPushButton(caption, parent) {}

  protected:
    void paintEvent(QPaintEvent* event) override;
};

} // namespace arrowplan
