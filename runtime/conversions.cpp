// SPDX-License-Identifier: GPL-3.0-or-later
#include "runtime/conversions.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <stdexcept>
#include <string>
#include <version>

// Floating-point std::from_chars and std::to_chars: every standard library the game is built
// with has them except emscripten's libc++, which neither has them nor announces them. There
// the C library stands in: its strtod and printf are musl's, which know only the "C" locale, so
// the decimal point is always '.'. Elsewhere strtod would follow the locale the toolkit sets
// (Qt sets the user's, where the decimal point may be ','), so it is never used there.
#if defined(__cpp_lib_to_chars) || !defined(_LIBCPP_VERSION)
#define ANGOLI_FLOAT_CHARCONV 1
#elif !defined(__EMSCRIPTEN__)
#error "no floating-point std::from_chars, and strtod may follow the locale here"
#endif

namespace angoli
{

namespace
{

// Exponents are saturated here while being read; far beyond the range of a
// double, yet small enough that adding a digit count cannot overflow.
constexpr std::int64_t kExponentLimit = 1'000'000'000;

constexpr std::array<Colour, 16> kQBColors = {
    0x000000, 0x800000, 0x008000, 0x808000, 0x000080, 0x800080, 0x008080, 0xC0C0C0,
    0x808080, 0xFF0000, 0x00FF00, 0xFFFF00, 0x0000FF, 0xFF00FF, 0x00FFFF, 0xFFFFFF,
};

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

// A plain decimal number ("123.45e-6", no sign, no blanks) as a double, or the errc of
// std::from_chars: result_out_of_range beyond the range of a double.
std::errc readDecimal(const std::string &number, double &value)
{
#if defined(ANGOLI_FLOAT_CHARCONV)
    return std::from_chars(number.data(), number.data() + number.size(), value).ec;
#else
    errno = 0;
    char *end = nullptr;
    const double read = std::strtod(number.c_str(), &end);
    if (end != number.c_str() + number.size())
        return std::errc::invalid_argument;
    if (errno == ERANGE)
        return std::errc::result_out_of_range;
    value = read;
    return std::errc();
#endif
}

// The decimal digits of a whole, non-negative double.
std::string wholeDigits(double whole)
{
#if defined(ANGOLI_FLOAT_CHARCONV)
    char buffer[400]; // the digits of the largest double, with room to spare
    const auto written =
        std::to_chars(buffer, buffer + sizeof buffer, whole, std::chars_format::fixed, 0);
    return std::string(buffer, written.ptr);
#else
    char buffer[400];
    const int n = std::snprintf(buffer, sizeof buffer, "%.0f", whole);
    return std::string(buffer, std::size_t(n));
#endif
}

double roundHalfEven(double v)
{
    const double floorValue = std::floor(v);
    const double fraction = v - floorValue; // exact for every double
    if (fraction > 0.5)
        return floorValue + 1.0;
    if (fraction < 0.5)
        return floorValue;
    return std::fmod(floorValue, 2.0) == 0.0 ? floorValue : floorValue + 1.0;
}

} // namespace

double Val(std::string_view text)
{
    const std::size_t size = text.size();
    std::size_t i = 0;
    while (i < size && (text[i] == ' ' || text[i] == '\t' || text[i] == '\n'))
        ++i;

    bool negative = false;
    if (i < size && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }

    std::string integerDigits; // without leading zeros
    while (i < size && isDigit(text[i])) {
        if (!integerDigits.empty() || text[i] != '0')
            integerDigits.push_back(text[i]);
        ++i;
    }
    std::string fractionDigits;
    if (i < size && text[i] == '.') {
        ++i;
        while (i < size && isDigit(text[i])) {
            fractionDigits.push_back(text[i]);
            ++i;
        }
    }

    std::int64_t exponent = 0;
    if (i < size && (text[i] == 'E' || text[i] == 'e' || text[i] == 'D' || text[i] == 'd')) {
        std::size_t j = i + 1;
        bool exponentNegative = false;
        if (j < size && (text[j] == '+' || text[j] == '-')) {
            exponentNegative = text[j] == '-';
            ++j;
        }
        if (j < size && isDigit(text[j])) {
            for (; j < size && isDigit(text[j]); ++j)
                exponent = std::min(kExponentLimit, exponent * 10 + (text[j] - '0'));
            if (exponentNegative)
                exponent = -exponent;
        }
    }

    const auto firstNonZero = fractionDigits.find_first_not_of('0');
    if (integerDigits.empty() && firstNonZero == std::string::npos)
        return 0.0; // no digits at all, or only zeros: no negative zero either

    std::string number = integerDigits.empty() ? std::string("0") : integerDigits;
    if (!fractionDigits.empty())
        number += '.' + fractionDigits;
    if (exponent != 0)
        number += 'e' + std::to_string(exponent);

    double value = 0.0;
    const std::errc error = readDecimal(number, value);
    if (error == std::errc::result_out_of_range) {
        // Decimal position of the first significant digit decides between
        // an overflow and an underflow.
        const std::int64_t magnitude = integerDigits.empty()
                                           ? exponent - std::int64_t(firstNonZero)
                                           : exponent + std::int64_t(integerDigits.size());
        value = magnitude > 0 ? std::numeric_limits<double>::infinity() : 0.0;
    } else if (error != std::errc()) {
        value = 0.0;
    }
    if (value == 0.0)
        return 0.0;
    return negative ? -value : value;
}

std::string CStr(std::int32_t v)
{
    return std::to_string(v);
}

std::string Format(double v, std::string_view fmt)
{
    const auto placeholders = static_cast<std::size_t>(std::count(fmt.begin(), fmt.end(), '0'));
    if (placeholders == 0)
        return std::string(fmt);
    if (std::isnan(v))
        return "nan";
    if (std::isinf(v))
        return v < 0 ? "-inf" : "inf";

    const double rounded = roundHalfEven(v);
    std::string digits = wholeDigits(std::fabs(rounded));
    if (digits.size() < placeholders)
        digits.insert(0, placeholders - digits.size(), '0');
    // Digits beyond the placeholders go in front of the first one.
    const std::size_t extra = digits.size() - placeholders;

    std::string out;
    if (rounded < 0)
        out += '-';
    std::size_t next = extra;
    bool firstPlaceholder = true;
    for (const char c : fmt) {
        if (c != '0') {
            out += c;
            continue;
        }
        if (firstPlaceholder) {
            out += digits.substr(0, extra);
            firstPlaceholder = false;
        }
        out += digits[next++];
    }
    return out;
}

std::optional<std::int16_t> CInt(double v)
{
    if (!std::isfinite(v))
        return std::nullopt;
    const double rounded = roundHalfEven(v);
    if (rounded < std::numeric_limits<std::int16_t>::min() ||
        rounded > std::numeric_limits<std::int16_t>::max())
        return std::nullopt;
    return static_cast<std::int16_t>(rounded);
}

std::optional<std::int16_t> addInteger(std::int16_t a, double b)
{
    return CInt(double(a) + b);
}

Colour QBColor(int n)
{
    if (n < 0 || n >= int(kQBColors.size()))
        throw std::out_of_range("QBColor: colour number outside 0..15");
    return kQBColors[std::size_t(n)];
}

} // namespace angoli
