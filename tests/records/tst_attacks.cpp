// SPDX-License-Identifier: GPL-3.0-or-later
// The attacks once found on the shared record folder, run for real: the attacker, an ordinary
// user, tries each; then the pupil, another ordinary user, plays a whole game on the package's
// folder through the set-group-id helper. Each row ends with the game going on or a clear
// message within the bound, nothing from outside the folder shown or changed, and the record
// kept (or beaten by the pupil's own). Every row prints one line of the attack table.
#include "attackenv.h"
#include "attackplay.h"
#include "attacks.h"
#include "child.h"

#include "records/recordformat.h"

#include <doctest.h>

#include <cstdio>
#include <sys/stat.h>

using namespace angoli;
using namespace angoli::test;
using namespace std::chrono_literals;

namespace
{

constexpr auto kReadingTime = 5s; // how long the pupil keeps reading while records are stored
const std::string kGreeting = greetingFor("Pia");
const std::string kFarewell = farewellFor("Pia");
const std::string kBusy = "La cartella dei record è occupata da un altro gioco: ";

// A whole game of Pia, scoring 13, as the pupil (or root).
Played playAsPupil(const Attack &row)
{
    return playAs({row.rootPlays ? 0 : kPupil, "Pia", "13", row.home});
}

// Reads the pair again and again as the pupil while the attacker stores; counts the reads
// that paired one update's score with another's holder.
std::string readWhileStoring()
{
    const ChildResult child = runChild(
        [&](int out) {
            if (!dropPrivileges(kPupil, kPupil))
                return kCannotDropPrivileges;
            PosixRecordFolder records(shared());
            const auto end = std::chrono::steady_clock::now() + kReadingTime;
            int reads = 0;
            int mixed = 0;
            int failed = 0;
            while (std::chrono::steady_clock::now() < end) {
                try {
                    const StoredRecord pair = records.open(std::string(kSharedFolder) + "/");
                    const std::string score = pair.score.substr(0, pair.score.find('\r'));
                    const bool first = pair.score == "12\r\n" && pair.holder == "Ada\r\n";
                    if (!first && pair.holder != "n" + score + "\r\n")
                        ++mixed;
                } catch (const FileError &) {
                    ++failed;
                }
                ++reads;
            }
            send(out, std::to_string(mixed) + " of " + std::to_string(reads) +
                          " reads mixed two updates, " + std::to_string(failed) + " failed");
            return 0;
        },
        kReadingTime + 20s);
    REQUIRE(child.status == 0);
    return child.output;
}

std::string seconds(long ms)
{
    char text[32];
    std::snprintf(text, sizeof text, "%.2f s", double(ms) / 1000.0);
    return text;
}

// Checks the game against the row's expectation; describes what happened.
std::string checkGame(const Attack &row, const Played &played)
{
    AttackEnv &env = AttackEnv::instance();
    const std::string score = bytesOf(env.folder() / kScoreFile);
    const std::string holder = bytesOf(env.folder() / kHolderFile);
    CHECK(played.startUpMs <= kBoundMs);
    CHECK(played.exitMs <= kBoundMs);
    CHECK(played.endCalls == 1);
    for (const std::string &text : played.messages)
        CHECK(text.find("SECRET") == std::string::npos);
    CHECK(played.shownScore.find("SECRET") == std::string::npos);
    CHECK(played.shownHolder.find("SECRET") == std::string::npos);
    CHECK(env.outsideUntouched());

    switch (row.expect) {
    case Expect::Stored:
        CHECK(played.shownScore == "12\r\n");
        CHECK(played.shownHolder == "Ada\r\n");
        CHECK(played.messages == std::vector<std::string>{kGreeting, kFarewell, kRecordSet});
        CHECK(score == "13\r\n");
        CHECK(holder == "Pia\r\n");
        return "the game went on and stored its record (start-up " + seconds(played.startUpMs) +
               ", exit " + seconds(played.exitMs) + ")";
    case Expect::Busy:
        REQUIRE(played.messages.size() == 4);
        CHECK(played.messages[1].starts_with(kBusy));
        CHECK(played.messages[2] == kFarewell);
        CHECK(played.messages[3].starts_with(kBusy));
        CHECK(played.shownScore.empty());
        CHECK(score == "12\r\n");
        CHECK(holder == "Ada\r\n");
        return "the game said the folder was busy after " + seconds(played.startUpMs) +
               " and went on; the exit said so after " + seconds(played.exitMs) + "; record kept";
    case Expect::Refused:
        REQUIRE(played.messages.size() == 2);
        CHECK_FALSE(played.startedUp);
        CHECK(played.messages[1].starts_with("Impossibile aprire il file "));
        CHECK(played.messages[1].find(recordPath(std::string(kSharedFolder) + "/", row.name)) !=
              std::string::npos);
        CHECK((row.name != std::string(kHolderFile) || score == "12\r\n"));
        CHECK(played.messages[1].find(": " + std::string(row.reason)) != std::string::npos);
        return "the game named the file and stopped after " + seconds(played.startUpMs) + " (\"" +
               played.messages[1].substr(played.messages[1].rfind(": ") + 2) +
               "\"); nothing read through it";
    }
    return "";
}

// No file in the folder is the pupil's: every one is root's (but those the row handed to the
// attacker, and the pupil's homework the old folder linked in), and a plain score file is as
// the package made it.
void checkOwners(const Attack &row)
{
    AttackEnv &env = AttackEnv::instance();
    for (const std::string &name : entriesOf(env.folder())) {
        CAPTURE(name);
        if (row.act == Act::LeftoverHardLink && name == row.name)
            continue;
        struct stat info {
        };
        REQUIRE(::lstat((env.folder() / name).c_str(), &info) == 0);
        CHECK(info.st_uid != kPupil);
        if (row.act == Act::OwnedLockFlock)
            continue;
        CHECK(info.st_uid == 0);
        if (name == kScoreFile && S_ISREG(info.st_mode))
            CHECK((info.st_gid == env.games() && (info.st_mode & 07777) == 0664));
    }
}

} // namespace

TEST_CASE("the attacks on the shared folder fail, or cost at most a bounded wait")
{
    AttackEnv &env = AttackEnv::instance();
    if (!env.skipReason().empty()) {
        std::printf("attack-row: | all | skipped: %s | |\n", env.skipReason().c_str());
        MESSAGE("skipped: " << env.skipReason());
        return;
    }
    for (const Attack &row : attacks()) {
        const std::string rowName = row.attack;
        CAPTURE(rowName);
        env.reset();
        AttackRun attack = runAttack(row);
        CAPTURE(attack.result);
        const bool held = row.act == Act::FolderFlock || row.act == Act::FileFlock ||
                          row.act == Act::StoppedHelper || row.act == Act::Stores ||
                          row.act == Act::OwnedLockFlock;
        const bool leftover = row.act == Act::LeftoverSymlink || row.act == Act::LeftoverHardLink ||
                              row.act == Act::LeftoverDir || row.act == Act::LockUnusable;
        if (held || leftover)
            CHECK(attack.result.starts_with("done"));
        else if (row.act != Act::Nothing)
            CHECK(attack.result.starts_with("refused: "));

        std::string outcome;
        if (row.act == Act::Stores) {
            const std::string reads = readWhileStoring();
            CHECK(reads.starts_with("0 of "));
            CHECK(reads.ends_with(" 0 failed"));
            const Played played = playAsPupil(row);
            CHECK(played.startUpMs <= kBoundMs);
            CHECK(played.exitMs <= kBoundMs);
            outcome = reads + "; a whole game took " + seconds(played.startUpMs + played.exitMs);
        } else {
            outcome = checkGame(row, playAsPupil(row));
        }
        // Whatever HOME says, the shared folder was used: no private folder was made.
        CHECK_FALSE(std::filesystem::exists("/tmp/angoli-\xe9\xff"));
        CHECK_FALSE(std::filesystem::exists("rel"));
        endAttack(attack);
        if (row.act == Act::StoppedHelper) {
            // Once the stopped helper is gone, the next game is served at once.
            const Played next = playAsPupil(row);
            CHECK(next.startUpMs < 1000);
            CHECK(next.messages.size() == 3);
        }
        checkOwners(row);
        std::printf("attack-row: | %d | %s | %s; %s | `%s` |\n", row.finding, row.attack,
                    attack.result.c_str(), outcome.c_str(), row.command);
        std::fflush(stdout);
    }
}
