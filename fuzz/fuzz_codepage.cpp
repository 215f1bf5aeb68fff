// SPDX-License-Identifier: GPL-3.0-or-later
// The record files are Windows-1252, the game's text UTF-8. Every byte string must survive
// decoding and encoding again; every text must encode to one byte per character: the
// character's own byte, or '?' for a character that Windows-1252 cannot hold and for each byte
// that is no part of a well-formed character.

#include "check.h"
#include "runtime/codepage.h"

#include <array>
#include <cstdint>
#include <fuzzer/FuzzedDataProvider.h>
#include <set>
#include <string>

using angoli::fitsCodePage;
using angoli::fromCodePage;
using angoli::toCodePage;

namespace
{

constexpr int kByteValues = 256;

// Each byte's character, taken from the decoder: the encoder must agree with it.
const std::array<std::string, kByteValues> &characters()
{
    static const std::array<std::string, kByteValues> chars = [] {
        std::array<std::string, kByteValues> all;
        std::set<std::string> distinct;
        for (int b = 0; b < kByteValues; ++b) {
            all[std::size_t(b)] = fromCodePage(std::string(1, char(b)));
            distinct.insert(all[std::size_t(b)]);
        }
        FUZZ_CHECK(distinct.size() == kByteValues, "no two bytes decode to the same character");
        return all;
    }();
    return chars;
}

std::string utf8Of(char32_t c)
{
    std::string out;
    if (c < 0x80) {
        out += char(c);
    } else if (c < 0x800) {
        out += char(0xC0 | (c >> 6));
        out += char(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += char(0xE0 | (c >> 12));
        out += char(0x80 | ((c >> 6) & 0x3F));
        out += char(0x80 | (c & 0x3F));
    } else {
        out += char(0xF0 | (c >> 18));
        out += char(0x80 | ((c >> 12) & 0x3F));
        out += char(0x80 | ((c >> 6) & 0x3F));
        out += char(0x80 | (c & 0x3F));
    }
    return out;
}

void bytesRoundTrip(const std::string &bytes)
{
    const std::string text = fromCodePage(bytes);
    FUZZ_CHECK(fitsCodePage(text), "every decoded text fits the code page");
    FUZZ_CHECK(toCodePage(text) == bytes, "every byte string survives decoding and encoding");
}

// A text made of pieces whose bytes are known: characters of the code page, characters
// beyond it, and stray continuation bytes.
void textEncodes(FuzzedDataProvider &data)
{
    std::string text;
    std::string expected;
    bool lossy = false; // some piece has no byte of its own
    while (data.remaining_bytes() > 0) {
        switch (data.ConsumeIntegralInRange(0, 2)) {
        case 0: {
            const auto b = data.ConsumeIntegral<std::uint8_t>();
            text += characters()[b];
            expected += char(b);
            break;
        }
        case 1: {
            auto c = data.ConsumeIntegralInRange<char32_t>(0x80, 0x10FFFF);
            if (c >= 0xD800 && c <= 0xDFFF)
                c = 0xFFFD; // a surrogate is no character
            const std::string encoded = utf8Of(c);
            text += encoded;
            char byte = '?';
            for (int b = 0; b < kByteValues; ++b) {
                if (characters()[std::size_t(b)] == encoded)
                    byte = char(b);
            }
            expected += byte;
            lossy = lossy || byte == '?';
            break;
        }
        default:
            text += char(data.ConsumeIntegralInRange(0x80, 0xBF));
            expected += '?';
            lossy = true;
        }
    }
    FUZZ_CHECK(toCodePage(text) == expected,
               "one byte per character: its own, or '?' for what the code page lacks");
    FUZZ_CHECK(fitsCodePage(text) == !lossy,
               "a text fits the code page exactly when encoding loses nothing");
    if (!lossy)
        FUZZ_CHECK(fromCodePage(expected) == text, "a text that fits comes back unchanged");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *bytes, std::size_t size)
{
    bytesRoundTrip(std::string(reinterpret_cast<const char *>(bytes), size));
    FuzzedDataProvider data(bytes, size);
    textEncodes(data);
    return 0;
}
