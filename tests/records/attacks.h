// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <sys/types.h>
#include <vector>

// The attacks on the shared record folder that were once found to work, each as the command a
// pupil would type, and what the pupil's game must do while or after it runs.
namespace angoli::test
{

enum class Act {
    FolderFlock,       // flock the folder itself and hold it
    FileFlock,         // flock a record file (world-readable) and hold it
    OpenLock,          // open the lock file to flock it
    StoppedHelper,     // stop one's own helper while it holds the lock, and keep it stopped
    Symlink,           // replace or add a name as a symbolic link to dest
    HardLink,          // add a name as a hard link to dest
    MakeDir,           // add a folder at a name
    MakeFifo,          // add a FIFO at a name
    MakeSocket,        // add a socket at a name
    Remove,            // remove a name
    Overwrite,         // write into a record file
    LeftoverSymlink,   // a link at a name left by the old world-writable folder
    LeftoverHardLink,  // a hard link to dest at a work name left by the old folder
    LeftoverDir,       // a folder at a name left by the old folder
    Stores,            // store one record after the other while the pupil's games read
    RemovedThenHelper, // the administrator removes the three files; the attacker runs the helper
    OwnedLockFlock,    // the three files are the attacker's (made by the old helper); she flocks
    StoreName,         // the attacker stores a name through the helper
    LockUnusable,      // the administrator left the lock mode 000, an update pending in it
    Nothing,           // no attack: the pupil's environment is the point
};

// How the pupil's game ends.
enum class Expect {
    Stored,  // plays, the exit stores the new record
    Busy,    // the record is not shown; the exit says it could not store; the record is kept
    Refused, // a message at start-up names the file, the game ends; the record is kept
};

// The pupil's environment for the row.
enum class Home { Normal, Unset, Relative, NotUtf8 };

struct Attack {
    int finding;
    const char *attack;
    const char *command;
    Act act;
    const char *name = ""; // in the folder
    const char *dest = ""; // for links
    Expect expect = Expect::Stored;
    Home home = Home::Normal;
    bool rootPlays = false;
    const char *reason = ""; // the start of the reason the game's message gives (Refused)
};

// Every row, in the order of the findings.
const std::vector<Attack> &attacks();

// What the attacker's command did: "done", or "refused: <reason>". For the acts that hold
// something (a lock, a stopped helper), holder is the process to kill after the game.
struct AttackRun {
    std::string result;
    pid_t holder = -1;
};

// Runs the row's act: as the attacker for a pupil's attack, as root for a leftover.
AttackRun runAttack(const Attack &attack);
// Stops a holder left by runAttack.
void endAttack(AttackRun &run);

} // namespace angoli::test
