#pragma once

#include <string_view>

namespace arrowplan {

// About how wide a text is at the chart's label size, in twips, in the
// chart's sans-serif font. The layout has no window to measure with, and it
// only needs to know which labels would run into a node or into each other;
// the font is metric-compatible with the common sans-serif faces, whose
// advance widths are public, and a small margin covers the screen's rounding.
double labelWidth(std::string_view text);

// The height of one line of labels, in twips.
double labelHeight();

} // namespace arrowplan
