// SPDX-License-Identifier: GPL-3.0-or-later
#include "records/recordjournal.h"

#include "records/recordformat.h"
#include "runtime/codepage.h"

#include <charconv>
#include <cstdint>

// Layout: "angoli-journal <score bytes> <holder bytes> <check>\n", then the two files' bytes.
// <check> is the FNV-1a hash of both, in hex: a torn or stale write does not pass for a journal.

namespace angoli
{

namespace
{

constexpr std::string_view kMagic = "angoli-journal ";

std::uint64_t fnv1a(std::string_view a, std::string_view b)
{
    std::uint64_t hash = 0xcbf29ce484222325ULL;
    for (const std::string_view part : {a, b}) {
        for (const char c : part) {
            hash ^= static_cast<unsigned char>(c);
            hash *= 0x100000001b3ULL;
        }
    }
    return hash;
}

// Reads a number ended by `end` at text[pos]; advances pos past the ending.
template <typename Number>
std::optional<Number> field(std::string_view text, std::size_t &pos, char end, int base)
{
    const std::size_t stop = text.find(end, pos);
    if (stop == std::string_view::npos || stop == pos)
        return std::nullopt;
    Number value{};
    const auto [ptr, ec] = std::from_chars(text.data() + pos, text.data() + stop, value, base);
    if (ec != std::errc{} || ptr != text.data() + stop)
        return std::nullopt;
    pos = stop + 1;
    return value;
}

// Whether line is text + CR LF with text accepted by isText.
template <typename Check> bool isLine(std::string_view line, Check isText)
{
    return line.size() >= kLineEnd.size() &&
           line.substr(line.size() - kLineEnd.size()) == kLineEnd &&
           isText(line.substr(0, line.size() - kLineEnd.size()));
}

} // namespace

RecordPair recordPairFor(std::string_view scoreText, std::string_view storableNameUtf8)
{
    RecordPair pair{toCodePage(scoreText), toCodePage(storableNameUtf8)};
    pair.score += kLineEnd;
    pair.holder += kLineEnd;
    return pair;
}

std::string encodeJournal(const RecordPair &pair)
{
    std::string text(kMagic);
    text += std::to_string(pair.score.size()) + ' ' + std::to_string(pair.holder.size()) + ' ';
    char hex[16];
    const auto [end, ec] = std::to_chars(hex, hex + sizeof hex, fnv1a(pair.score, pair.holder), 16);
    text.append(hex, end);
    text += '\n';
    return text + pair.score + pair.holder;
}

std::optional<RecordPair> decodeJournal(std::string_view bytes)
{
    if (bytes.size() > kJournalLimit || bytes.substr(0, kMagic.size()) != kMagic)
        return std::nullopt;
    std::size_t pos = kMagic.size();
    const auto scoreSize = field<std::size_t>(bytes, pos, ' ', 10);
    const auto holderSize = field<std::size_t>(bytes, pos, ' ', 10);
    const auto check = field<std::uint64_t>(bytes, pos, '\n', 16);
    if (!scoreSize || !holderSize || !check || *scoreSize > kJournalLimit ||
        *holderSize > kJournalLimit || bytes.size() - pos != *scoreSize + *holderSize)
        return std::nullopt;
    RecordPair pair{std::string(bytes.substr(pos, *scoreSize)),
                    std::string(bytes.substr(pos + *scoreSize))};
    if (fnv1a(pair.score, pair.holder) != *check)
        return std::nullopt;
    const bool wellFormed =
        isLine(pair.score, [](std::string_view s) { return recordScore(s).has_value(); }) &&
        isLine(pair.holder, [](std::string_view name) {
            return name.size() <= kNameLimit && isStorableName(fromCodePage(name));
        });
    if (!wellFormed)
        return std::nullopt;
    return pair;
}

} // namespace angoli
