// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/posix/helperwire.h"

#include <charconv>

namespace angoli::helper
{

namespace
{

constexpr int kLastAction = static_cast<int>(FileError::Action::Wait);

// The number that text[pos] starts, ended by `end`; advances pos past the ending.
std::optional<std::size_t> number(std::string_view text, std::size_t &pos, char end)
{
    const std::size_t stop = text.find(end, pos);
    if (stop == std::string_view::npos || stop == pos)
        return std::nullopt;
    std::size_t value = 0;
    const auto [ptr, ec] = std::from_chars(text.data() + pos, text.data() + stop, value);
    if (ec != std::errc{} || ptr != text.data() + stop)
        return std::nullopt;
    pos = stop + 1;
    return value;
}

// The line that starts at pos (without its LF); advances pos past it.
std::optional<std::string> line(std::string_view text, std::size_t &pos)
{
    const std::size_t stop = text.find('\n', pos);
    if (stop == std::string_view::npos)
        return std::nullopt;
    std::string result(text.substr(pos, stop - pos));
    pos = stop + 1;
    return result;
}

// Line breaks would cut a field short: a path or reason keeps none.
std::string oneLine(std::string text)
{
    for (char &c : text) {
        if (c == '\n')
            c = ' ';
    }
    return text;
}

} // namespace

std::string encodePair(const StoredRecord &pair)
{
    return std::to_string(pair.score.size()) + ' ' + std::to_string(pair.holder.size()) + '\n' +
           pair.score + pair.holder;
}

std::optional<StoredRecord> decodePair(std::string_view reply)
{
    std::size_t pos = 0;
    const auto scoreSize = number(reply, pos, ' ');
    const auto holderSize = number(reply, pos, '\n');
    if (!scoreSize || !holderSize || *scoreSize > reply.size() || *holderSize > reply.size() ||
        reply.size() - pos != *scoreSize + *holderSize)
        return std::nullopt;
    return StoredRecord{std::string(reply.substr(pos, *scoreSize)),
                        std::string(reply.substr(pos + *scoreSize))};
}

std::string encodeError(const FileError &error)
{
    return std::to_string(static_cast<int>(error.action)) + '\n' + oneLine(error.path) + '\n' +
           oneLine(error.reason) + '\n';
}

std::optional<FileError> decodeError(std::string_view reply)
{
    std::size_t pos = 0;
    const auto action = number(reply, pos, '\n');
    if (!action || *action > std::size_t(kLastAction))
        return std::nullopt;
    auto path = line(reply, pos);
    auto reason = line(reply, pos);
    if (!path || !reason || pos != reply.size())
        return std::nullopt;
    return FileError{std::move(*path), std::move(*reason), static_cast<FileError::Action>(*action)};
}

} // namespace angoli::helper
