#include "model/number_text.h"

#include "model/utf8.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace arrowplan {

namespace {

constexpr int floatDigits = 7;

// Drops the zeros at the end of a fraction, and the full stop with them when
// nothing is left after it.
void trimFraction(std::string& text) {
    if (text.find('.') == std::string::npos) {
        return;
    }
    while (text.back() == '0') {
        text.pop_back();
    }
    if (text.back() == '.') {
        text.pop_back();
    }
}

// Places the decimal point into a run of significant digits whose first digit
// has the given power of ten.
std::string placeDecimalPoint(const std::string& digits, int exponent) {
    const int count = static_cast<int>(digits.size());
    if (exponent < 0) {
        return "0." + std::string(static_cast<std::size_t>(-exponent - 1), '0') + digits;
    }
    if (exponent + 1 >= count) {
        return digits + std::string(static_cast<std::size_t>(exponent + 1 - count), '0');
    }
    const auto split = static_cast<std::size_t>(exponent + 1);
    return digits.substr(0, split) + "." + digits.substr(split);
}

template <typename Number> std::string withSurfaceBlanks(Number value) {
    const std::string text = plainText(value);
    return (text.front() == '-' ? "" : " ") + text + " ";
}

} // namespace

std::string plainText(float value) {
    if (std::isnan(value)) {
        return "NaN";
    }
    if (std::isinf(value)) {
        return value < 0 ? "-Infinity" : "Infinity";
    }
    if (value == 0.0f) {
        return "0"; // also for -0
    }
    // printf rounds the exact binary value correctly to 7 significant digits;
    // the scientific form gives the digits and the power of ten separately.
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%.*e", floatDigits - 1, static_cast<double>(value));
    const std::string scientific(buffer);
    const bool negative = scientific.front() == '-';
    const std::size_t start = negative ? 1 : 0;
    const std::size_t e = scientific.find('e');
    std::string digits = scientific.substr(start, 1) + scientific.substr(start + 2, e - start - 2);
    const int exponent = std::atoi(scientific.c_str() + e + 1);
    std::string text = placeDecimalPoint(digits, exponent);
    trimFraction(text);
    return negative ? "-" + text : text;
}

std::string plainText(double value) {
    if (!std::isfinite(value) || value == 0) {
        return plainText(static_cast<float>(value)); // the same words for NaN, infinities and -0
    }
    // Fixed notation at its shortest: every digit the value needs, no exponent.
    char buffer[400]; // the longest fixed text of a double is some 330 characters
    const auto end = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed);
    return std::string(buffer, end.ptr);
}

std::string plainText(Currency value) {
    const std::int64_t units = value.units();
    // The magnitude of the smallest int64 does not fit an int64; it does fit
    // an unsigned one.
    const std::uint64_t magnitude = units < 0 ? std::uint64_t{0} - static_cast<std::uint64_t>(units)
                                              : static_cast<std::uint64_t>(units);
    const auto scale = static_cast<std::uint64_t>(Currency::scale);
    std::string text = std::to_string(magnitude / scale);
    if (const std::uint64_t fraction = magnitude % scale; fraction != 0) {
        char buffer[8];
        std::snprintf(buffer, sizeof buffer, ".%04llu", static_cast<unsigned long long>(fraction));
        text += buffer;
        trimFraction(text);
    }
    return units < 0 ? "-" + text : text;
}

std::string plainText(std::int64_t value) {
    return std::to_string(value);
}

std::string surfaceText(float value) {
    return withSurfaceBlanks(value);
}
std::string surfaceText(Currency value) {
    return withSurfaceBlanks(value);
}
std::string surfaceText(std::int64_t value) {
    return withSurfaceBlanks(value);
}

void appendRightAligned(std::string& line, std::string_view text, std::size_t width) {
    const std::size_t length = characterCount(text);
    if (length < width) {
        line.append(width - length, ' ');
    }
    line += text;
}

std::string rightAligned(std::string_view text, std::size_t width) {
    std::string field;
    appendRightAligned(field, text, width);
    return field;
}

} // namespace arrowplan
