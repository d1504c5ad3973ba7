#pragma once

#include "platform/surface.h"

#include <QFont>
#include <QFontMetricsF>
#include <QImage>
#include <QPainter>

#include <QStaticText>

#include <functional>
#include <map>

#include <optional>

namespace arrowplan {

// The main window's drawing surface: a QPainter on the window's canvas image,
// scaled so that the chart's coordinates are twips. The painter is opened on
// the first operation and closed by finish(), which the window calls before
// it shows the image.
class ScreenSurface : public Surface {
  public:
    // outerSize gives the window's outer size in pixels.
    ScreenSurface(Colour background, Colour initialDrawColour, std::function<QSize()> outerSize);
    ~ScreenSurface() override { finish(); }

    // The image to draw on; it is replaced when the window changes size.
    void setImage(QImage* image);
    // The part of the chart the image shows: `scale` pixels a pixel of the
    // chart at its actual size, the image's corner `offset` pixels into the
    // chart so scaled. The picture is to be drawn anew afterwards.
    void setView(double scale, QPointF offset);
    void finish();

    void clear() override;
    void circle(double x, double y, double radius) override;
    void line(double x1, double y1, double x2, double y2) override;
    void rectangle(double x1, double y1, double x2, double y2) override;
    void setDrawColour(Colour colour) override { drawColour_ = colour; }
    Colour drawColour() const { return drawColour_; }
    void setFillColour(Colour colour) override { fillColour_ = colour; }
    void setLineStyle(LineStyle style) override { lineStyle_ = style; }
    void setPenWidth(int width) override { penWidth_ = width; }
    void setFontSize(double points) override;
    void setPosition(double x, double y) override;
    void printText(std::string_view text) override;
    void endLine() override;
    double textWidth(std::string_view text) const override;
    double textHeight(std::string_view text) const override;
    Colour backgroundColour() const override { return background_; }
    double outerWidth() const override;
    double outerHeight() const override;

  private:
    QPainter& painter();
    const QStaticText& laidOut(const QString& text);
    void usePen();

    QImage* image_ = nullptr;
    std::optional<QPainter> painter_;
    double scale_ = 1;
    QPointF offset_;
    std::function<QSize()> outerSize_;
    Colour background_;
    Colour drawColour_;
    Colour fillColour_ = 0;
    LineStyle lineStyle_ = LineStyle::solid;
    int penWidth_ = 1;
    QFont font_;
    QFontMetricsF metrics_{font_}; // measured once for each size
    static constexpr std::size_t maxKeptLayouts = 4000;
    std::map<std::pair<int, QString>, QStaticText> layouts_;

    double x_ = 0;
    double y_ = 0;
};

} // namespace arrowplan
