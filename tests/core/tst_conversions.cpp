// SPDX-License-Identifier: GPL-3.0-or-later
// Numbers and text as the game relies on them: Val, CStr, Format, CInt, 16-bit sums, QBColor.
#include "runtime/conversions.h"

#include <doctest.h>

#include <cmath>
#include <cstdint>
#include <limits>
#include <optional>
#include <stdexcept>
#include <string>

using namespace angoli;

namespace
{
constexpr double kInf = std::numeric_limits<double>::infinity();
} // namespace

TEST_CASE("Val reads the leading decimal number of a text and ignores the rest")
{
    struct Row {
        const char *row;
        std::string text;
        double expected;
    };
    const Row rows[] = {
        {"empty", "", 0.0},
        {"score line", "12\r\n", 12.0},
        {"line break alone", "\r\n", 0.0},
        {"letters", "abc", 0.0},
        {"leading blank", " 12", 12.0},
        {"leading tab and LF", "\t\n 7", 7.0},
        {"leading CR is not skipped", "\r12", 0.0},
        {"negative", "-5", -5.0},
        {"explicit plus", "+5", 5.0},
        {"two signs", "--5", 0.0},
        {"sign alone", "-", 0.0},
        {"fraction", "12.5", 12.5},
        {"fraction only", ".5", 0.5},
        {"point alone", ".", 0.0},
        {"trailing point", "5.", 5.0},
        {"comma is no decimal point", "1,5", 1.0},
        {"exponent", "1e3", 1000.0},
        {"exponent upper case with sign", "1E+3", 1000.0},
        {"negative exponent", "2.5e-1", 0.25},
        {"D exponent", "1d2", 100.0},
        {"exponent without digits", "1e", 1.0},
        {"exponent sign without digits", "1e+x", 1.0},
        {"digits then letters", "12abc", 12.0},
        {"leading zeros", "0012", 12.0},
        {"negative zero is zero", "-0", 0.0},
        {"non-ASCII digits", "\u0661\u0662", 0.0},
        {"NUL stops the number",
         std::string("3\0"
                     "4",
                     3),
         3.0},
    };
    for (const Row &row : rows) {
        CAPTURE(row.row);
        const double value = Val(row.text);
        CHECK(value == row.expected);
        INFO("zero must not carry a sign");
        CHECK((!std::signbit(value) || value != 0.0));
    }
}

TEST_CASE("out-of-range and absurd inputs to Val give a finite or infinite value, never UB")
{
    struct Row {
        const char *row;
        std::string text;
        double expected;
    };
    const Row rows[] = {
        {"400 nines", std::string(400, '9'), kInf},
        {"negative overflow", "-1e400", -kInf},
        {"underflow", "1e-400", 0.0},
        {"exponent longer than any integer", "1e99999999999999999999", kInf},
        {"tiny exponent longer than any integer", "1e-99999999999999999999", 0.0},
        {"zero with huge exponent", "0e99999", 0.0},
        {"many digits scaled back to one", "1" + std::string(100000, '0') + "e-100000", 1.0},
        {"many leading fraction zeros", "0." + std::string(5000, '0') + "25e5001", 2.5},
    };
    for (const Row &row : rows) {
        CAPTURE(row.row);
        CHECK(Val(row.text) == row.expected);
    }
}

TEST_CASE("CStr writes plain digits, '-' for negatives, no leading blank")
{
    struct Row {
        std::int32_t value;
        const char *expected;
    };
    const Row rows[] = {
        {0, "0"},
        {12, "12"},
        {-5, "-5"},
        {std::numeric_limits<std::int32_t>::min(), "-2147483648"},
        {std::numeric_limits<std::int32_t>::max(), "2147483647"},
    };
    for (const Row &row : rows) {
        CAPTURE(row.value);
        CHECK(CStr(row.value) == row.expected);
    }
}

TEST_CASE("Format: '0' is the only digit placeholder, every other character is literal")
{
    struct Row {
        const char *row;
        double value;
        const char *fmt;
        const char *expected;
    };
    const Row rows[] = {
        {"00 zero", 0.0, "00", "00"},
        {"00 one digit", 5.0, "00", "05"},
        {"00 fifteen", 15.0, "00", "15"},
        {"00 fifty-nine", 59.0, "00", "59"},
        {"00 three digits are kept", 100.0, "00", "100"},
        {"00 half rounds to even down", 2.5, "00", "02"},
        {"00 half rounds to even up", 3.5, "00", "04"},
        {"00 above half", 8.51, "00", "09"},
        {"00 negative", -5.0, "00", "-05"},
        {"literal 15 with zero", 0.0, "15", "15"},
        {"literal 15 with other value", 42.0, "15", "15"},
        {"single placeholder", 7.0, "0", "7"},
        {"three placeholders", 7.0, "000", "007"},
        {"literal digit before placeholder", 5.0, "10", "15"},
    };
    for (const Row &row : rows) {
        CAPTURE(row.row);
        CHECK(Format(row.value, row.fmt) == row.expected);
    }
}

TEST_CASE("CInt rounds half to even and reports an overflow outside -32768..32767")
{
    struct Row {
        const char *row;
        double value;
        std::optional<int> expected; // nullopt: overflow
    };
    const Row rows[] = {
        {"0.5 to even 0", 0.5, 0},
        {"1.5 to even 2", 1.5, 2},
        {"2.5 to even 2", 2.5, 2},
        {"-2.5 to even -2", -2.5, -2},
        {"-0.5 to 0", -0.5, 0},
        {"0.49 down", 0.49, 0},
        {"0.51 up", 0.51, 1},
        {"-1.6 to -2", -1.6, -2},
        {"32767.4 fits", 32767.4, 32767},
        {"32767.5 overflows", 32767.5, std::nullopt},
        {"32768 overflows", 32768.0, std::nullopt},
        {"-32768.5 to even -32768", -32768.5, -32768},
        {"-32768.51 overflows", -32768.51, std::nullopt},
        {"-32769 overflows", -32769.0, std::nullopt},
        {"huge overflows", 1e300, std::nullopt},
        {"infinity overflows", kInf, std::nullopt},
        {"NaN overflows", std::numeric_limits<double>::quiet_NaN(), std::nullopt},
    };
    for (const Row &row : rows) {
        CAPTURE(row.row);
        const std::optional<std::int16_t> result = CInt(row.value);
        REQUIRE(result.has_value() == row.expected.has_value());
        if (result)
            CHECK(int(*result) == *row.expected);
    }
}

TEST_CASE("Integer + value is formed in double and converted like CInt")
{
    struct Row {
        const char *row;
        std::int16_t a;
        double b;
        std::optional<int> expected; // nullopt: overflow
    };
    const Row rows[] = {
        {"plain sum", 180, 43.0, 223},
        {"reaches the maximum", 32766, 1.0, 32767},
        {"one past the maximum", 32767, 1.0, std::nullopt},
        {"one below the minimum", -32768, -1.0, std::nullopt},
        {"half sum rounds to even", 10, 2.5, 12},
        {"sum far below the minimum", 100, -40000.0, std::nullopt},
        {"121 clicks on 270 fit", 32400, 270.0, 32670},
        {"the 122nd does not", 32670, 270.0, std::nullopt},
    };
    for (const Row &row : rows) {
        CAPTURE(row.row);
        const std::optional<std::int16_t> result = addInteger(row.a, row.b);
        REQUIRE(result.has_value() == row.expected.has_value());
        if (result)
            CHECK(int(*result) == *row.expected);
    }
}

TEST_CASE("QBColor gives 0x00BBGGRR; numbers outside 0..15 are refused")
{
    CHECK(QBColor(1) == 0x800000u); // dark blue: blue in the high byte
    CHECK(QBColor(2) == 0x008000u); // dark green
    CHECK(QBColor(4) == 0x000080u); // dark red: red in the low byte
    CHECK(QBColor(0) == 0x000000u);
    CHECK(QBColor(15) == 0xFFFFFFu);
    CHECK_THROWS_AS(QBColor(-1), std::out_of_range);
    CHECK_THROWS_AS(QBColor(16), std::out_of_range);
}
