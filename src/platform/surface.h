#pragma once

#include <cstdint>
#include <string_view>

namespace arrowplan {

// Colours are 24-bit values written 0xBBGGRR: blue in the high byte, red in
// the low byte.
using Colour = std::uint32_t;

namespace colours {
inline constexpr Colour black = 0x000000;
inline constexpr Colour white = 0xFFFFFF;
inline constexpr Colour nodeFill = 0xC0FFC0;    // light green
inline constexpr Colour highlight = 0x00FFFF;   // yellow: critical arrows, chosen nodes
inline constexpr Colour treeArrow = 0xFF0000;   // blue
inline constexpr Colour title = 0xC0FFFF;       // light yellow
inline constexpr Colour projectName = 0xC00000; // dark blue
inline constexpr Colour red = 0x0000FF;
inline constexpr Colour windowBack = 0xE2BF98; // the main window's light blue
inline constexpr Colour selection = 0xFF00FF;  // magenta, used for nothing else
inline constexpr Colour freeFloat = 0x008000;  // dark green: the free floats shaded
} // namespace colours

inline constexpr int redOf(Colour c) {
    return static_cast<int>(c & 0xFF);
}
inline constexpr int greenOf(Colour c) {
    return static_cast<int>((c >> 8) & 0xFF);
}
inline constexpr int blueOf(Colour c) {
    return static_cast<int>((c >> 16) & 0xFF);
}

enum class LineStyle { solid, dashed, dotted };

// The drawing vocabulary of the chart. Coordinates are twips (1/1440 inch),
// x to the right and y downwards. Every setting stays in force until it is
// set again, as on the window the chart was designed for.
class Surface {
  public:
    virtual ~Surface() = default;

    // Fills with the background colour and puts the current position at (0, 0).
    virtual void clear() = 0;
    // Outlined in the drawing colour; filled with the fill colour where the
    // surface fills circles.
    virtual void circle(double x, double y, double radius) = 0;
    // The current position ends at the second point.
    virtual void line(double x1, double y1, double x2, double y2) = 0;
    // The rectangle between two corners, filled with the fill colour and
    // outlined in the drawing colour, on every surface (the bars of a plot).
    virtual void rectangle(double x1, double y1, double x2, double y2) = 0;

    virtual void setDrawColour(Colour colour) = 0;
    virtual void setFillColour(Colour colour) = 0;
    virtual void setLineStyle(LineStyle style) = 0;
    // In device pixels: 1 is the thinnest line the surface can draw.
    virtual void setPenWidth(int width) = 0;
    virtual void setFontSize(double points) = 0;
    virtual void setPosition(double x, double y) = 0;

    // Writes the text with its top-left corner at the current position and
    // moves the position just right of it.
    virtual void printText(std::string_view text) = 0;
    // Moves the position to x = 0, one text line down.
    virtual void endLine() = 0;

    virtual double textWidth(std::string_view text) const = 0;
    virtual double textHeight(std::string_view text) const = 0;
    virtual Colour backgroundColour() const = 0;
    // The outer size of the window (or page) the surface stands for.
    virtual double outerWidth() const = 0;
    virtual double outerHeight() const = 0;
};

} // namespace arrowplan
