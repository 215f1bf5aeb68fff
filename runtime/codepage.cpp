// SPDX-License-Identifier: GPL-3.0-or-later
#include "runtime/codepage.h"

#include <array>
#include <cstdint>
#include <optional>

namespace angoli
{

namespace
{

constexpr char kReplacement = '?';
constexpr unsigned char kFirstSpecial = 0x80;

// Bytes 0x80..0x9F; the rest of the code page is identical to Latin-1.
constexpr std::array<char16_t, 32> kSpecials = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, // 80..87
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F, // 88..8F
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, // 90..97
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178, // 98..9F
};

// The byte for code point c, if Windows-1252 has one.
std::optional<char> encode(char32_t c)
{
    if (c < kFirstSpecial || (c >= 0xA0 && c <= 0xFF))
        return char(c);
    for (std::size_t i = 0; i < kSpecials.size(); ++i) {
        if (kSpecials[i] == c)
            return char(kFirstSpecial + i);
    }
    return std::nullopt;
}

// Decodes one UTF-8 sequence at text[i]; advances i past it. A malformed
// sequence (overlong, surrogate, beyond U+10FFFF, truncated) yields nullopt
// and advances by one byte.
std::optional<char32_t> decodeNext(std::string_view text, std::size_t &i)
{
    const auto lead = static_cast<unsigned char>(text[i]);
    if (lead < 0x80) {
        ++i;
        return lead;
    }
    int length = 0;
    char32_t c = 0;
    char32_t smallest = 0;
    if ((lead & 0xE0) == 0xC0) {
        length = 2, c = lead & 0x1F, smallest = 0x80;
    } else if ((lead & 0xF0) == 0xE0) {
        length = 3, c = lead & 0x0F, smallest = 0x800;
    } else if ((lead & 0xF8) == 0xF0) {
        length = 4, c = lead & 0x07, smallest = 0x10000;
    } else {
        ++i;
        return std::nullopt;
    }
    if (i + std::size_t(length) > text.size()) {
        ++i;
        return std::nullopt;
    }
    for (int k = 1; k < length; ++k) {
        const auto next = static_cast<unsigned char>(text[i + std::size_t(k)]);
        if ((next & 0xC0) != 0x80) {
            ++i;
            return std::nullopt;
        }
        c = (c << 6) | (next & 0x3F);
    }
    if (c < smallest || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) {
        ++i;
        return std::nullopt;
    }
    i += std::size_t(length);
    return c;
}

void appendUtf8(std::string &out, char32_t c)
{
    if (c < 0x80) {
        out += char(c);
    } else if (c < 0x800) {
        out += char(0xC0 | (c >> 6));
        out += char(0x80 | (c & 0x3F));
    } else {
        out += char(0xE0 | (c >> 12));
        out += char(0x80 | ((c >> 6) & 0x3F));
        out += char(0x80 | (c & 0x3F));
    }
}

} // namespace

std::string toCodePage(std::string_view utf8)
{
    std::string bytes;
    bytes.reserve(utf8.size());
    std::size_t i = 0;
    while (i < utf8.size()) {
        const std::optional<char32_t> c = decodeNext(utf8, i);
        bytes += c ? encode(*c).value_or(kReplacement) : kReplacement;
    }
    return bytes;
}

std::string fromCodePage(std::string_view bytes)
{
    std::string text;
    text.reserve(bytes.size() * 2);
    for (const char byte : bytes) {
        const auto b = static_cast<unsigned char>(byte);
        appendUtf8(text, (b >= kFirstSpecial && b < kFirstSpecial + kSpecials.size())
                             ? char32_t(kSpecials[b - kFirstSpecial])
                             : char32_t(b));
    }
    return text;
}

bool fitsCodePage(std::string_view utf8)
{
    std::size_t i = 0;
    while (i < utf8.size()) {
        const std::optional<char32_t> c = decodeNext(utf8, i);
        if (!c || !encode(*c))
            return false;
    }
    return true;
}

} // namespace angoli
