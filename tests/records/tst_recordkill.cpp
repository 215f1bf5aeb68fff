// SPDX-License-Identifier: GPL-3.0-or-later
// Faults the record update must survive, each made real in child processes: a game killed at
// any instant of its update, and two games finishing together.
#include "child.h"
#include "folder.h"

#include "records/recordformat.h"
#include "records/recordfs.h"
#include "records/recordstore.h"
#include "runtime/codepage.h"

#include <doctest.h>

#include <algorithm>
#include <csignal>
#include <random>
#include <thread>
#include <unistd.h>

using namespace angoli;
using namespace angoli::test;
using namespace std::chrono_literals;

namespace
{

constexpr int kKillIterations = 200;
constexpr auto kKillTestBudget = 15s;
constexpr int kRaceRounds = 40;

std::string playerName(int score)
{
    return "Giocatore n° " + std::to_string(score) + " è qui";
}

bool store(const TempFolder &folder, int score)
{
    return storeIfRecord(*openRecordFs(folder.dirwin()), std::to_string(score), playerName(score));
}

} // namespace

TEST_CASE("a game killed at any instant of its update leaves a whole pair, never an older one")
{
    TempFolder folder;
    openRecord(*openRecordFs(folder.dirwin()));

    // Kill delays spread over a few updates' time on this disk.
    constexpr int kWarmUpdates = 5;
    const auto warmStart = std::chrono::steady_clock::now();
    for (int score = 1; score <= kWarmUpdates; ++score)
        REQUIRE(store(folder, score));
    const auto update = (std::chrono::steady_clock::now() - warmStart) / kWarmUpdates;
    const auto longestDelay = std::clamp<std::chrono::microseconds>(
        std::chrono::duration_cast<std::chrono::microseconds>(3 * update), 200us, 20000us);

    const unsigned seed = std::random_device{}();
    std::mt19937 random(seed);
    std::uniform_int_distribution<long> delay(0, longestDelay.count());
    int lastScore = kWarmUpdates;
    int iterations = 0;
    int pendingSeen = 0;
    const auto started = std::chrono::steady_clock::now();
    for (; iterations < kKillIterations &&
           std::chrono::steady_clock::now() - started < kKillTestBudget;
         ++iterations) {
        const int first = lastScore + 1;
        std::fflush(nullptr);
        const pid_t pid = ::fork();
        REQUIRE(pid >= 0);
        if (pid == 0) {
            try {
                for (int score = first; score < kBestScore; ++score)
                    store(folder, score);
            } catch (...) {
            }
            ::_exit(kChildFailed);
        }
        std::this_thread::sleep_for(std::chrono::microseconds(delay(random)));
        ::kill(pid, SIGKILL);
        REQUIRE(statusOf(pid) == -SIGKILL); // the child never stopped by itself

        if (!bytesOf(folder.file(kLockFile)).empty())
            ++pendingSeen;
        const StoredRecord shown = openRecord(*openRecordFs(folder.dirwin()));

        CAPTURE(seed);
        CAPTURE(shown.score);
        REQUIRE(shown.score.ends_with("\r\n"));
        const int stored = std::stoi(shown.score);
        REQUIRE(shown.score == std::to_string(stored) + "\r\n");
        REQUIRE(stored >= lastScore);
        REQUIRE(shown.holder == playerName(stored) + "\r\n");
        REQUIRE(bytesOf(folder.file(kLockFile)).empty());
        REQUIRE(entriesOf(folder.path()) ==
                std::vector<std::string>{std::string(kLockFile), "ange.txt", "nange.txt"});
        lastScore = stored;
    }
    // scripts/test-reliability reads this line.
    MESSAGE(iterations << " kills (seed " << seed << ", delays up to " << longestDelay.count()
                       << " us): " << pendingSeen << " landed inside an update, record reached "
                       << lastScore);
    CHECK(lastScore > kWarmUpdates);
    CHECK(pendingSeen > 0); // some kills came after the journal: recovery was exercised
}

TEST_CASE("a game starting while another stores never shows one update's score with another's name")
{
    TempFolder folder;
    openRecord(*openRecordFs(folder.dirwin()));
    std::fflush(nullptr);
    const pid_t storer = ::fork();
    REQUIRE(storer >= 0);
    if (storer == 0) {
        try {
            for (int score = 1; score < kBestScore; ++score) {
                storeIfRecord(*openRecordFs(folder.dirwin()), std::to_string(score),
                              "n" + std::to_string(score));
                std::this_thread::sleep_for(10ms); // games end now and then, not all at once
            }
        } catch (...) {
        }
        ::_exit(kChildFailed);
    }
    int reads = 0;
    int mixed = 0;
    int changes = 0; // reads that found a new record: the stores went on meanwhile
    std::string last;
    const auto end = std::chrono::steady_clock::now() + 3s;
    while (std::chrono::steady_clock::now() < end) {
        const StoredRecord pair = openRecord(*openRecordFs(folder.dirwin()));
        changes += pair.score != last;
        last = pair.score;
        std::this_thread::sleep_for(1ms); // and start now and then
        if (!pair.score.empty() &&
            pair.holder != "n" + pair.score.substr(0, pair.score.find('\r')) + "\r\n")
            ++mixed;
        ++reads;
    }
    ::kill(storer, SIGKILL);
    statusOf(storer);
    MESSAGE(mixed << " of " << reads << " reads mixed two updates; " << changes
                  << " found a new record");
    CHECK(reads > 100);
    CHECK(changes > 10);
    CHECK(mixed == 0);
}

TEST_CASE("two games storing different scores keep the higher one with its own name")
{
    enum Order { LowerFirst, HigherFirst, Together };
    for (const Order order : {LowerFirst, HigherFirst, Together}) {
        CAPTURE(int(order));
        TempFolder folder;
        const auto game = [&](int score, int gate) {
            return [&folder, score, gate](int) {
                char go = 0;
                if (gate >= 0 && ::read(gate, &go, 1) != 1)
                    return kChildFailed;
                return store(folder, score) ? 1 : 0;
            };
        };
        const int rounds = order == Together ? kRaceRounds : 1;
        for (int round = 0; round < rounds; ++round) {
            writeBytes(folder.file(kScoreFile), "");
            writeBytes(folder.file(kHolderFile), "");
            if (order == LowerFirst) {
                CHECK(runChild(game(5, -1)).status == 1);
                CHECK(runChild(game(9, -1)).status == 1);
            } else if (order == HigherFirst) {
                CHECK(runChild(game(9, -1)).status == 1);
                CHECK(runChild(game(5, -1)).status == 0); // 5 does not beat 9
            } else {
                int gate[2];
                REQUIRE(::pipe(gate) == 0);
                std::fflush(nullptr);
                const auto start = [&](int score) {
                    const pid_t pid = ::fork();
                    if (pid == 0) {
                        ::close(gate[1]);
                        int code = kChildFailed;
                        try {
                            code = game(score, gate[0])(-1);
                        } catch (...) {
                        }
                        ::_exit(code);
                    }
                    return pid;
                };
                const pid_t low = start(5);
                const pid_t high = start(9);
                ::close(gate[0]);
                REQUIRE(::write(gate[1], "go", 2) == 2); // release both at once
                ::close(gate[1]);
                const int lowStatus = statusOf(low);
                CHECK((lowStatus == 0 || lowStatus == 1));
                CHECK(statusOf(high) == 1); // 9 beats 0 and 5 alike
            }
            CHECK(bytesOf(folder.file(kScoreFile)) == "9\r\n");
            CHECK(bytesOf(folder.file(kHolderFile)) == toCodePage(playerName(9)) + "\r\n");
        }
    }
}
