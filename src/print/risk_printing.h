#pragma once

#include "risk/risk_report.h"

class QPaintDevice;
class QPrinter;

namespace arrowplan {

// The schedule risk page (drawRiskPage) as one printer document on a
// landscape page; the printer is left in portrait. Throws PrintError when the
// printer refuses it.
void printRiskPage(QPrinter& printer, const RiskFigures& figures);

// The same page on any page-like device (an SVG drawing), scaled alike on
// both axes so that its circles and text keep their shape.
void drawRiskPageOn(QPaintDevice& device, const RiskFigures& figures);

} // namespace arrowplan
