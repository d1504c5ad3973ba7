#pragma once

#include <QPushButton>

namespace arrowplan {

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
