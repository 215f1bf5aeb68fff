// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "runtime/colour.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace angoli
{

// Numbers and text as the game relies on them: 16-bit Integers that overflow
// instead of wrapping, rounding half to even, and the lenient Val reading.

// The leading decimal number of text: leading blanks, tabs and line feeds are
// skipped, then an optional sign, digits, an optional '.' fraction and an
// optional exponent (E, e, D or d, optional sign, taken only when digits
// follow). Reading stops at the first other character; no number gives 0.
// A number too large for a double gives an infinity, never an error.
double Val(std::string_view text);

// Decimal digits, '-' for negatives, no leading blank.
std::string CStr(std::int32_t v);

// The digit placeholder is '0': "00" writes the value rounded half to even to
// a whole number, with at least two digits. Every other character of fmt is
// written as it stands, so "15" gives "15" whatever the value.
std::string Format(double v, std::string_view fmt);

// Rounds to the nearest whole number, half to even; nullopt (an overflow) when
// the result lies outside -32768..32767 or v is not a number.
std::optional<std::int16_t> CInt(double v);

// Integer + value: the sum is formed in double and converted with CInt, so
// nullopt reports an overflow.
std::optional<std::int16_t> addInteger(std::int16_t a, double b);

// The 16 classic colours, 0 to 15. Any other n is a programming error and
// throws std::out_of_range.
Colour QBColor(int n);

} // namespace angoli
