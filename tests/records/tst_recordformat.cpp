// SPDX-License-Identifier: GPL-3.0-or-later
// What may be stored, and the journal that makes an update survive a kill.
#include "records/recordformat.h"
#include "records/recordjournal.h"
#include "runtime/codepage.h"

#include <doctest.h>

#include <string>

using namespace angoli;

TEST_CASE("record paths keep the doubled separator after dirwin")
{
#ifdef _WIN32
    CHECK(recordPath("C:\\WINDOWS\\", kScoreFile) == "C:\\WINDOWS\\\\ange.txt");
#else
    CHECK(recordPath("/d/", kScoreFile) == "/d//ange.txt");
    CHECK(recordPath("/d/", kHolderFile) == "/d//nange.txt");
#endif
}

TEST_CASE("a storable score is 1 to 32767 in plain decimal digits")
{
    struct Row {
        const char *text;
        int score; // 0: no score
    };
    const Row rows[] = {
        {"1", 1},      {"12", 12}, {"32767", 32767}, {"0", 0},     {"32768", 0}, {"99999", 0},
        {"100000", 0}, {"", 0},    {"012", 0},       {"-3", 0},    {"+3", 0},    {" 3", 0},
        {"3 ", 0},     {"3a", 0},  {"1e3", 0},       {"3\r\n", 0}, {"1.5", 0},
    };
    for (const Row &row : rows) {
        CAPTURE(row.text);
        const auto score = recordScore(row.text);
        CHECK(score.value_or(0) == row.score);
    }
}

TEST_CASE("a stored name is one line of Windows-1252 characters, at most 255")
{
    struct Row {
        const char *row;
        std::string typed;
        std::string stored;
    };
    const std::string longName(300, 'a');
    const Row rows[] = {
        {"plain", "Dode", "Dode"},
        {"empty", "", ""},
        {"blanks kept", "  Dode ", "  Dode "},
        {"code page letters kept", "Niccolò €", "Niccolò €"},
        {"outside the code page", "Zoë Ωμέγα 日本 😀", "Zoë ????? ?? ?"},
        {"line breaks and NUL", std::string("a\r\nb\0c", 6), "a??b?c"},
        {"terminal escapes", "\x1b]0;owned\a\x1b[2J", "?]0;owned??[2J"},
        {"tab, backspace, DEL", "a\tb\bc\x7f", "a?b?c?"},
        {"C1 controls, with a byte (U+0081) and without (U+009B)", "a\u0081b\u009bc", "a?b?c"},
        {"Windows-1252 letters of 0x80..0x9F kept", "€ Š › Ÿ", "€ Š › Ÿ"},
        {"accented letters kept", "ë ò É ÿ", "ë ò É ÿ"},
        {"malformed UTF-8, byte by byte", "x\xff\xc3", "x??"},
        {"cut at 255", longName, std::string(255, 'a')},
        {"cut counts characters", std::string(254, 'a') + "èè", std::string(254, 'a') + "è"},
    };
    for (const Row &row : rows) {
        CAPTURE(row.row);
        CHECK(storableName(row.typed) == row.stored);
        CHECK(isStorableName(row.stored));
        CHECK(isStorableName(row.typed) == (row.typed == row.stored));
    }
}

TEST_CASE("every byte of the code page is stored as itself, or as '?' if it is a control")
{
    // C0, DEL, and the five bytes that decode to C1 code points.
    std::string controls;
    for (int b = 0; b < 0x20; ++b)
        controls += char(b);
    controls += "\x7f\x81\x8d\x8f\x90\x9d";
    for (int b = 0; b <= 0xFF; ++b) {
        const std::string typed = fromCodePage(std::string(1, char(b)));
        const bool control = controls.find(char(b)) != std::string::npos;
        CAPTURE(b);
        CHECK(storableName(typed) == (control ? "?" : typed));
        CHECK(isStorableName(typed) == !control);
    }
}

TEST_CASE("a whole journal gives back its pair")
{
    const RecordPair pairs[] = {
        recordPairFor("1", ""),
        recordPairFor("32767", "Niccolò €"),
        recordPairFor("12", std::string(kNameLimit, 'x')),
    };
    for (const RecordPair &pair : pairs) {
        CAPTURE(pair.holder);
        CHECK(pair.score.ends_with("\r\n"));
        const std::string journal = encodeJournal(pair);
        CHECK(journal.size() < kJournalLimit);
        CHECK(decodeJournal(journal) == pair);
    }
    CHECK(recordPairFor("7", "Niccolò").holder == "Niccol\xf2\r\n");
}

TEST_CASE("a journal cut short at any byte is no journal")
{
    const std::string journal = encodeJournal(recordPairFor("123", "Ada Lovelace"));
    for (std::size_t size = 0; size < journal.size(); ++size) {
        CAPTURE(size);
        CHECK_FALSE(decodeJournal(journal.substr(0, size)));
    }
}

TEST_CASE("a spoilt journal is no journal")
{
    const std::string journal = encodeJournal(recordPairFor("123", "Ada"));
    // Any one byte changed: the sizes, the check or the content no longer agree.
    for (std::size_t at = 0; at < journal.size(); ++at) {
        std::string spoilt = journal;
        spoilt[at] = char(spoilt[at] ^ 0x01);
        CAPTURE(at);
        CHECK_FALSE(decodeJournal(spoilt));
    }
    CHECK_FALSE(decodeJournal(journal + "x"));
    CHECK_FALSE(decodeJournal(std::string(kJournalLimit + 1, 'a')));
    CHECK_FALSE(decodeJournal(std::string(200, '\0')));
}

TEST_CASE("a journal holds only what a store could write")
{
    // Well formed, with a correct check, but content no store writes.
    const RecordPair refused[] = {
        {"0\r\n", "Ada\r\n"},
        {"40000\r\n", "Ada\r\n"},
        {"12", "Ada\r\n"},
        {"12\r\n", "Ada"},
        {"12\r\n", "A\nda\r\n"},
        {"12\r\n", std::string("A\0da\r\n", 6)},
        {"12\r\n", "\x1b[2JAda\r\n"},
        {"12\r\n", "Ada\x9d\r\n"},
        {"12\r\n", std::string(kNameLimit + 1, 'x') + "\r\n"},
    };
    for (const RecordPair &pair : refused) {
        CAPTURE(pair.score);
        CAPTURE(pair.holder);
        CHECK_FALSE(decodeJournal(encodeJournal(pair)));
    }
}
