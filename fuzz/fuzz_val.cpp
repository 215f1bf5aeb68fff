// SPDX-License-Identifier: GPL-3.0-or-later
// Val reads the number at the start of a stored score file and of every value button's caption.
// Any text at all must give a number, never NaN, and a text that starts with the decimal digits
// of n must give n.

#include "check.h"
#include "runtime/conversions.h"

#include <cmath>
#include <cstdint>
#include <fuzzer/FuzzedDataProvider.h>
#include <string>

using angoli::Val;

namespace
{

// What Val skips before the number.
constexpr char kBlanks[] = {' ', '\t', '\n'};
constexpr int kMaxLeadingBlanks = 3;
constexpr int kMaxLeadingZeros = 3;

bool isBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\n';
}

// Characters that can carry the number on after its digits: more digits, a fraction, or an
// exponent letter (which continues it only when digits follow).
bool canContinueNumber(char c)
{
    return (c >= '0' && c <= '9') || c == '.' || c == 'e' || c == 'E' || c == 'd' || c == 'D';
}

// Whatever the text, the result is a number (possibly an infinity); a text without a number
// gives exactly 0.
void anyTextGivesANumber(const std::string &text)
{
    const double v = Val(text);
    FUZZ_CHECK(!std::isnan(v), "Val never gives NaN");
    std::size_t i = 0;
    while (i < text.size() && isBlank(text[i]))
        ++i;
    const bool mayStartNumber =
        i < text.size() &&
        (text[i] == '+' || text[i] == '-' || text[i] == '.' || (text[i] >= '0' && text[i] <= '9'));
    if (!mayStartNumber)
        FUZZ_CHECK(v == 0.0 && !std::signbit(v), "a text without a number gives 0");
}

// blanks, an optional sign, the digits of n (maybe after leading zeros), a character that
// cannot continue a number, then anything: Val gives n.
void digitsOfNGiveN(FuzzedDataProvider &data)
{
    const auto n = data.ConsumeIntegral<std::int64_t>();
    std::string text;
    const int blanks = data.ConsumeIntegralInRange(0, kMaxLeadingBlanks);
    for (int b = 0; b < blanks; ++b)
        text += data.PickValueInArray(kBlanks);
    if (n >= 0 && data.ConsumeBool())
        text += '+';
    if (n < 0)
        text += '-';
    text += std::string(std::size_t(data.ConsumeIntegralInRange(0, kMaxLeadingZeros)), '0');
    // The magnitude of INT64_MIN does not fit in int64: take it unsigned.
    const std::uint64_t magnitude = n < 0 ? 0 - std::uint64_t(n) : std::uint64_t(n);
    text += std::to_string(magnitude);
    char stop = data.ConsumeIntegral<char>();
    if (canContinueNumber(stop))
        stop = ';';
    text += stop;
    text += data.ConsumeRemainingBytesAsString();

    // Both sides are the nearest double to n, rounded half to even.
    FUZZ_CHECK(Val(text) == double(n), "the leading decimal digits of n give n");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *bytes, std::size_t size)
{
    anyTextGivesANumber(std::string(reinterpret_cast<const char *>(bytes), size));
    FuzzedDataProvider data(bytes, size);
    digitsOfNGiveN(data);
    return 0;
}
