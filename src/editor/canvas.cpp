#include "editor/canvas.h"

#include "platform/screen_surface.h"
#include "platform/twips.h"

#include <QMouseEvent>
#include <QPainter>

namespace arrowplan {

Canvas::Canvas(ScreenSurface& surface, QWidget* parent) : QWidget(parent), surface_(surface) {
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void Canvas::paintEvent(QPaintEvent*) {
    surface_.finish();
    QPainter(this).drawImage(0, 0, image_);
}

void Canvas::resizeEvent(QResizeEvent*) {
    const qreal ratio = devicePixelRatioF();
    image_ = QImage(size() * ratio, QImage::Format_RGB32);
    image_.setDevicePixelRatio(ratio);
    surface_.setImage(&image_);
    emit pictureLost();
}

void Canvas::mousePressEvent(QMouseEvent* event) {
    const QPointF at = event->position();
    emit pressed(event->button(), QPointF(twips(at.x()), twips(at.y())));
}

} // namespace arrowplan
