// SPDX-License-Identifier: GPL-3.0-or-later
// The game's side of the helper: whatever the helper does (hang, flood, die, lie), the game
// gets its answer or a message within the bound, and the helper starts clean.
#include "folder.h"

#include "platform/posix/helperclient.h"
#include "platform/posix/helperwire.h"
#include "platform/posix/posixrecordfolder.h"
#include "runtime/fileerror.h"

#include <doctest.h>

#include <csignal>
#include <cstdlib>
#include <pthread.h>
#include <sys/stat.h>

using namespace angoli;
using namespace angoli::test;
using namespace std::chrono_literals;

namespace
{

using Clock = std::chrono::steady_clock;

// A stand-in helper: a shell script in a folder of its own.
struct Script {
    TempFolder temp;
    std::string path = temp.file("helper").string();
    explicit Script(const std::string &body)
    {
        writeBytes(path, "#!/bin/sh\n" + body + "\n");
        ::chmod(path.c_str(), 0755);
    }
    std::string file(const char *name) const { return temp.file(name).string(); }
};

posix::HelperRun run(const Script &script, std::chrono::milliseconds deadline = 5s,
                     std::size_t limit = 4096)
{
    return posix::runHelper(script.path, {"a b", "c"}, deadline, limit);
}

} // namespace

TEST_CASE("the helper's output and exit status reach the game")
{
    const Script script("printf '%s|' \"$@\"; exit 4");
    const posix::HelperRun result = run(script);
    CHECK(result.spawnError == 0);
    CHECK(result.status == 4);
    CHECK(result.output == "a b|c|");
    CHECK_FALSE(result.timedOut);
}

TEST_CASE("the helper starts with no environment, no input, and default signals")
{
    ::setenv("ANGOLI_PROBE", "leaked", 1);
    const Script env("printf '%s' \"${ANGOLI_PROBE-none}\"; cat");
    CHECK(run(env).output == "none"); // and cat ends at once: input is /dev/null
    ::unsetenv("ANGOLI_PROBE");

    // A signal the game blocks or ignores is not blocked or ignored in the helper.
    sigset_t term;
    sigemptyset(&term);
    sigaddset(&term, SIGTERM);
    sigset_t old;
    pthread_sigmask(SIG_BLOCK, &term, &old);
    const auto oldPipe = std::signal(SIGPIPE, SIG_IGN);
    const Script selfKill("kill -TERM $$; sleep 1; echo survived");
    const posix::HelperRun killed = run(selfKill);
    std::signal(SIGPIPE, oldPipe);
    pthread_sigmask(SIG_SETMASK, &old, nullptr);
    CHECK(killed.status == -SIGTERM);
    CHECK(killed.output.empty());
}

TEST_CASE("a helper that hangs or floods is killed within the bound")
{
    struct Row {
        const char *row;
        const char *body;
        bool timedOut, overflow;
    };
    const Row rows[] = {
        {"silent forever", "exec sleep 60", true, false},
        {"output, then forever", "echo partial; exec sleep 60", true, false},
        {"closes its output, then forever", "exec >&-; exec sleep 60", true, false},
        {"endless output", "exec yes", false, true},
    };
    for (const Row &row : rows) {
        CAPTURE(row.row);
        const Script script(row.body);
        const auto started = Clock::now();
        const posix::HelperRun result = run(script, 500ms, 4096);
        const auto took = Clock::now() - started;
        CHECK(result.timedOut == row.timedOut);
        CHECK(result.overflow == row.overflow);
        CHECK(result.status == -SIGKILL);
        CHECK(result.output.size() <= 4096);
        CHECK(took < 1500ms);
    }
}

TEST_CASE("a helper that cannot start is reported, not waited on")
{
    const posix::HelperRun result = posix::runHelper("/nonexistent/angoli-records", {}, 1s, 4096);
    CHECK(result.spawnError != 0);
}

TEST_CASE("the shared folder's replies become the pair, a message, or a wait")
{
    struct Row {
        const char *row;
        const char *body;
        const char *shown; // the pair as "score|holder", or the message
    };
    const Row rows[] = {
        {"the pair", "printf '4 5\\n12\\r\\nAda\\r\\n'; exit 0", "12\r\n|Ada\r\n"},
        {"an empty pair", "printf '0 0\\n'", "|"},
        {"the folder busy", "printf '6\\n/v//ange.txt\\n\\n'; exit 3",
         "La cartella dei record è occupata da un altro gioco: /v//ange.txt"},
        {"a file error", "printf '1\\n/v//ange.txt\\nPermission denied\\n'; exit 3",
         "Impossibile aprire il file /v//ange.txt: Permission denied"},
        {"a pair cut short", "printf '4 5\\n12\\r\\n'", "risposta non valida"},
        {"a garbled error", "printf 'x\\n'; exit 3", "risposta non valida (stato 3)"},
        {"refused", "exit 2", "risposta non valida (stato 2)"},
        {"killed", "kill -KILL $$", "terminato dal segnale 9"},
        {"hangs", "exec sleep 60", "La cartella dei record è occupata da un altro gioco: @/"},
    };
    for (const Row &row : rows) {
        CAPTURE(row.row);
        const Script script(row.body);
        const std::string shared = script.temp.path().string();
        PosixRecordFolder records({shared, script.path, 500ms});
        std::string shown;
        try {
            const StoredRecord pair = records.open(shared + "/");
            shown = pair.score + "|" + pair.holder;
        } catch (const FileError &error) {
            shown = error.message();
        }
        std::string expected = row.shown;
        if (const auto at = expected.find('@'); at != std::string::npos)
            expected.replace(at, 1, shared);
        CHECK(shown.find(expected) != std::string::npos);
    }
}

TEST_CASE("the exit asks the helper only for a possible record, with a storable name")
{
    struct Row {
        const char *row;
        const char *score;
        const char *name;
        const char *exit;
        bool stored;
        const char *arguments; // as the helper received them; "" when never run
    };
    const Row rows[] = {
        {"stored", "12", "Ada", "0", true, "store|12|Ada|"},
        {"not a record", "12", "Ada", "1", false, "store|12|Ada|"},
        {"name made storable", "7", "Zoë 中\nx", "0", true, "store|7|Zoë ??x|"},
        {"score 0: the helper is not run", "0", "Ada", "0", false, ""},
        {"score that is no number: not run", "1a", "Ada", "0", false, ""},
    };
    for (const Row &row : rows) {
        CAPTURE(row.row);
        Script script("");
        writeBytes(
            script.path,
            std::string("#!/bin/sh\nprintf '%s|' \"$@\" >\"$(dirname \"$0\")/args\"\nexit ") +
                row.exit + "\n");
        const std::string shared = script.temp.path().string();
        PosixRecordFolder records({shared, script.path, 2s});
        CHECK(records.storeIfRecord(shared + "/", row.score, row.name) == row.stored);
        const std::string arguments = bytesOf(script.file("args"));
        CHECK(arguments == (*row.arguments ? std::string(row.arguments) : kAbsent));
    }
}
