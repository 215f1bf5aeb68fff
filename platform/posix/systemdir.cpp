// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/posix/systemdir.h"

#include "runtime/fileerror.h"

#include <cerrno>
#include <cstdlib>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace angoli::posix
{

namespace
{

constexpr char kAppDirName[] = "angoli";
constexpr char kDefaultDataHome[] = ".local/share";
// Private to the user, as the XDG base directory rules ask.
constexpr mode_t kDataDirMode = 0700;

bool isAbsolute(const char *path)
{
    return path != nullptr && path[0] == '/';
}

std::string withoutTrailingSeparators(std::string dir)
{
    while (dir.size() > 1 && dir.back() == '/')
        dir.pop_back();
    return dir;
}

// mkdir -p, reporting the first component that cannot be made.
void makePath(const std::string &dir)
{
    if (isDirectory(dir))
        return;
    for (std::size_t end = dir.find('/', 1);; end = dir.find('/', end + 1)) {
        const std::string part = dir.substr(0, end);
        if (!part.empty() && part.back() != '/') { // skips a doubled separator
            if (::mkdir(part.c_str(), kDataDirMode) != 0 && !(errno == EEXIST && isDirectory(part)))
                throw FileError::fromErrno(part, errno == EEXIST ? ENOTDIR : errno,
                                           FileError::Action::Directory);
        }
        if (end == std::string::npos)
            return;
    }
}

} // namespace

bool isDirectory(const std::string &path)
{
    struct stat info {
    };
    return ::stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

std::string privateRecordDir(const char *xdgDataHome, const char *homeVar,
                             const std::optional<std::string> &accountHome)
{
    std::string dataHome;
    if (isAbsolute(xdgDataHome)) {
        dataHome = xdgDataHome;
    } else {
        // A relative XDG_DATA_HOME is invalid and ignored; so is a HOME that is not absolute.
        std::string home;
        if (isAbsolute(homeVar))
            home = homeVar;
        else if (accountHome && isAbsolute(accountHome->c_str()))
            home = *accountHome;
        else
            throw FileError{homeVar ? homeVar : "HOME", "cartella personale sconosciuta",
                            FileError::Action::Directory};
        dataHome = withoutTrailingSeparators(home) + '/' + kDefaultDataHome;
    }
    const std::string dir = withoutTrailingSeparators(dataHome) + '/' + kAppDirName;
    makePath(dir);
    return dir + '/';
}

std::optional<std::string> accountHome()
{
    long size = ::sysconf(_SC_GETPW_R_SIZE_MAX);
    std::vector<char> buffer(size > 0 ? std::size_t(size) : 16384);
    passwd entry{};
    passwd *found = nullptr;
    if (::getpwuid_r(::getuid(), &entry, buffer.data(), buffer.size(), &found) != 0 ||
        found == nullptr || found->pw_dir == nullptr)
        return std::nullopt;
    return std::string(found->pw_dir);
}

std::string privateRecordDir()
{
    const char *xdgDataHome = std::getenv("XDG_DATA_HOME");
    const char *home = std::getenv("HOME");
    // The password database may sit on a network server: asked only when needed.
    std::optional<std::string> account;
    if (!isAbsolute(xdgDataHome) && !isAbsolute(home))
        account = accountHome();
    return privateRecordDir(xdgDataHome, home, account);
}

} // namespace angoli::posix
