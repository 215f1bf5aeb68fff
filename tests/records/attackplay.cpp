// SPDX-License-Identifier: GPL-3.0-or-later
#include "attackplay.h"

#include "child.h"

#include <doctest.h>

#include <cstdlib>

namespace angoli::test
{

namespace
{

void setHome(Home home)
{
    switch (home) {
    case Home::Normal:
        break;
    case Home::Unset:
        ::unsetenv("HOME");
        break;
    case Home::Relative:
        ::setenv("HOME", "rel", 1);
        break;
    case Home::NotUtf8:
        ::setenv("HOME", "/tmp/angoli-\xe9\xff", 1);
        break;
    }
}

} // namespace

std::string greetingFor(const std::string &name)
{
    return " " + name + " vediamo se sei un vero campione  ";
}

std::string farewellFor(const std::string &name)
{
    return "Ciao a presto " + name;
}

SharedRecords shared()
{
    return {kSharedFolder, AttackEnv::instance().helper()};
}

Played playAs(const Player &player)
{
    const ChildResult child = runChild(
        [&](int out) {
            if (player.uid != 0 && !dropPrivileges(player.uid, player.uid))
                return kCannotDropPrivileges;
            setHome(player.home);
            PosixRecordFolder records(shared());
            send(out, encodePlayed(playGame(records, player.name, player.score)));
            return 0;
        },
        std::chrono::milliseconds(4 * kBoundMs));
    REQUIRE_FALSE(child.hung);
    REQUIRE(child.status == 0);
    const std::optional<Played> played = decodePlayed(child.output);
    REQUIRE(played);
    return *played;
}

} // namespace angoli::test
