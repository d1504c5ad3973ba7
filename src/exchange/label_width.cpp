#include "exchange/label_width.h"

#include "model/chart_geometry.h"

#include <array>

namespace arrowplan {

namespace {

// Advance widths of the printable ASCII characters, from the blank to the
// tilde, in thousandths of the em.
constexpr std::array<int, 95> asciiWidths = {
    278, 278, 355, 556, 556, 889, 667,  191, 333, 333, 389, 584, 278, 333, 278, 278, // blank to /
    556, 556, 556, 556, 556, 556, 556,  556, 556, 556,                               // digits
    278, 278, 584, 584, 584, 556, 1015,                                              // : to @
    667, 667, 722, 722, 667, 611, 778,  722, 278, 500, 667, 556, 833,                // A to M
    722, 778, 667, 778, 722, 667, 611,  722, 667, 944, 667, 667, 611,                // N to Z
    278, 278, 278, 469, 556, 333,                                                    // [ to `
    556, 556, 500, 556, 556, 278, 556,  556, 222, 222, 500, 222, 833,                // a to m
    556, 556, 556, 556, 333, 500, 278,  556, 500, 722, 500, 500, 500,                // n to z
    334, 260, 334, 584,                                                              // { to ~
};
// Other letters of the Latin, Greek and Cyrillic scripts are about as wide
// as a digit; the ideographs and the syllables of East Asian scripts fill
// the em.
constexpr int otherWidth = 556;
constexpr int wideWidth = 1000;
constexpr char32_t firstWide = 0x1100;
// A point is twenty twips.
constexpr double twipsPerEm = chart_geometry::labelFontSize * 20;
// The screen's font rounds to whole pixels; a little more room than the
// exact advance keeps the estimate on the safe side.
constexpr double margin = 1.08;

int widthOf(char32_t character) {
    if (character >= U' ' && character <= U'~') {
        return asciiWidths[character - U' '];
    }
    return character >= firstWide ? wideWidth : otherWidth;
}

} // namespace

double labelWidth(std::string_view text) {
    int thousandths = 0;
    for (std::size_t i = 0; i < text.size();) {
        const auto lead = static_cast<unsigned char>(text[i]);
        // The lead byte tells the length of a UTF-8 sequence.
        const std::size_t length = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
        char32_t character = lead;
        if (length > 1) {
            character = lead & (0x3F >> (length - 1));
            for (std::size_t k = 1; k < length && i + k < text.size(); ++k) {
                character = (character << 6) | (static_cast<unsigned char>(text[i + k]) & 0x3F);
            }
        }
        thousandths += widthOf(character);
        i += length;
    }
    return thousandths / 1000.0 * twipsPerEm * margin;
}

double labelHeight() {
    // The sans-serif faces' line is about 1.15 em; the screen rounds it up.
    return twipsPerEm * 1.2;
}

} // namespace arrowplan
