#include "model/leading_number.h"

#include <charconv>
#include <cmath>
#include <string>

namespace arrowplan {

namespace {

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

std::optional<double> wholeNumberInBase(std::string_view digits, int base) {
    double value = 0;
    for (char c : digits) {
        int digit = -1;
        if (isDigit(c)) {
            digit = c - '0';
        } else if (base == 16 && ((c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F'))) {
            digit = (c | 0x20) - 'a' + 10;
        }
        if (digit < 0 || digit >= base) {
            break;
        }
        value = value * base + digit;
    }
    return std::isfinite(value) ? std::optional<double>(value) : std::nullopt;
}

// The power of ten of a plain number's first significant digit: 2 for 123.4,
// -3 for 0.0012, 3 for 1.5e3.
long long powerOfTen(std::string_view number) {
    const std::size_t e = number.find_first_of("eE");
    long long exponent = 0;
    if (e != std::string_view::npos) {
        const bool negative = number[e + 1] == '-';
        for (char c : number.substr(e + 1)) {
            if (isDigit(c)) {
                exponent = std::min(exponent * 10 + (c - '0'), 1'000'000LL);
            }
        }
        exponent = negative ? -exponent : exponent;
    }
    const std::string_view mantissa = number.substr(0, e);
    const std::size_t stop = std::min(mantissa.find('.'), mantissa.size());
    const std::size_t first = mantissa.find_first_of("123456789");
    if (first == std::string_view::npos) {
        return -1'000'000; // zero
    }
    const long long place = first < stop ? static_cast<long long>(stop - first) - 1
                                         : -static_cast<long long>(first - stop);
    return place + exponent;
}

} // namespace

std::optional<double> leadingNumber(std::string_view text) {
    std::string packed;
    for (char c : text) {
        if (c != ' ' && c != '\t' && c != '\n') {
            packed += c;
        }
    }
    if (packed.size() >= 2 && packed[0] == '&') {
        const char kind = static_cast<char>(packed[1] | 0x20);
        if (kind == 'h' || kind == 'o') {
            return wholeNumberInBase(std::string_view(packed).substr(2), kind == 'h' ? 16 : 8);
        }
    }

    // The longest prefix that is a number: sign, digits and one stop, exponent.
    std::size_t end = 0;
    if (end < packed.size() && (packed[end] == '+' || packed[end] == '-')) {
        ++end;
    }
    bool stop = false;
    bool digits = false;
    for (; end < packed.size(); ++end) {
        if (isDigit(packed[end])) {
            digits = true;
        } else if (packed[end] == '.' && !stop) {
            stop = true;
        } else {
            break;
        }
    }
    if (!digits) {
        return 0.0;
    }
    std::size_t mantissaEnd = end;
    if (end < packed.size() && (packed[end] == 'e' || packed[end] == 'E')) {
        std::size_t exponent = end + 1;
        if (exponent < packed.size() && (packed[exponent] == '+' || packed[exponent] == '-')) {
            ++exponent;
        }
        if (exponent < packed.size() && isDigit(packed[exponent])) {
            while (exponent < packed.size() && isDigit(packed[exponent])) {
                ++exponent;
            }
            mantissaEnd = exponent;
        }
    }
    std::string number =
        packed.substr(packed[0] == '+' ? 1 : 0, mantissaEnd - (packed[0] == '+' ? 1 : 0));
    if (number.back() == '.') {
        number.pop_back(); // "5." is 5
    }
    double value = 0;
    const auto [ptr, error] = std::from_chars(number.data(), number.data() + number.size(), value);
    if (error == std::errc::result_out_of_range) {
        // Too small is zero; too large does not fit.
        return powerOfTen(number) < 0 ? std::optional<double>(0.0) : std::nullopt;
    }
    if (error != std::errc()) {
        return 0.0;
    }
    return value;
}

} // namespace arrowplan
