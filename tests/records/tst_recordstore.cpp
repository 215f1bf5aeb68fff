// SPDX-License-Identifier: GPL-3.0-or-later
// The record protocol on this platform's RecordFs: start-up's create-and-read, the exit's
// store-if-higher, and the completion of an update cut short.
#include "folder.h"

#include "records/recordformat.h"
#include "records/recordfs.h"
#include "records/recordjournal.h"
#include "records/recordstore.h"
#include "runtime/codepage.h"
#include "runtime/fileerror.h"

#include <doctest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

using namespace angoli;
using namespace angoli::test;

namespace
{

const std::vector<std::string> kPairOnly = {std::string(kLockFile), "ange.txt", "nange.txt"};

struct Folder {
    TempFolder temp;
    std::string score() const { return bytesOf(temp.file(kScoreFile)); }
    std::string holder() const { return bytesOf(temp.file(kHolderFile)); }
    std::string journal() const { return bytesOf(temp.file(kLockFile)); }
    void put(std::string_view name, std::string_view bytes) const
    {
        writeBytes(temp.file(name), bytes);
    }
    StoredRecord open() const { return openRecord(*openRecordFs(temp.dirwin())); }
    bool store(std::string_view score, std::string_view name) const
    {
        return storeIfRecord(*openRecordFs(temp.dirwin()), score, name);
    }
};

} // namespace

TEST_CASE("first run: both files are made empty and read back as empty text")
{
    Folder folder;
    const StoredRecord shown = folder.open();
    CHECK(shown.score.empty());
    CHECK(shown.holder.empty());
    CHECK(folder.score().empty());
    CHECK(folder.holder().empty());
    CHECK(entriesOf(folder.temp.path()) == kPairOnly);
}

TEST_CASE("start-up shows each file's whole text, decoded from Windows-1252, and changes nothing")
{
    struct Row {
        const char *row;
        std::string bytes;
        std::string text;
    };
    const Row rows[] = {
        {"score line", "12\r\n", "12\r\n"},
        {"no final line break", "Dode", "Dode"},
        {"CR LF alone", "\r\n", "\r\n"},
        {"extra lines kept", "7\r\nextra\r\n", "7\r\nextra\r\n"},
        {"8-bit name", "Nicol\xF2 \x80\r\n", "Nicolò €\r\n"},
        {"NUL bytes kept", std::string("a\0b", 3), std::string("a\0b", 3)},
    };
    for (const Row &row : rows) {
        CAPTURE(row.row);
        Folder folder;
        folder.put(kScoreFile, row.bytes);
        folder.put(kHolderFile, row.bytes);
        const StoredRecord shown = folder.open();
        CHECK(shown.score == row.text);
        CHECK(shown.holder == row.text);
        CHECK(folder.score() == row.bytes);
        CHECK(folder.holder() == row.bytes);
    }
}

TEST_CASE("only the first 64 KiB of a huge file are read")
{
    Folder folder;
    std::string huge;
    while (huge.size() < kRecordReadLimit + 10000)
        huge += char(0x80 + huge.size() % 0x80);
    folder.put(kScoreFile, "1\r\n");
    folder.put(kHolderFile, huge);
    const StoredRecord shown = folder.open();
    CHECK(kRecordReadLimit == 65536);
    // Every byte 0x80..0xFF comes back as one character of the same byte.
    CHECK(toCodePage(shown.holder) == huge.substr(0, kRecordReadLimit));
    CHECK(folder.holder() == huge);
}

TEST_CASE("a folder or a missing folder in the way is an error that names it")
{
    Folder folder;
    std::filesystem::create_directory(folder.temp.file(kHolderFile));
    try {
        folder.open();
        FAIL("a folder named nange.txt cannot be read");
    } catch (const FileError &error) {
        CHECK(error.path == recordPath(folder.temp.dirwin(), kHolderFile));
        CHECK_FALSE(error.reason.empty());
        CHECK(error.message().find(error.path) != std::string::npos);
    }
    CHECK_THROWS_AS(folder.store("5", "Eva"), FileError);

    const std::string gone = folder.temp.dirwin() + "gone" + folder.temp.dirwin().back();
    CHECK_THROWS_AS(openRecordFs(gone), FileError);
}

TEST_CASE("the exit stores a better score with the name, and only then")
{
    struct Row {
        const char *row;
        std::string scoreBefore, holderBefore, scoreText, name;
        bool stored;
        std::string scoreAfter, holderAfter;
    };
    const Row rows[] = {
        {"first run, score 0: nothing written", "", "", "0", "Dode", false, "", ""},
        {"first run, score 3: both written", "", "", "3", "Dode", true, "3\r\n", "Dode\r\n"},
        {"tie keeps the old record", "12\r\n", "Ugo\r\n", "12", "Dode", false, "12\r\n", "Ugo\r\n"},
        {"lower keeps the old record", "12\r\n", "Ugo\r\n", "5", "Dode", false, "12\r\n",
         "Ugo\r\n"},
        {"higher replaces both", "12\r\n", "Ugo\r\n", "13", "Dode", true, "13\r\n", "Dode\r\n"},
        {"a shorter record replaces a longer one", "9\r\nextra lines\r\n", "Massimiliano\r\n", "10",
         "Al", true, "10\r\n", "Al\r\n"},
        {"stored text that is no number counts as 0", "abc\r\n", "Ugo\r\n", "1", "Dode", true,
         "1\r\n", "Dode\r\n"},
        {"stored score without line break", "7", "Ugo", "8", "Eva", true, "8\r\n", "Eva\r\n"},
        {"extra lines ignored by the comparison", "20\r\nxx\r\n", "Ugo\r\n", "19", "Eva", false,
         "20\r\nxx\r\n", "Ugo\r\n"},
        {"stored number beyond any score", "1e400\r\n", "Ugo\r\n", "32767", "Eva", false,
         "1e400\r\n", "Ugo\r\n"},
        {"negative stored score: 1 beats it", "-5\r\n", "Ugo\r\n", "1", "Eva", true, "1\r\n",
         "Eva\r\n"},
        {"empty name stores CR LF alone", "", "", "3", "", true, "3\r\n", "\r\n"},
        {"blanks of the name kept", "", "", "3", "  Dode ", true, "3\r\n", "  Dode \r\n"},
        {"name in Windows-1252", "", "", "4", "Nicolò €", true, "4\r\n", "Nicol\xF2 \x80\r\n"},
        {"unmappable letters become ?", "", "", "4", "Zoë 中", true, "4\r\n", "Zo\xEB ?\r\n"},
        {"a line break in the name becomes ?", "", "", "4", "A\r\nB", true, "4\r\n", "A??B\r\n"},
        {"score text that is not digits is never a record", "", "", "3a", "Eva", false, "", ""},
        {"negative score text is never a record", "", "", "-3", "Eva", false, "", ""},
        {"score beyond an Integer is never a record", "", "", "40000", "Eva", false, "", ""},
    };
    for (const Row &row : rows) {
        CAPTURE(row.row);
        Folder folder;
        folder.put(kScoreFile, row.scoreBefore);
        folder.put(kHolderFile, row.holderBefore);
        CHECK(folder.store(row.scoreText, row.name) == row.stored);
        CHECK(folder.score() == row.scoreAfter);
        CHECK(folder.holder() == row.holderAfter);
        // No journal left, no other file made.
        CHECK((folder.journal().empty() || folder.journal() == kAbsent));
        for (const std::string &name : entriesOf(folder.temp.path()))
            CHECK(std::find(kPairOnly.begin(), kPairOnly.end(), name) != kPairOnly.end());
    }
}

TEST_CASE("a missing score file counts as no record at all")
{
    Folder folder;
    CHECK(folder.store("2", "Eva"));
    CHECK(folder.score() == "2\r\n");
    CHECK(folder.holder() == "Eva\r\n");
}

TEST_CASE("an update cut short is completed when it was decided, else forgotten")
{
    struct Row {
        const char *row;
        std::string journal; // the lock file's content
        std::string scoreAfter, holderAfter;
    };
    const std::string decided = encodeJournal(recordPairFor("9", "Eva"));
    const Row rows[] = {
        {"nothing pending", "", "5\r\n", "Ugo\r\n"},
        {"decided: written again", decided, "9\r\n", "Eva\r\n"},
        {"cut short while being written: forgotten", decided.substr(0, decided.size() - 2), "5\r\n",
         "Ugo\r\n"},
        {"header only: forgotten", decided.substr(0, decided.find('\n') + 1), "5\r\n", "Ugo\r\n"},
        {"garbage: forgotten", "garbage", "5\r\n", "Ugo\r\n"},
        {"huge garbage: forgotten", std::string(100000, 'x'), "5\r\n", "Ugo\r\n"},
    };
    for (const Row &row : rows) {
        CAPTURE(row.row);
        for (const bool throughStore : {false, true}) {
            Folder folder;
            folder.put(kScoreFile, "5\r\n");
            folder.put(kHolderFile, "Ugo\r\n");
            folder.put(kLockFile, row.journal);
            if (throughStore) {
                // The exit completes it first, and compares with the completed pair: 8 beats
                // the 5 on disk but not a decided 9.
                const bool expectStored = row.scoreAfter == "5\r\n";
                CHECK(folder.store("8", "Bob") == expectStored);
                if (expectStored)
                    continue;
            } else {
                const StoredRecord shown = folder.open();
                CHECK(shown.score == row.scoreAfter);
                CHECK(shown.holder == row.holderAfter);
            }
            CHECK(folder.score() == row.scoreAfter);
            CHECK(folder.holder() == row.holderAfter);
            CHECK(folder.journal().empty());
            folder.open(); // nothing more to do the second time
            CHECK(folder.score() == row.scoreAfter);
        }
    }
}

TEST_CASE("a held lock is waited on for a bounded time, then reported as a wait")
{
    Folder folder;
    folder.put(kScoreFile, "5\r\n");
    folder.put(kHolderFile, "Ugo\r\n");
    const auto holder = openRecordFs(folder.temp.dirwin());
    const std::unique_ptr<RecordFile> held = holder->lock(kLockFile, kLockWait);

    const auto started = std::chrono::steady_clock::now();
    try {
        folder.open();
        FAIL("the lock is held");
    } catch (const FileError &error) {
        CHECK(error.action == FileError::Action::Wait);
        CHECK(error.message().find("occupata") != std::string::npos);
    }
    const auto waited = std::chrono::steady_clock::now() - started;
    CHECK(waited >= kLockWait);
    CHECK(waited < kLockWait + std::chrono::seconds(2));
    CHECK_THROWS_AS(folder.store("9", "Eva"), FileError);
    CHECK(folder.score() == "5\r\n");
    CHECK(folder.holder() == "Ugo\r\n");
}
