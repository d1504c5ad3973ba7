#include "editor/caption_button.h"

#include "platform/twips.h"

#include <QStyleOptionButton>
#include <QStylePainter>

namespace arrowplan {

QString graphicalButtonStyle(Colour back) {
    return QString("QPushButton { background-color: %1; border: 1px solid #7a7a7a; }"
                   "QPushButton:pressed { border-style: inset; }")
        .arg(toQColor(back).name());
}

void CaptionButton::paintEvent(QPaintEvent*) {
    QStylePainter painter(this);
    QStyleOptionButton option;
    initStyleOption(&option);
    option.text.clear();
    painter.drawControl(QStyle::CE_PushButton, option);
    painter.setPen(palette().color(QPalette::ButtonText));
    painter.drawText(rect().adjusted(2, 1, -2, -1), Qt::AlignCenter | Qt::TextWordWrap, text());
}

} // namespace arrowplan
