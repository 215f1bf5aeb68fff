// SPDX-License-Identifier: GPL-3.0-or-later
// Whatever a school computer leaves in the record files, a whole game either starts and shows
// the stored text, or shows a message naming the file and ends; it never crashes or hangs, and
// changes a file only to store a record it legitimately set.
#include "folder.h"
#include "playgame.h"

#include "records/directrecords.h"
#include "records/recordformat.h"
#include "records/recordfs.h"
#include "runtime/codepage.h"

#include <doctest.h>

#include <cstdio>
#include <filesystem>

using namespace angoli;
using namespace angoli::test;

namespace
{

const std::string kRecordSet = "Ok ho registrato il tuo record, C A M P I O N E";

enum class Outcome { Kept, RecordSet, StartUpFails };

struct Row {
    const char *row;
    std::optional<std::string> score;  // ange.txt before; nullopt: no file
    std::optional<std::string> holder; // nange.txt before
    std::string exitScore = "0";
    Outcome outcome = Outcome::Kept;
    std::string name = "Dode";
    std::optional<std::string> storedName{}; // nange.txt after a record; default: name + CR LF
    std::uintmax_t hugeScore = 0;            // ange.txt made this many NUL bytes long
};

std::string allBytes()
{
    std::string bytes;
    for (int b = 0; b < 256; ++b)
        bytes += char(b);
    return bytes;
}

// What a label shows of bytes: the first 64 KiB, decoded.
std::string shown(const std::string &bytes)
{
    return fromCodePage(bytes.substr(0, kRecordReadLimit));
}

// Counts the rows played; scripts/test-reliability reads the line printed at the end.
struct RowCount {
    int rows = 0;
    ~RowCount() { std::printf("bad inputs: %d rows tried, 0 skipped\n", rows); }
} g_played;

void checkRow(const Row &row)
{
    ++g_played.rows;
    TempFolder folder;
    if (row.score)
        writeBytes(folder.file(kScoreFile), *row.score);
    if (row.holder)
        writeBytes(folder.file(kHolderFile), *row.holder);
    if (row.hugeScore) {
        writeBytes(folder.file(kScoreFile), "");
        std::filesystem::resize_file(folder.file(kScoreFile), row.hugeScore);
    }
    const std::string scoreBefore = bytesOf(folder.file(kScoreFile));
    const std::string holderBefore = bytesOf(folder.file(kHolderFile));

    DirectRecordFolder records([&] { return folder.dirwin(); }, &openRecordFs);
    const Played played = playGame(records, row.name, row.exitScore);

    CHECK(played.endCalls == 1);
    std::vector<std::string> expected = {" " + row.name + " vediamo se sei un vero campione  "};
    const bool startsUp = row.outcome != Outcome::StartUpFails;
    CHECK(played.startedUp == startsUp);
    if (startsUp) {
        CHECK(played.shownScore == (row.score || row.hugeScore ? shown(scoreBefore) : ""));
        CHECK(played.shownHolder == (row.holder ? shown(holderBefore) : ""));
        expected.push_back("Ciao a presto " + row.name);
        if (row.outcome == Outcome::RecordSet)
            expected.push_back(kRecordSet);
        CHECK(played.messages == expected);
    } else {
        REQUIRE(played.messages.size() == 2);
        CHECK(played.messages[1].find(recordPath(folder.dirwin(), kScoreFile)) !=
              std::string::npos);
    }

    std::string scoreAfter = scoreBefore;
    std::string holderAfter = holderBefore;
    if (startsUp && !row.score && !row.hugeScore)
        scoreAfter = "";
    if (startsUp && !row.holder)
        holderAfter = "";
    if (row.outcome == Outcome::RecordSet) {
        scoreAfter = row.exitScore + "\r\n";
        holderAfter = row.storedName.value_or(toCodePage(row.name) + "\r\n");
    }
    CHECK(bytesOf(folder.file(kScoreFile)) == scoreAfter);
    CHECK(bytesOf(folder.file(kHolderFile)) == holderAfter);
    // Nothing else made, nothing left pending.
    for (const std::string &name : entriesOf(folder.path()))
        CHECK((name == kScoreFile || name == kHolderFile || name == kLockFile));
    CHECK((bytesOf(folder.file(kLockFile)).empty() || bytesOf(folder.file(kLockFile)) == kAbsent));
}

} // namespace

TEST_CASE("score files a hand edit or another program may leave: the stored number is Val")
{
    const std::string ada = "Ada\r\n";
    const Row rows[] = {
        {"empty files, score 0: a score of 0 is never a record", "", ""},
        {"empty files, score 3: a record", "", "", "3", Outcome::RecordSet},
        {"no files yet, score 0: both made empty", {}, {}},
        {"no files yet, score 3: a record", {}, {}, "3", Outcome::RecordSet},
        {"garbage counts as 0", "abc\r\n", ada, "1", Outcome::RecordSet},
        {"every byte value counts as 0", allBytes(), ada, "1", Outcome::RecordSet},
        {"NULs count as 0", std::string(16, '\0'), ada, "1", Outcome::RecordSet},
        {"a NUL ends the number: 7, a tie", std::string("7\0\0009", 4), ada, "7"},
        {"-5, score 0: still no record", "-5\r\n", ada},
        {"-5, score 1: a record", "-5\r\n", ada, "1", Outcome::RecordSet},
        {"12.5, score 12: below it", "12.5\r\n", ada, "12"},
        {"12.5, score 13: a record", "12.5\r\n", ada, "13", Outcome::RecordSet},
        {"1e3 reads as 1000, score 999: below it", "1e3\r\n", ada, "999"},
        {"1e3, score 1001: a record", "1e3\r\n", ada, "1001", Outcome::RecordSet},
        {"' 12': the blank is skipped, 12 is a tie", " 12\r\n", ada, "12"},
        {"CR alone counts as 0", "\r", "\r", "1", Outcome::RecordSet},
        {"LF alone counts as 0", "\n", "\n", "1", Outcome::RecordSet},
        {"ended by CR alone: 12, a tie", "12\r", "Ada\r", "12"},
        {"ended by LF alone: 12, a tie", "12\n", "Ada\n", "12"},
        {"no line break: 12, 13 beats it", "12", "Ada", "13", Outcome::RecordSet},
        {"two lines: the first number counts", "7\r\n99\r\n", "Ada\r\nEva\r\n", "8",
         Outcome::RecordSet},
        {"holder file of every byte value is shown as it is", "5\r\n", allBytes(), "2"},
    };
    for (const Row &row : rows) {
        CAPTURE(std::string(row.row));
        checkRow(row);
    }
}

TEST_CASE("huge and unusable record files")
{
    constexpr std::uintmax_t kHuge = 20 * 1024 * 1024;
    const Row rows[] = {
        {"20 MB score file: 64 KiB shown, kept",
         {},
         "Ada\r\n",
         "0",
         Outcome::Kept,
         "Dode",
         {},
         kHuge},
        {"20 MB score file of NULs counts as 0",
         {},
         "Ada\r\n",
         "3",
         Outcome::RecordSet,
         "Dode",
         {},
         kHuge},
    };
    for (const Row &row : rows) {
        CAPTURE(std::string(row.row));
        checkRow(row);
    }

    // A folder in place of ange.txt: a message naming it, then the end.
    TempFolder folder;
    std::filesystem::create_directory(folder.file(kScoreFile));
    DirectRecordFolder records([&] { return folder.dirwin(); }, &openRecordFs);
    const Played played = playGame(records, "Dode", "3");
    CHECK_FALSE(played.startedUp);
    REQUIRE(played.messages.size() == 2);
    CHECK(played.messages[1].starts_with("Impossibile "));
    CHECK(played.messages[1].find(recordPath(folder.dirwin(), kScoreFile)) != std::string::npos);
    CHECK(std::filesystem::is_directory(folder.file(kScoreFile)));

    // A folder that is gone: a message naming it.
    DirectRecordFolder gone([&] { return folder.dirwin() + "gone" + folder.dirwin().back(); },
                            &openRecordFs);
    const Played nowhere = playGame(gone, "Dode", "3");
    CHECK_FALSE(nowhere.startedUp);
    REQUIRE(nowhere.messages.size() == 2);
    CHECK(nowhere.messages[1].find("gone") != std::string::npos);
}

TEST_CASE("names as typed; what Windows-1252 lacks is stored as '?'")
{
    const Row rows[] = {
        {"empty name", {}, {}, "3", Outcome::RecordSet, "", "\r\n"},
        {"blank name", {}, {}, "3", Outcome::RecordSet, "   ", "   \r\n"},
        {"254-character name",
         {},
         {},
         "3",
         Outcome::RecordSet,
         std::string(254, 'n'),
         std::string(254, 'n') + "\r\n"},
        {"name beyond 255 characters: cut",
         {},
         {},
         "3",
         Outcome::RecordSet,
         std::string(300, 'n'),
         std::string(255, 'n') + "\r\n"},
        {"name outside Windows-1252",
         {},
         {},
         "3",
         Outcome::RecordSet,
         "Zoë Ωμέγα 日本 😀 €",
         "Zo\xeb ????? ?? ? \x80\r\n"},
    };
    for (const Row &row : rows) {
        CAPTURE(std::string(row.row));
        checkRow(row);
    }
}
