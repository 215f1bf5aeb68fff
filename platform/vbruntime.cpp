#include "platform/vbruntime.h"

#include <array>
#include <charconv>
#include <cmath>
#include <limits>
#include <stdexcept>
#include <string>

namespace angoli
{

namespace
{

// Exponents are saturated here while being read; far beyond the range of a
// double, yet small enough that adding a digit count cannot overflow.
constexpr qint64 kExponentLimit = 1'000'000'000;

constexpr std::array<quint32, 16> kQBColors = {
    0x000000, 0x800000, 0x008000, 0x808000, 0x000080, 0x800080, 0x008080, 0xC0C0C0,
    0x808080, 0xFF0000, 0x00FF00, 0xFFFF00, 0x0000FF, 0xFF00FF, 0x00FFFF, 0xFFFFFF,
};

bool isDigit(QChar c)
{
    return c >= u'0' && c <= u'9';
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

double Val(QStringView text)
{
    const qsizetype size = text.size();
    qsizetype i = 0;
    while (i < size && (text[i] == u' ' || text[i] == u'\t' || text[i] == u'\n'))
        ++i;

    bool negative = false;
    if (i < size && (text[i] == u'+' || text[i] == u'-')) {
        negative = text[i] == u'-';
        ++i;
    }

    std::string integerDigits; // without leading zeros
    while (i < size && isDigit(text[i])) {
        if (!integerDigits.empty() || text[i] != u'0')
            integerDigits.push_back(char(text[i].unicode()));
        ++i;
    }
    std::string fractionDigits;
    if (i < size && text[i] == u'.') {
        ++i;
        while (i < size && isDigit(text[i])) {
            fractionDigits.push_back(char(text[i].unicode()));
            ++i;
        }
    }

    qint64 exponent = 0;
    if (i < size && (text[i] == u'E' || text[i] == u'e' || text[i] == u'D' || text[i] == u'd')) {
        qsizetype j = i + 1;
        bool exponentNegative = false;
        if (j < size && (text[j] == u'+' || text[j] == u'-')) {
            exponentNegative = text[j] == u'-';
            ++j;
        }
        if (j < size && isDigit(text[j])) {
            for (; j < size && isDigit(text[j]); ++j)
                exponent = std::min(kExponentLimit, exponent * 10 + (text[j].unicode() - u'0'));
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
    const auto [end, error] = std::from_chars(number.data(), number.data() + number.size(), value);
    Q_UNUSED(end);
    if (error == std::errc::result_out_of_range) {
        // Decimal position of the first significant digit decides between
        // an overflow and an underflow.
        const qint64 magnitude = integerDigits.empty() ? exponent - qint64(firstNonZero)
                                                       : exponent + qint64(integerDigits.size());
        value = magnitude > 0 ? std::numeric_limits<double>::infinity() : 0.0;
    } else if (error != std::errc()) {
        value = 0.0;
    }
    if (value == 0.0)
        return 0.0;
    return negative ? -value : value;
}

QString CStr(qint32 v)
{
    return QString::number(v);
}

QString Format(double v, QStringView fmt)
{
    const qsizetype placeholders = fmt.count(u'0');
    if (placeholders == 0)
        return fmt.toString();
    if (!std::isfinite(v))
        return QString::number(v);

    const double rounded = roundHalfEven(v);
    QString digits = QString::number(std::fabs(rounded), 'f', 0);
    if (digits.size() < placeholders)
        digits.prepend(QString(placeholders - digits.size(), u'0'));
    // Digits beyond the placeholders go in front of the first one.
    const qsizetype extra = digits.size() - placeholders;

    QString out;
    if (rounded < 0)
        out += u'-';
    qsizetype next = extra;
    bool firstPlaceholder = true;
    for (const QChar c : fmt) {
        if (c != u'0') {
            out += c;
            continue;
        }
        if (firstPlaceholder) {
            out += digits.left(extra);
            firstPlaceholder = false;
        }
        out += digits[next++];
    }
    return out;
}

std::optional<qint16> CInt(double v)
{
    if (!std::isfinite(v))
        return std::nullopt;
    const double rounded = roundHalfEven(v);
    if (rounded < std::numeric_limits<qint16>::min() ||
        rounded > std::numeric_limits<qint16>::max())
        return std::nullopt;
    return static_cast<qint16>(rounded);
}

std::optional<qint16> addInteger(qint16 a, double b)
{
    return CInt(double(a) + b);
}

quint32 QBColor(int n)
{
    if (n < 0 || n >= int(kQBColors.size()))
        throw std::out_of_range("QBColor: colour number outside 0..15");
    return kQBColors[std::size_t(n)];
}

} // namespace angoli
