#pragma once

#include <QCheckBox>
#include <QPaintEvent>
#include <QRadioButton>
#include <QStyle>

namespace arrowplan {

// Paints the indicator of a check box or option button as the system draws
// it, a white box or ring with a black mark, over what the style drew in the
// colours of the card's style sheet (a dark mark on dark blue).
void paintPlainIndicator(QAbstractButton& button, QStyle::SubElement indicator);

// The card's Done box and payment options: the control's own background
// and caption as the style sheet gives them, the indicator plain.
template <typename Button, QStyle::SubElement indicator> class PlainIndicator : public Button {
  public:
    using Button::Button;

  protected:
    void paintEvent(QPaintEvent* event) override {
        Button::paintEvent(event);
        paintPlainIndicator(*this, indicator);
    }
};

using PlainCheckBox = PlainIndicator<QCheckBox, QStyle::SE_CheckBoxIndicator>;
using PlainRadioButton = PlainIndicator<QRadioButton, QStyle::SE_RadioButtonIndicator>;

} // namespace arrowplan
