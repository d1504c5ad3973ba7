#include "editor/canvas.h"

#include "model/number_text.h"
#include "platform/qt_text.h"
#include "platform/screen_surface.h"
#include "platform/twips.h"

#include <QMouseEvent>
#include <QPainter>

namespace arrowplan {

namespace {

const QString chartName = QStringLiteral("Chart");
const QString unnamedProject = QStringLiteral("Unnamed project");
const QString describedProject = QStringLiteral("%1: %2");
const QString noNodes = QStringLiteral("no nodes");
const QString countsAndLength = QStringLiteral("%1, %2, %3");
const QString lengthText = QStringLiteral("%1 long");
const QString notScheduled = QStringLiteral("not scheduled yet");

// "1 node", "12 nodes", "2.5 weeks".
QString counted(const std::string& number, const QString& noun) {
    return toQString(number) + ' ' + noun + (number == "1" ? "" : "s");
}

} // namespace

Canvas::Canvas(ScreenSurface& surface, QWidget* parent) : QWidget(parent), surface_(surface) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAccessibleName(chartName);
}

void Canvas::describe(const Project& project, std::optional<Currency> length) {
    const QString name =
        project.projectName.empty() ? unnamedProject : toQString(project.projectName);
    if (project.nodeCount == 0) {
        setAccessibleDescription(describedProject.arg(name, noNodes));
        return;
    }
    const QString shownLength =
        length ? lengthText.arg(counted(plainText(*length), "week")) : notScheduled;
    setAccessibleDescription(describedProject.arg(
        name, countsAndLength.arg(counted(plainText(project.nodeCount), "node"),
                                  counted(plainText(project.edgeCount), "job"), shownLength)));
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
