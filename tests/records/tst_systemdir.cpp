// SPDX-License-Identifier: GPL-3.0-or-later
// Where the records live on a POSIX system: the package's shared folder when it is set up,
// else the player's own folder, found from the environment or the password database.
#include "child.h"
#include "folder.h"

#include "platform/posix/posixrecordfolder.h"
#include "platform/posix/systemdir.h"
#include "runtime/fileerror.h"

#include <doctest.h>

#include <cstdlib>
#include <filesystem>
#include <optional>
#include <sys/stat.h>

using namespace angoli;
using namespace angoli::test;

TEST_CASE("the private folder follows XDG_DATA_HOME, then HOME, then the password database")
{
    struct Row {
        const char *row;
        const char *xdg;  // "@" stands for the test folder
        const char *home; // nullptr: unset
        const char *account;
        const char *expected;
    };
    const Row rows[] = {
        {"XDG_DATA_HOME", "@/data", "@/home", "@/pw", "@/data/angoli/"},
        {"XDG_DATA_HOME with trailing separators", "@/data//", "@/home", "@/pw", "@/data/angoli/"},
        {"relative XDG_DATA_HOME ignored", "rel/data", "@/home", "@/pw",
         "@/home/.local/share/angoli/"},
        {"no XDG_DATA_HOME", nullptr, "@/home", "@/pw", "@/home/.local/share/angoli/"},
        {"HOME with a trailing separator", nullptr, "@/home/", "@/pw",
         "@/home/.local/share/angoli/"},
        {"HOME unset: the account's home", nullptr, nullptr, "@/pw", "@/pw/.local/share/angoli/"},
        {"HOME empty: the account's home", nullptr, "", "@/pw", "@/pw/.local/share/angoli/"},
        {"HOME relative: the account's home", nullptr, "rel", "@/pw", "@/pw/.local/share/angoli/"},
        {"HOME '.': the account's home", nullptr, ".", "@/pw", "@/pw/.local/share/angoli/"},
        {"HOME of bytes that are no UTF-8, kept as bytes", nullptr, "@/h\xe9\xff", "@/pw",
         "@/h\xe9\xff/.local/share/angoli/"},
    };
    for (const Row &row : rows) {
        CAPTURE(row.row);
        TempFolder temp;
        const auto at = [&](const char *text) -> std::optional<std::string> {
            if (text == nullptr)
                return std::nullopt;
            std::string s = text;
            if (s.starts_with('@'))
                s = temp.path().string() + s.substr(1);
            return s;
        };
        const auto xdg = at(row.xdg);
        const auto home = at(row.home);
        const std::string dir = posix::privateRecordDir(
            xdg ? xdg->c_str() : nullptr, home ? home->c_str() : nullptr, at(row.account));
        CHECK(dir == *at(row.expected));
        struct stat info {
        };
        REQUIRE(::stat(dir.c_str(), &info) == 0);
        CHECK(S_ISDIR(info.st_mode));
        CHECK((info.st_mode & 0077) == 0); // private to the player
        // Nothing was made under the working folder or the root.
        CHECK_FALSE(std::filesystem::exists("rel"));
    }
}

TEST_CASE("with no home at all, or a folder that cannot be made, the error says so")
{
    CHECK_THROWS_AS(posix::privateRecordDir(nullptr, nullptr, std::nullopt), FileError);
    CHECK_THROWS_AS(posix::privateRecordDir(nullptr, "rel", std::string("also/rel")), FileError);

    TempFolder temp;
    const std::string blocker = temp.file("plainfile").string();
    writeBytes(blocker, "x");
    try {
        posix::privateRecordDir((blocker + "/data").c_str(), nullptr, std::nullopt);
        FAIL("a folder below a plain file cannot be made");
    } catch (const FileError &error) {
        CHECK(error.path.starts_with(blocker));
        CHECK(error.message().find("Not a directory") != std::string::npos);
    }
}

TEST_CASE("the shared folder is used only when the package set it up with its helper")
{
    TempFolder temp;
    const std::string shared = temp.file("shared").string();
    const std::string helper = temp.file("helper").string();
    ::setenv("XDG_DATA_HOME", temp.file("xdg").c_str(), 1);

    PosixRecordFolder records({shared, helper});
    CHECK(records.GetSystemDir() == temp.file("xdg").string() + "/angoli/");
    std::filesystem::create_directory(shared);
    CHECK(records.GetSystemDir() == temp.file("xdg").string() + "/angoli/"); // no helper
    writeBytes(helper, "#!/bin/sh\n");
    ::chmod(helper.c_str(), 0755);
    CHECK(records.GetSystemDir() == shared + "/");
    ::unsetenv("XDG_DATA_HOME");
}
