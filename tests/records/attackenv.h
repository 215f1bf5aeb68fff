// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "folder.h"

#include <filesystem>
#include <memory>
#include <string>
#include <sys/types.h>

// The package's shared record folder, as set up on a school computer, inside a private mount
// namespace of the test: /var/games/angoli root:games 0775 with the record files root:games
// 0664 and the lock root:games 0660, and the helper root:games 2755. Two ordinary users, none
// in group games, share it: the pupil who plays and the attacker.
namespace angoli::test
{

inline constexpr uid_t kPupil = 65534;
inline constexpr uid_t kAttacker = 65533;
inline constexpr char kSharedFolder[] = "/var/games/angoli";
// Files outside the folder that no game may show or change.
inline constexpr char kSecret[] = "SECRET root:x:0:shadow\n";
inline constexpr char kHomework[] = "the pupil's own homework\n";
inline constexpr char kNotes[] = "the attacker's own notes\n";

class AttackEnv
{
public:
    // Empty skipReason: ready to use.
    static AttackEnv &instance();

    const std::string &skipReason() const { return m_skipReason; }
    // The helper, installed set-group-id games.
    const std::string &helper() const { return m_helper; }
    gid_t games() const { return m_games; }
    std::filesystem::path folder() const { return kSharedFolder; }
    std::filesystem::path secret() const;   // root's, 0600
    std::filesystem::path homework() const; // the pupil's, 0644
    std::filesystem::path notes() const;    // the attacker's, 0644

    // The folder as the package leaves it, holding the record 12 of Ada, and the files outside
    // as they were.
    void reset();
    // Whether the files outside are exactly as reset made them.
    bool outsideUntouched() const;

private:
    AttackEnv();
    void setUp();

    std::unique_ptr<TempFolder> m_temp;
    std::string m_helper;
    gid_t m_games = 0;
    std::string m_skipReason;
};

} // namespace angoli::test
