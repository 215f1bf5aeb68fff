// SPDX-License-Identifier: GPL-3.0-or-later
// The record files' 8-bit text: Windows-1252 to UTF-8 and back.
#include "runtime/codepage.h"

#include <doctest.h>

#include <string>

using namespace angoli;

TEST_CASE("every byte decodes to one character and encodes back to itself")
{
    std::string all;
    for (int b = 0; b <= 0xFF; ++b)
        all.push_back(char(b));
    const std::string text = fromCodePage(all);
    CHECK(toCodePage(text) == all);
    CHECK(fitsCodePage(text));
    for (int b = 0; b <= 0xFF; ++b) {
        CAPTURE(b);
        const std::string single(1, char(b));
        CHECK(toCodePage(fromCodePage(single)) == single);
    }
}

TEST_CASE("characters of Windows-1252 map to their bytes both ways")
{
    struct Row {
        const char *row;
        std::string text; // UTF-8
        std::string bytes;
    };
    const Row rows[] = {
        {"euro sign", "\u20AC", "\x80"},
        {"e grave", "è", "\xE8"},
        {"a grave", "à", "\xE0"},
        {"degree sign", "°", "\xB0"},
        {"o grave in a name", "Nicolò", "Nicol\xF2"},
        {"OE ligature", "\u0152", "\x8C"},
        {"trade mark", "\u2122", "\x99"},
        {"Y diaeresis", "\u0178", "\x9F"},
        {"undefined byte 0x81", "\u0081", "\x81"},
        {"undefined byte 0x9D", "\u009D", "\x9D"},
        {"CR LF", "\r\n", "\r\n"},
        {"NUL", std::string(1, '\0'), std::string(1, '\0')},
    };
    for (const Row &row : rows) {
        CAPTURE(row.row);
        CHECK(toCodePage(row.text) == row.bytes);
        CHECK(fromCodePage(row.bytes) == row.text);
        CHECK(fitsCodePage(row.text));
    }
}

TEST_CASE("what Windows-1252 cannot hold becomes '?': one per character, one per byte of a "
          "malformed sequence, so the byte count is the characters written")
{
    struct Row {
        const char *row;
        std::string text;
        std::string bytes;
    };
    const Row rows[] = {
        {"A macron", "\u0100", "?"},
        {"C1 control that 1252 uses for a letter", "\u0080", "?"},
        {"CJK inside a name", "Zo\u00EB \u4E2D", "Zo\xEB ?"},
        {"emoji is one character", "a\U0001F600b", "a?b"},
        {"encoded surrogate",
         "a\xED\xA0\x80"
         "b",
         "a???b"},
        {"overlong slash", "\xC0\xAF", "??"},
        {"truncated at the end", "ab\xC3", "ab?"},
        {"stray continuation byte", "\x80x", "?x"},
        {"beyond U+10FFFF", "\xF4\x90\x80\x80", "????"},
    };
    for (const Row &row : rows) {
        CAPTURE(row.row);
        CHECK(toCodePage(row.text) == row.bytes);
        CHECK_FALSE(fitsCodePage(row.text));
    }
}
