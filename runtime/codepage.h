// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>

namespace angoli
{

// The record files are 8-bit text in Windows-1252, whatever the platform; the
// game's text is UTF-8.

// One byte per character. A character that Windows-1252 cannot hold becomes
// '?', and so does each byte of a malformed UTF-8 sequence, so the byte count
// always equals the number of characters written.
std::string toCodePage(std::string_view utf8);

// One character per byte, as UTF-8. The five bytes that Windows-1252 leaves
// undefined (0x81, 0x8D, 0x8F, 0x90, 0x9D) become U+0081, U+008D, U+008F,
// U+0090 and U+009D as on Windows, so every byte string survives a round trip.
std::string fromCodePage(std::string_view bytes);

// Whether every character of utf8 has a Windows-1252 byte (and utf8 is well formed).
bool fitsCodePage(std::string_view utf8);

} // namespace angoli
