#include "cards/plain_indicator.h"

#include <QPainter>
#include <QStyleOptionButton>

namespace arrowplan {

void paintPlainIndicator(QAbstractButton& button, QStyle::SubElement indicator) {
    QStyleOptionButton option;
    option.initFrom(&button);
    const QRectF box = QRectF(button.style()->subElementRect(indicator, &option, &button))
                           .adjusted(0.5, 0.5, -0.5, -0.5);
    QPainter painter(&button);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(Qt::black, 1));
    painter.setBrush(Qt::white);
    if (indicator == QStyle::SE_RadioButtonIndicator) {
        painter.drawEllipse(box);
        if (button.isChecked()) {
            painter.setBrush(Qt::black);
            painter.drawEllipse(box.center(), box.width() / 4, box.height() / 4);
        }
        return;
    }
    painter.drawRect(box);
    if (button.isChecked()) {
        painter.setPen(QPen(Qt::black, 2));
        const double w = box.width();
        const double h = box.height();
        painter.drawPolyline(QPolygonF{box.topLeft() + QPointF(w * 0.2, h * 0.5),
                                       box.topLeft() + QPointF(w * 0.42, h * 0.75),
                                       box.topLeft() + QPointF(w * 0.8, h * 0.25)});
    }
}

} // namespace arrowplan
