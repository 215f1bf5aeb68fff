// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "attackenv.h"
#include "attacks.h"
#include "playgame.h"

#include "platform/posix/posixrecordfolder.h"
#include "records/recordformat.h"

#include <chrono>
#include <string>
#include <sys/types.h>

// A whole game on the shared folder of AttackEnv, played in a child process by one of its users.
namespace angoli::test
{

// The longest a step of the game may take: the wait for the lock and a little more.
inline constexpr long kBoundMs = std::chrono::milliseconds(kLockWait).count() + 1500;

struct Player {
    uid_t uid = kPupil; // 0: root plays
    std::string name = "Pia";
    std::string score = "13";
    Home home = Home::Normal;
};

// The game's messages for name, as the game words them.
std::string greetingFor(const std::string &name);
std::string farewellFor(const std::string &name);
inline const std::string kRecordSet = "Ok ho registrato il tuo record, C A M P I O N E";

// The package's folder and the helper installed for the test.
SharedRecords shared();

Played playAs(const Player &player);

} // namespace angoli::test
