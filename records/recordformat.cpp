// SPDX-License-Identifier: GPL-3.0-or-later
#include "records/recordformat.h"

#include "runtime/codepage.h"

namespace angoli
{

namespace
{

#ifdef _WIN32
constexpr char kSeparator = '\\';
#else
constexpr char kSeparator = '/';
#endif

// Whether byte is a control character once decoded: C0 (CR, LF and NUL among them), DEL, or C1
// (U+0080..U+009F, which the five bytes Windows-1252 leaves undefined decode to). Stored, one
// would break the one-line file or, shown in a terminal, start an escape sequence.
bool isControl(char byte)
{
    const std::string decoded = fromCodePage(std::string_view(&byte, 1));
    const auto first = static_cast<unsigned char>(decoded[0]);
    // U+0080..U+009F in UTF-8: 0xC2 then 0x80..0x9F.
    return first < 0x20 || first == 0x7F ||
           (first == 0xC2 && static_cast<unsigned char>(decoded[1]) < 0xA0);
}

} // namespace

std::string recordPath(std::string_view dirwin, std::string_view name)
{
    std::string path(dirwin);
    path += kSeparator;
    path += name;
    return path;
}

std::optional<std::int16_t> recordScore(std::string_view scoreText)
{
    constexpr std::size_t kMostDigits = 5;
    if (scoreText.empty() || scoreText.size() > kMostDigits || scoreText.front() == '0')
        return std::nullopt;
    int value = 0;
    for (const char c : scoreText) {
        if (c < '0' || c > '9')
            return std::nullopt;
        value = value * 10 + (c - '0');
    }
    if (value > kBestScore)
        return std::nullopt;
    return static_cast<std::int16_t>(value);
}

std::string storableName(std::string_view utf8)
{
    // Through the code page and back: one byte per character, '?' for what does not fit.
    std::string bytes = toCodePage(utf8);
    if (bytes.size() > kNameLimit)
        bytes.resize(kNameLimit);
    for (char &byte : bytes) {
        if (isControl(byte))
            byte = '?';
    }
    return fromCodePage(bytes);
}

bool isStorableName(std::string_view utf8)
{
    return fitsCodePage(utf8) && storableName(utf8) == utf8;
}

} // namespace angoli
