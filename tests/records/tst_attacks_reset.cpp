// SPDX-License-Identifier: GPL-3.0-or-later
// An administrator resets the shared record the ways the manual page gives, then two pupils
// play: the first one's record is stored, the second one's better score replaces it, and no
// file in the folder is ever a pupil's. Removing the files without putting them back stops the
// game with a message; dpkg-reconfigure angoli (the package's postinst, run here for real)
// puts them back, and takes back files a pupil came to own, keeping their record.
#include "attackenv.h"
#include "attackplay.h"
#include "attacks.h"

#include "platform/posix/helperwire.h"
#include "records/recordformat.h"

#include <doctest.h>

#include <cstdio>
#include <cstdlib>
#include <sys/stat.h>
#include <unistd.h>

using namespace angoli;
using namespace angoli::test;

namespace
{

namespace fs = std::filesystem;

constexpr uid_t kSecondPupil = kAttacker; // Bruno
const std::string kReset = "reset-step: ";

// Every entry of the folder as "name owner:group mode", as `stat -c '%n %U:%G %a'` shows it.
std::vector<std::string> owners()
{
    AttackEnv &env = AttackEnv::instance();
    std::vector<std::string> found;
    for (const std::string &name : entriesOf(env.folder())) {
        struct stat info {
        };
        REQUIRE(::lstat((env.folder() / name).c_str(), &info) == 0);
        const std::string owner = info.st_uid == 0 ? "root" : std::to_string(info.st_uid);
        const std::string group = info.st_gid == env.games() ? "games"
                                  : info.st_gid == 0         ? "root"
                                                             : std::to_string(info.st_gid);
        char mode[8];
        std::snprintf(mode, sizeof mode, "%o", unsigned(info.st_mode & 07777));
        found.push_back(name + " " + owner + ":" + group + " " + mode);
    }
    return found;
}

const std::vector<std::string> kPackaged = {".angoli.lock root:games 660",
                                            "ange.txt root:games 664", "nange.txt root:games 664"};

// Logs the folder after step, for the test's output; checks that no file is a pupil's.
void step(const std::string &what)
{
    std::string line = kReset + what + ":";
    for (const std::string &entry : owners()) {
        line += " [" + entry + "]";
        CHECK(entry.find(" " + std::to_string(kPupil) + ":") == std::string::npos);
        CHECK(entry.find(" " + std::to_string(kSecondPupil) + ":") == std::string::npos);
    }
    std::printf("%s\n", line.c_str());
    std::fflush(stdout);
}

// `dpkg-reconfigure angoli`: the package's postinst configure, run for real in this mount
// namespace. A stand-in dpkg-statoverride reports an override for the installed helper, which
// this namespace keeps elsewhere, so that postinst leaves that path alone.
void reconfigure()
{
    const TempFolder bin;
    const fs::path statoverride = bin.file("dpkg-statoverride");
    writeBytes(statoverride, "#!/bin/sh\n"
                             "[ \"$1\" = --list ] && [ \"$2\" = " +
                                 std::string(helper::kInstalledHelper) + " ]\n");
    REQUIRE(::chmod(statoverride.c_str(), 0755) == 0);
    const std::string command = "PATH='" + bin.path().string() +
                                "':/usr/sbin:/usr/bin:/sbin:/bin sh '" ANGOLI_POSTINST
                                "' configure 1.0.0";
    REQUIRE(std::system(command.c_str()) == 0);
}

void expectRecord(const std::string &score, const std::string &holder)
{
    AttackEnv &env = AttackEnv::instance();
    CHECK(bytesOf(env.folder() / kScoreFile) == score);
    CHECK(bytesOf(env.folder() / kHolderFile) == holder);
}

// Pia (13), then Bruno (14): each game shows the record before it and stores its own.
void twoPupils(const std::string &shownScore, const std::string &shownHolder)
{
    const Played pia = playAs({kPupil, "Pia", "13"});
    CHECK(pia.shownScore == shownScore);
    CHECK(pia.shownHolder == shownHolder);
    CHECK(pia.messages ==
          std::vector<std::string>{greetingFor("Pia"), farewellFor("Pia"), kRecordSet});
    expectRecord("13\r\n", "Pia\r\n");
    CHECK(owners() == kPackaged);
    step("Pia stored 13");

    const Played bruno = playAs({kSecondPupil, "Bruno", "14"});
    CHECK(bruno.shownScore == "13\r\n");
    CHECK(bruno.shownHolder == "Pia\r\n");
    CHECK(bruno.messages ==
          std::vector<std::string>{greetingFor("Bruno"), farewellFor("Bruno"), kRecordSet});
    expectRecord("14\r\n", "Bruno\r\n");
    CHECK(owners() == kPackaged);
    step("Bruno's 14 replaced it");
}

void row(const char *what, const char *command, const std::string &result)
{
    std::printf("attack-row: | 8 | %s | %s | `%s` |\n", what, result.c_str(), command);
    std::fflush(stdout);
}

} // namespace

TEST_CASE("an administrator's reset, then two pupils")
{
    AttackEnv &env = AttackEnv::instance();
    if (!env.skipReason().empty()) {
        MESSAGE("skipped: " << env.skipReason());
        return;
    }
    const fs::path dir = env.folder();
    env.reset();

    SUBCASE("emptying the files")
    {
        REQUIRE(::truncate((dir / kScoreFile).c_str(), 0) == 0);
        REQUIRE(::truncate((dir / kHolderFile).c_str(), 0) == 0);
        CHECK(owners() == kPackaged);
        step("emptied");
        twoPupils("", "");
        row("the administrator empties the record, then two pupils play",
            "sudo truncate -s 0 /var/games/angoli/ange.txt /var/games/angoli/nange.txt",
            "Pia's 13 stored, then Bruno's 14 replaced it; every file stayed root's");
    }

    SUBCASE("removing the files, then dpkg-reconfigure")
    {
        for (const std::string_view name : {kScoreFile, kHolderFile, kLockFile})
            fs::remove(dir / name);
        step("removed");
        const Played refused = playAs({kPupil, "Pia", "13"});
        REQUIRE(refused.messages.size() == 2);
        CHECK_FALSE(refused.startedUp);
        CHECK(refused.messages[1] ==
              "Impossibile aprire il file /var/games/angoli//.angoli.lock: manca; l'amministratore "
              "del computer lo rimette con dpkg-reconfigure angoli");
        CHECK(owners().empty());
        step("Pia's game said the lock is missing and ended");

        reconfigure();
        CHECK(owners() == kPackaged);
        expectRecord("", "");
        step("dpkg-reconfigure angoli");
        twoPupils("", "");
        row("the administrator removes the record files, then two pupils play",
            "sudo rm /var/games/angoli/{ange.txt,nange.txt,.angoli.lock}",
            "Pia's game said the lock is missing and ended, nothing made; after `dpkg-reconfigure "
            "angoli` Pia's 13 stored, then Bruno's 14 replaced it; every file root's throughout");
    }

    SUBCASE("files a pupil came to own, one of them locked by her: dpkg-reconfigure")
    {
        // As the old helper left them after a removal: Bruno's, holding the record 12 of Ada.
        AttackRun held = runAttack({8, "", "", Act::OwnedLockFlock, ".angoli.lock"});
        REQUIRE(held.result == "done");
        reconfigure();
        CHECK(owners() == kPackaged);
        expectRecord("12\r\n", "Ada\r\n");
        step("dpkg-reconfigure angoli while Bruno holds his old lock");
        // His lock is on a file no longer in the folder: it holds no game up.
        twoPupils("12\r\n", "Ada\r\n");
        endAttack(held);
        row("the files the old helper made a pupil's, the lock held by him: the administrator runs "
            "dpkg-reconfigure",
            "sudo dpkg-reconfigure angoli",
            "the files became root's again with the record 12 of Ada kept; with his old lock still "
            "held, Pia's 13 stored, then Bruno's 14 replaced it");
    }
}
