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

bool breaksLine(char byte)
{
    return byte == '\r' || byte == '\n' || byte == '\0';
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
        if (breaksLine(byte))
            byte = '?';
    }
    return fromCodePage(bytes);
}

bool isStorableName(std::string_view utf8)
{
    return fitsCodePage(utf8) && storableName(utf8) == utf8;
}

} // namespace angoli
