#include "model/utf8.h"

#include <array>

namespace arrowplan {

namespace {

bool isContinuationByte(char c) {
    return (static_cast<unsigned char>(c) & 0xC0) == 0x80;
}

// The bytes that may begin a sequence of two or more bytes, with the range
// the second byte must lie in: narrower where a wider range would allow an
// overlong form, a surrogate or a character beyond U+10FFFF.
struct LeadBytes {
    unsigned char first;
    unsigned char last;
    std::size_t length;
    unsigned char secondLow;
    unsigned char secondHigh;
};

constexpr std::array<LeadBytes, 8> leadBytes{{
    {0xC2, 0xDF, 2, 0x80, 0xBF},
    {0xE0, 0xE0, 3, 0xA0, 0xBF},
    {0xE1, 0xEC, 3, 0x80, 0xBF},
    {0xED, 0xED, 3, 0x80, 0x9F},
    {0xEE, 0xEF, 3, 0x80, 0xBF},
    {0xF0, 0xF0, 4, 0x90, 0xBF},
    {0xF1, 0xF3, 4, 0x80, 0xBF},
    {0xF4, 0xF4, 4, 0x80, 0x8F},
}};

// The length of the well-formed UTF-8 sequence text begins with, or 0.
std::size_t sequenceLength(std::string_view text) {
    const auto byte = [text](std::size_t i) { return static_cast<unsigned char>(text[i]); };
    if (byte(0) < 0x80) {
        return 1;
    }
    for (const LeadBytes& lead : leadBytes) {
        if (byte(0) < lead.first || byte(0) > lead.last) {
            continue;
        }
        if (text.size() < lead.length || byte(1) < lead.secondLow || byte(1) > lead.secondHigh) {
            return 0;
        }
        for (std::size_t i = 2; i < lead.length; ++i) {
            if (!isContinuationByte(text[i])) {
                return 0;
            }
        }
        return lead.length;
    }
    return 0;
}

bool isUtf8(std::string_view text) {
    while (!text.empty()) {
        const std::size_t length = sequenceLength(text);
        if (length == 0) {
            return false;
        }
        text.remove_prefix(length);
    }
    return true;
}

// The characters of the Windows-1252 bytes 0x80..0x9F; from 0xA0 on each byte
// is the character of its own number.
constexpr std::array<char32_t, 32> windows1252Specials{
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

// Every Windows-1252 character lies below U+10000, so three bytes suffice.
void appendUtf8(std::string& out, char32_t c) {
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

} // namespace

std::size_t characterCount(std::string_view text) {
    std::size_t count = 0;
    for (char c : text) {
        if (!isContinuationByte(c)) {
            ++count;
        }
    }
    return count;
}

std::string_view firstCharacters(std::string_view text, std::size_t count) {
    std::size_t seen = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (!isContinuationByte(text[i])) {
            if (seen == count) {
                return text.substr(0, i);
            }
            ++seen;
        }
    }
    return text;
}

std::string asUtf8(std::string_view text) {
    if (isUtf8(text)) {
        return std::string(text);
    }
    std::string converted;
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        appendUtf8(converted,
                   byte >= 0x80 && byte < 0xA0 ? windows1252Specials[byte - 0x80] : char32_t{byte});
    }
    return converted;
}

} // namespace arrowplan
