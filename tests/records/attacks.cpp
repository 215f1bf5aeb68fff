// SPDX-License-Identifier: GPL-3.0-or-later
#include "attacks.h"

namespace angoli::test
{

const std::vector<Attack> &attacks()
{
    using A = Act;
    static const std::vector<Attack> rows = {
        {1, "hold a lock on the folder", "flock -x /var/games/angoli sleep 600", A::FolderFlock},
        {1, "hold a lock on the score file", "flock -x /var/games/angoli/ange.txt sleep 600",
         A::FileFlock, "ange.txt"},
        {1, "hold the games' lock", "flock -x /var/games/angoli/.angoli.lock sleep 600",
         A::OpenLock, ".angoli.lock"},
        {1, "stop one's own helper while it holds the lock",
         "angoli-records open & kill -STOP $! (until it stops inside the lock)", A::StoppedHelper,
         "", "", Expect::Busy},
        {2, "link the score file to /etc/shadow", "ln -sf /etc/shadow /var/games/angoli/ange.txt",
         A::Symlink, "ange.txt", "@secret"},
        {2, "link the holder file to /proc/self/environ",
         "ln -sf /proc/self/environ /var/games/angoli/nange.txt", A::Symlink, "nange.txt",
         "/proc/self/environ"},
        {2, "a link to /etc/shadow left by the old folder, root plays",
         "(as left before the upgrade) ln -s /etc/shadow ange.txt", A::LeftoverSymlink, "ange.txt",
         "@secret", Expect::Refused, Home::Normal, true},
        {2, "a link to a device left by the old folder",
         "(as left before the upgrade) ln -s /dev/zero nange.txt", A::LeftoverSymlink, "nange.txt",
         "/dev/zero", Expect::Refused},
        {3, "plant the old work file as a hard link to one's own file",
         "ln ~/notes.txt /var/games/angoli/.ange.txt.new", A::HardLink, ".ange.txt.new", "@notes"},
        {3, "plant the old commit marker", "touch /var/games/angoli/.ange.txt.commit", A::Overwrite,
         ".ange.txt.commit"},
        {3, "plant a hard link at the lock's name",
         "ln -f ~/notes.txt /var/games/angoli/.angoli.lock", A::HardLink, ".angoli.lock", "@notes"},
        {3, "an old work file hard-linked to a pupil's file, left by the old folder, root plays",
         "(as left before the upgrade) ln homework.txt .nange.txt.new", A::LeftoverHardLink,
         ".nange.txt.new", "@homework", Expect::Stored, Home::Normal, true},
        {4, "a folder at the score file", "rm ange.txt; mkdir /var/games/angoli/ange.txt",
         A::MakeDir, "ange.txt"},
        {4, "a folder at the old work name", "mkdir /var/games/angoli/.ange.txt.new", A::MakeDir,
         ".ange.txt.new"},
        {4, "a FIFO at the holder file", "rm nange.txt; mkfifo /var/games/angoli/nange.txt",
         A::MakeFifo, "nange.txt"},
        {4, "a socket at the holder file", "rm nange.txt; nc -lU /var/games/angoli/nange.txt",
         A::MakeSocket, "nange.txt"},
        {4, "a looping link at the score file", "ln -sf ange.txt /var/games/angoli/ange.txt",
         A::Symlink, "ange.txt", "ange.txt"},
        {4, "remove the record", "rm -f /var/games/angoli/ange.txt", A::Remove, "ange.txt"},
        {4, "write one's own record", "echo 32767 > /var/games/angoli/ange.txt", A::Overwrite,
         "ange.txt"},
        {4, "a folder at the old work name, left by the old folder",
         "(as left before the upgrade) mkdir .ange.txt.new", A::LeftoverDir, ".ange.txt.new"},
        {5, "hard-link the old commit marker to the score file",
         "ln /var/games/angoli/ange.txt /var/games/angoli/.ange.txt.commit", A::HardLink,
         ".ange.txt.commit", "@folder/ange.txt"},
        {6, "store record after record while others start",
         "for n in $(seq 13 999); do angoli-records store $n n$n; done", A::Stores},
        {7, "HOME unset", "env -u HOME angoli", A::Nothing, "", "", Expect::Stored, Home::Unset},
        {7, "HOME relative", "HOME=rel angoli", A::Nothing, "", "", Expect::Stored, Home::Relative},
        {7, "HOME of bytes that are no UTF-8", "HOME=$'/tmp/angoli-\\xe9\\xff' angoli", A::Nothing,
         "", "", Expect::Stored, Home::NotUtf8},
        {8, "the administrator removed the record files, then a pupil runs the helper",
         "sudo rm /var/games/angoli/{ange.txt,nange.txt,.angoli.lock}; angoli-records open",
         A::RemovedThenHelper, ".angoli.lock", "", Expect::Refused, Home::Normal, false, "manca; "},
        {8, "hold the lock that the old helper made one's own",
         "(made hers by the old helper) flock -x /var/games/angoli/.angoli.lock sleep 600",
         A::OwnedLockFlock, ".angoli.lock", "", Expect::Refused, Home::Normal, false,
         "non appartiene all'amministratore (root)"},
        {9, "store a name of terminal escapes", "angoli-records store 101 $'\\e]0;owned\\a\\e[2J'",
         A::StoreName},
        {10, "a lock the helper cannot take, with an update pending, left by the administrator",
         "(as left by the administrator) chmod 000 /var/games/angoli/.angoli.lock", A::LockUnusable,
         ".angoli.lock", "", Expect::Refused, Home::Normal, false, "Permission denied"},
    };
    return rows;
}

} // namespace angoli::test
