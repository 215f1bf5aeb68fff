// Val reads the number at the start of a stored score file and of every value
// button's caption. Any text at all must give a number, never NaN, and a text
// that starts with the decimal digits of n must give n.

#include "check.h"
#include "platform/vbruntime.h"

#include <QString>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <fuzzer/FuzzedDataProvider.h>
#include <string>

using angoli::Val;

namespace
{

// What Val skips before the number.
constexpr char16_t kBlanks[] = {u' ', u'\t', u'\n'};
constexpr int kMaxLeadingBlanks = 3;
constexpr int kMaxLeadingZeros = 3;

bool isBlank(QChar c)
{
    for (const char16_t blank : kBlanks) {
        if (c == blank)
            return true;
    }
    return false;
}

// Characters that can carry the number on after its digits: more digits, a
// fraction, or an exponent letter (which continues it only when digits follow).
bool canContinueNumber(char16_t c)
{
    return (c >= u'0' && c <= u'9') || c == u'.' || c == u'e' || c == u'E' || c == u'd' ||
           c == u'D';
}

QString utf16Of(const std::string &bytes)
{
    // Any code units at all, unpaired surrogates included.
    QString text(qsizetype(bytes.size() / 2), Qt::Uninitialized);
    std::memcpy(text.data(), bytes.data(), std::size_t(text.size()) * 2);
    return text;
}

// Whatever the text, the result is a number (possibly an infinity); a text
// without a number gives exactly 0.
void anyTextGivesANumber(const QString &text)
{
    const double v = Val(text);
    FUZZ_CHECK(!std::isnan(v), "Val never gives NaN");
    qsizetype i = 0;
    while (i < text.size() && isBlank(text[i]))
        ++i;
    const bool mayStartNumber =
        i < text.size() && (text[i] == u'+' || text[i] == u'-' || text[i] == u'.' ||
                            (text[i] >= u'0' && text[i] <= u'9'));
    if (!mayStartNumber)
        FUZZ_CHECK(v == 0.0 && !std::signbit(v), "a text without a number gives 0");
}

// blanks, an optional sign, the digits of n (maybe after leading zeros), a
// character that cannot continue a number, then anything: Val gives n.
void digitsOfNGiveN(FuzzedDataProvider &data)
{
    const auto n = data.ConsumeIntegral<std::int64_t>();
    QString text;
    const int blanks = data.ConsumeIntegralInRange(0, kMaxLeadingBlanks);
    for (int b = 0; b < blanks; ++b)
        text += QChar(data.PickValueInArray(kBlanks));
    if (n >= 0 && data.ConsumeBool())
        text += u'+';
    if (n < 0)
        text += u'-';
    text += QString(data.ConsumeIntegralInRange(0, kMaxLeadingZeros), u'0');
    // The magnitude of INT64_MIN does not fit in int64: take it unsigned.
    const std::uint64_t magnitude = n < 0 ? 0 - std::uint64_t(n) : std::uint64_t(n);
    text += QString::number(magnitude);
    char16_t stop = data.ConsumeIntegral<char16_t>();
    if (canContinueNumber(stop))
        stop = u';';
    text += QChar(stop);
    text += utf16Of(data.ConsumeRemainingBytesAsString());

    // Both sides are the nearest double to n, rounded half to even.
    FUZZ_CHECK(Val(text) == double(n), "the leading decimal digits of n give n");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *bytes, std::size_t size)
{
    const std::string input(reinterpret_cast<const char *>(bytes), size);
    anyTextGivesANumber(utf16Of(input));
    anyTextGivesANumber(QString::fromLatin1(input.data(), qsizetype(input.size())));
    FuzzedDataProvider data(bytes, size);
    digitsOfNGiveN(data);
    return 0;
}
