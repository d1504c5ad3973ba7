#include "platform/screen_surface.h"

#include "platform/qt_text.h"
#include "platform/twips.h"
#include "platform/window_font.h"

#include <QFontMetricsF>

namespace arrowplan {

namespace {

constexpr double twipsPerPoint = 20.0;
constexpr double initialFontSize = 8.0;

} // namespace

ScreenSurface::ScreenSurface(Colour background, Colour initialDrawColour,
                             std::function<QSize()> outerSize)
    : outerSize_(std::move(outerSize)), background_(background), drawColour_(initialDrawColour),
      font_(windowFont()) { // the chart is written in the window's font
    setFontSize(initialFontSize);
}

void ScreenSurface::setImage(QImage* image) {
    finish();
    image_ = image;
}

void ScreenSurface::setView(double scale, QPointF offset) {
    finish();
    if (scale != scale_) {
        layouts_.clear(); // each is laid out for the scale it is drawn at
    }
    scale_ = scale;
    offset_ = offset;
}

void ScreenSurface::finish() {
    if (painter_) {
        painter_->end();
        painter_.reset();
    }
}

QPainter& ScreenSurface::painter() {
    if (!painter_) {
        painter_.emplace(image_);
        painter_->translate(-offset_);
        painter_->scale(scale_ / twipsPerPixel, scale_ / twipsPerPixel);
    }
    return *painter_;
}

void ScreenSurface::usePen() {
    // A cosmetic pen is measured in device pixels, as the pen width is.
    QPen pen(toQColor(drawColour_), penWidth_, penStyle(lineStyle_));
    pen.setCosmetic(true);
    painter().setPen(pen);
}

void ScreenSurface::clear() {
    if (image_) {
        finish();
        image_->fill(toQColor(background_));
    }
    x_ = y_ = 0;
}

void ScreenSurface::circle(double x, double y, double radius) {
    if (!image_) {
        return;
    }
    usePen();
    painter().setBrush(toQColor(fillColour_));
    painter().drawEllipse(QPointF(x, y), radius, radius);
}

void ScreenSurface::line(double x1, double y1, double x2, double y2) {
    if (image_) {
        usePen();
        painter().drawLine(QPointF(x1, y1), QPointF(x2, y2));
    }
    x_ = x2;
    y_ = y2;
}

void ScreenSurface::rectangle(double x1, double y1, double x2, double y2) {
    if (image_) {
        usePen();
        painter().setBrush(toQColor(fillColour_));
        painter().drawRect(QRectF(QPointF(x1, y1), QPointF(x2, y2)).normalized());
    }
}

void ScreenSurface::setFontSize(double points) {
    // Sized in twips on a painter that works in twips: a size in points
    // would be scaled down by the painter's transform a second time.
    font_.setPixelSize(static_cast<int>(std::lround(points * twipsPerPoint)));
    metrics_ = QFontMetricsF(font_);
}

void ScreenSurface::setPosition(double x, double y) {
    x_ = x;
    y_ = y;
}

// A redraw writes the same few hundred labels every time; laying a text out
// once and keeping it makes the redraw several times faster.
const QStaticText& ScreenSurface::laidOut(const QString& text) {
    const std::pair<int, QString> key(font_.pixelSize(), text);
    auto found = layouts_.find(key);
    if (found == layouts_.end()) {
        if (layouts_.size() >= maxKeptLayouts) {
            layouts_.clear();
        }
        QStaticText layout(text);
        layout.setTextFormat(Qt::PlainText);
        layout.setPerformanceHint(QStaticText::AggressiveCaching);
        layout.prepare(QTransform::fromScale(scale_ / twipsPerPixel, scale_ / twipsPerPixel),
                       font_);
        found = layouts_.emplace(key, layout).first;
    }
    return found->second;
}

void ScreenSurface::printText(std::string_view text) {
    const QStaticText& layout = laidOut(toQString(text));
    if (image_) {
        QPainter& p = painter();
        p.setPen(toQColor(drawColour_));
        p.setFont(font_);
        p.drawStaticText(QPointF(x_, y_), layout);
    }
    x_ += layout.size().width();
}

void ScreenSurface::endLine() {
    x_ = 0;
    y_ += metrics_.height();
}

double ScreenSurface::textWidth(std::string_view text) const {
    return metrics_.horizontalAdvance(toQString(text));
}

double ScreenSurface::textHeight(std::string_view) const {
    return metrics_.height();
}

double ScreenSurface::outerWidth() const {
    return twips(outerSize_().width());
}

double ScreenSurface::outerHeight() const {
    return twips(outerSize_().height());
}

} // namespace arrowplan
