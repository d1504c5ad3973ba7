#include "model/number_parse.h"

#include <charconv>
#include <cmath>
#include <limits>
#include <string>

namespace arrowplan {

namespace {

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

// The parts of a plain number: its digits without the full stop, and the
// power of ten of the last digit, so that the value is digits x 10^exponent.
struct Decimal {
    bool negative = false;
    std::string digits;
    long long exponent = 0;
};

Decimal decompose(std::string_view text) {
    Decimal d;
    std::size_t i = 0;
    if (text[i] == '+' || text[i] == '-') {
        d.negative = text[i] == '-';
        ++i;
    }
    bool afterStop = false;
    for (; i < text.size() && (isDigit(text[i]) || text[i] == '.'); ++i) {
        if (text[i] == '.') {
            afterStop = true;
            continue;
        }
        d.digits += text[i];
        if (afterStop) {
            --d.exponent;
        }
    }
    if (i < text.size()) { // the exponent part, after E or e
        ++i;
        bool negativeExponent = false;
        if (text[i] == '+' || text[i] == '-') {
            negativeExponent = text[i] == '-';
            ++i;
        }
        long long power = 0;
        for (; i < text.size(); ++i) {
            // Any power beyond a thousand is out of every range already.
            power = std::min(power * 10 + (text[i] - '0'), 100'000LL);
        }
        d.exponent += negativeExponent ? -power : power;
    }
    const std::size_t firstNonZero = d.digits.find_first_not_of('0');
    d.digits.erase(0, firstNonZero == std::string::npos ? d.digits.size() : firstNonZero);
    return d;
}

// Multiplies a run of digits out into an int64, or nothing on overflow.
std::optional<std::int64_t> digitsValue(std::string_view digits) {
    std::int64_t value = 0;
    for (char c : digits) {
        if (__builtin_mul_overflow(value, 10, &value) ||
            __builtin_add_overflow(value, c - '0', &value)) {
            return std::nullopt;
        }
    }
    return value;
}

} // namespace

bool isPlainNumber(std::string_view text) {
    std::size_t i = 0;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        ++i;
    }
    int digits = 0;
    int stops = 0;
    for (; i < text.size() && (isDigit(text[i]) || text[i] == '.'); ++i) {
        if (text[i] == '.') {
            ++stops;
        } else {
            ++digits;
        }
    }
    if (digits == 0 || stops > 1) {
        return false;
    }
    if (i == text.size()) {
        return true;
    }
    if (text[i] != 'e' && text[i] != 'E') {
        return false;
    }
    ++i;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        ++i;
    }
    const std::size_t exponentStart = i;
    while (i < text.size() && isDigit(text[i])) {
        ++i;
    }
    return i == text.size() && i > exponentStart;
}

std::optional<float> toSingle(std::string_view plainNumber) {
    // from_chars ignores the locale, unlike strtof, and rejects a plus sign.
    if (plainNumber.front() == '+') {
        plainNumber.remove_prefix(1);
    }
    float value = 0;
    const auto [end, error] =
        std::from_chars(plainNumber.data(), plainNumber.data() + plainNumber.size(), value);
    if (error != std::errc() || end != plainNumber.data() + plainNumber.size() ||
        !std::isfinite(value)) {
        return std::nullopt;
    }
    return value;
}

std::optional<Currency> toCurrency(std::string_view plainNumber) {
    Decimal d = decompose(plainNumber);
    const long long shift = d.exponent + 4; // ten-thousandths
    std::optional<std::int64_t> units;
    if (d.digits.empty()) {
        units = 0;
    } else if (shift >= 0) {
        if (shift > 19) {
            return std::nullopt;
        }
        units = digitsValue(d.digits + std::string(static_cast<std::size_t>(shift), '0'));
    } else {
        // Drop the digits below a ten-thousandth and round half to even.
        const auto dropped = static_cast<std::size_t>(-shift);
        if (dropped > d.digits.size()) {
            d.digits.insert(0, dropped - d.digits.size(), '0');
        }
        const std::string_view kept(d.digits.data(), d.digits.size() - dropped);
        const std::string_view rest = std::string_view(d.digits).substr(kept.size());
        units = digitsValue(kept);
        if (units) {
            const bool aboveHalf =
                rest[0] > '5' ||
                (rest[0] == '5' && rest.find_first_not_of('0', 1) != std::string_view::npos);
            const bool exactlyHalf = rest[0] == '5' && !aboveHalf;
            if (aboveHalf || (exactlyHalf && *units % 2 != 0)) {
                units = *units == std::numeric_limits<std::int64_t>::max()
                            ? std::nullopt
                            : std::optional<std::int64_t>(*units + 1);
            }
        }
    }
    if (!units) {
        return std::nullopt;
    }
    return d.negative ? -Currency::fromUnits(*units) : Currency::fromUnits(*units);
}

std::optional<std::int16_t> toInteger16(std::string_view plainNumber) {
    const std::optional<Currency> value = toCurrency(plainNumber);
    if (!value || value->units() % Currency::scale != 0) {
        return std::nullopt;
    }
    const std::int64_t whole = value->units() / Currency::scale;
    if (whole < std::numeric_limits<std::int16_t>::min() ||
        whole > std::numeric_limits<std::int16_t>::max()) {
        return std::nullopt;
    }
    return static_cast<std::int16_t>(whole);
}

} // namespace arrowplan
