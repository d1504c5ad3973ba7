#pragma once

#include "platform/surface.h"

#include <string>
#include <vector>

namespace arrowplan {

// A surface that draws nothing and writes down every operation as a line of
// text, so that tests can read what a drawing did, in order:
//   clear | fill C0FFC0 | colour 00FFFF | style dotted | width 1 | font 16
//   circle 1000,2000 200 | line 1200,1000 2800,1000 | rect 100,200 300,400
//   at 930,1900
//   text " 1 " | endline
// Colours are the 0xBBGGRR values in hex; coordinates have at most two
// decimals. Text metrics are simple and fixed: a character is 0.6 of the
// font's em wide and a line 1.25 em high.
class RecordingSurface : public Surface {
  public:
    RecordingSurface(double outerWidth, double outerHeight, Colour background)
        : outerWidth_(outerWidth), outerHeight_(outerHeight), background_(background) {}

    const std::vector<std::string>& operations() const { return operations_; }
    void forget() { operations_.clear(); }
    double x() const { return x_; }
    double y() const { return y_; }

    void clear() override;
    void circle(double x, double y, double radius) override;
    void line(double x1, double y1, double x2, double y2) override;
    void rectangle(double x1, double y1, double x2, double y2) override;
    void setDrawColour(Colour colour) override;
    void setFillColour(Colour colour) override;
    void setLineStyle(LineStyle style) override;
    void setPenWidth(int width) override;
    void setFontSize(double points) override;
    void setPosition(double x, double y) override;
    void printText(std::string_view text) override;
    void endLine() override;
    double textWidth(std::string_view text) const override;
    double textHeight(std::string_view text) const override;
    Colour backgroundColour() const override { return background_; }
    double outerWidth() const override { return outerWidth_; }
    double outerHeight() const override { return outerHeight_; }

  private:
    double em() const { return fontSize_ * 20.0; }

    std::vector<std::string> operations_;
    double outerWidth_;
    double outerHeight_;
    Colour background_;
    double fontSize_ = 8.0;
    double x_ = 0;
    double y_ = 0;
};

} // namespace arrowplan
