#include "editor/canvas.h"

#include "model/number_text.h"
#include "platform/qt_text.h"
#include "platform/screen_surface.h"
#include "platform/twips.h"

#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QToolTip>
#include <QWheelEvent>

#include <algorithm>
#include <cmath>

namespace arrowplan {

namespace {

const QString chartName = QStringLiteral("Chart");
const QString unnamedProject = QStringLiteral("Unnamed project");
const QString describedProject = QStringLiteral("%1: %2");
const QString noNodes = QStringLiteral("no nodes");
const QString countsAndLength = QStringLiteral("%1, %2, %3");
const QString lengthText = QStringLiteral("%1 long");
const QString notScheduled = QStringLiteral("not scheduled yet");

const QString describedSelection = QStringLiteral("%1; selected: %2");

// The zooms View > Zoom In and Zoom Out step through.
constexpr double zoomSteps[] = {0.25, 1.0 / 3, 0.5, 2.0 / 3, 0.75, 1, 1.25, 1.5, 2, 3, 4};
// A notch of the wheel scrolls this many pixels.
constexpr double wheelStep = 48;

// "1 node", "12 nodes", "2.5 weeks".
QString counted(const std::string& number, const QString& noun) {
    return toQString(number) + ' ' + noun + (number == "1" ? "" : "s");
}

} // namespace

Canvas::Canvas(ScreenSurface& surface, QWidget* parent)
    : QWidget(parent), surface_(surface), horizontal_(new QScrollBar(Qt::Horizontal, this)),
      vertical_(new QScrollBar(Qt::Vertical, this)) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAccessibleName(chartName);
    setFocusPolicy(Qt::ClickFocus);
    for (QScrollBar* bar : {horizontal_, vertical_}) {
        bar->hide();
        connect(bar, &QScrollBar::valueChanged, this, [this] {
            offset_ = QPointF(horizontal_->value(), vertical_->value());
            updateView();
            emit pictureLost();
        });
    }
}

void Canvas::describe(const Project& project, std::optional<Currency> length,
                      const QString& selected) {
    const QString name =
        project.projectName.empty() ? unnamedProject : toQString(project.projectName);
    QString description = describedProject.arg(name, noNodes);
    if (project.nodeCount > 0) {
        const QString shownLength =
            length ? lengthText.arg(counted(plainText(*length), "week")) : notScheduled;
        description = describedProject.arg(
            name, countsAndLength.arg(counted(plainText(project.nodeCount), "node"),
                                      counted(plainText(project.edgeCount), "job"), shownLength));
    }
    // A screen reader reads the tooltip's lines as one.
    setAccessibleDescription(
        selected.isEmpty()
            ? description
            : describedSelection.arg(description, QString(selected).replace('\n', "; ")));
}

void Canvas::setZoom(double zoom, QPointF anchor) {
    const double clamped = std::clamp(zoom, smallestZoom, largestZoom);
    const QPointF chartPoint = (anchor + offset_) / zoom_;
    zoom_ = clamped;
    offset_ = chartPoint * zoom_ - anchor;
    updateView();
    emit pictureLost();
}

void Canvas::actualSize() {
    zoom_ = 1;
    offset_ = QPointF(0, 0);
    updateView();
    emit pictureLost();
}

void Canvas::zoomStep(bool in) {
    // A little room either side, so that a zoom Fit left just off a step
    // does not count as that step.
    constexpr double near = 1e-6;
    double next = zoom_;
    if (in) {
        const auto* step = std::find_if(std::begin(zoomSteps), std::end(zoomSteps),
                                        [&](double z) { return z > zoom_ + near; });
        next = step == std::end(zoomSteps) ? largestZoom : *step;
    } else {
        const auto step = std::find_if(std::rbegin(zoomSteps), std::rend(zoomSteps),
                                       [&](double z) { return z < zoom_ - near; });
        next = step == std::rend(zoomSteps) ? smallestZoom : *step;
    }
    setZoom(next, QPointF(width() / 2.0, height() / 2.0));
}

void Canvas::setChartExtent(const QRectF& extent) {
    if (extent != extent_) {
        extent_ = extent;
        const QPointF before = offset_;
        updateView();
        if (offset_ != before) {
            emit pictureLost();
        }
    }
}

void Canvas::fit(const QRectF& extent, const QRectF& target) {
    const QRectF shown(extent.topLeft() / twipsPerPixel, extent.size() / twipsPerPixel);
    if (shown.isEmpty() || target.isEmpty()) {
        return;
    }
    zoom_ = std::clamp(std::min(target.width() / shown.width(), target.height() / shown.height()),
                       smallestZoom, largestZoom);
    offset_ = shown.center() * zoom_ - target.center();
    updateView();
    emit pictureLost();
}

QPointF Canvas::twipsAt(QPointF pixel) const {
    return (pixel + offset_) / zoom_ * twipsPerPixel;
}

void Canvas::updateView() {
    // What can be scrolled to: the chart's extent at this zoom, and the part
    // of the chart the window shows unscrolled, so that at the actual size a
    // chart inside the window shows no scroll bar.
    const QRectF own(QPointF(0, 0), QSizeF(size()));
    const QRectF zoomed(extent_.topLeft() / twipsPerPixel * zoom_,
                        extent_.size() / twipsPerPixel * zoom_);
    const QRectF content = extent_.isEmpty() ? own : own.united(zoomed);
    const int barWidth = vertical_->sizeHint().width();
    const int barHeight = horizontal_->sizeHint().height();
    const auto setUp = [](QScrollBar* bar, double low, double high, double& offset, int page) {
        const int first = static_cast<int>(std::floor(low));
        const int last = std::max(first, static_cast<int>(std::ceil(high)));
        offset = std::clamp(offset, double(first), double(last));
        const QSignalBlocker quiet(bar);
        bar->setRange(first, last);
        bar->setPageStep(page);
        bar->setSingleStep(static_cast<int>(wheelStep) / 3);
        bar->setValue(static_cast<int>(std::lround(offset)));
        bar->setVisible(last > first);
    };
    double x = offset_.x();
    double y = offset_.y();
    setUp(horizontal_, content.left(), content.right() - width(), x, width());
    setUp(vertical_, content.top(), content.bottom() - height(), y, height());
    offset_ = QPointF(x, y);
    const int right = vertical_->isVisible() ? barWidth : 0;
    horizontal_->setGeometry(0, height() - barHeight, width() - right, barHeight);
    vertical_->setGeometry(width() - barWidth, 0, barWidth,
                           height() - (horizontal_->isVisible() ? barHeight : 0));
    horizontal_->raise();
    vertical_->raise();
    surface_.setView(zoom_, offset_);
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
    updateView();
    emit resized();
    emit pictureLost();
}

void Canvas::mousePressEvent(QMouseEvent* event) {
    emit pressed(event->button(), twipsAt(event->position()));
}

void Canvas::mouseDoubleClickEvent(QMouseEvent* event) {
    mousePressEvent(event);
    if (event->button() == Qt::LeftButton) {
        emit doubleClicked(twipsAt(event->position()));
    }
}

void Canvas::mouseMoveEvent(QMouseEvent* event) {
    if (event->buttons() & Qt::LeftButton) {
        emit dragged(twipsAt(event->position()));
    }
}

void Canvas::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        emit released(twipsAt(event->position()));
    }
}

bool Canvas::event(QEvent* event) {
    if (event->type() == QEvent::KeyPress && keyHandler_) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (keyHandler_(key->key(), key->modifiers())) {
            return true;
        }
    }
    if (event->type() == QEvent::ToolTip && figuresAt_) {
        const auto* help = static_cast<QHelpEvent*>(event);
        const QString text = figuresAt_(twipsAt(help->pos()));
        if (text.isEmpty()) {
            QToolTip::hideText();
            event->ignore();
        } else {
            QToolTip::showText(help->globalPos(), text, this);
        }
        return true;
    }
    return QWidget::event(event);
}

void Canvas::wheelEvent(QWheelEvent* event) {
    const QPoint notches = event->angleDelta() / 120;
    if (event->modifiers() & Qt::ControlModifier) {
        if (event->angleDelta().y() != 0) {
            const double factor = event->angleDelta().y() > 0 ? 1.25 : 0.8;
            setZoom(zoom_ * factor, event->position());
        }
    } else {
        const bool across = event->modifiers() & Qt::ShiftModifier;
        QScrollBar* bar = across ? horizontal_ : vertical_;
        const int delta = across && notches.x() != 0 ? notches.x() : notches.y();
        bar->setValue(bar->value() - static_cast<int>(delta * wheelStep));
    }
    event->accept();
}

} // namespace arrowplan
