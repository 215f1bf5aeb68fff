// SPDX-License-Identifier: GPL-3.0-or-later
// angoli-records: the only program that writes the shared record folder. Installed
// set-group-id games; the game runs it without privileges of its own. It trusts nothing of
// its caller: the environment is dropped, the descriptors beyond the standard three closed,
// the arguments checked before anything is opened, and the folder is fixed. It never makes a
// file: one it made would belong to the player who ran it. The package makes the two record
// files and the lock, root's; a missing one, or one root does not own, is a failure, and so
// is a lock it cannot take.
//
//   angoli-records open               prints the pair
//   angoli-records store SCORE NAME   stores SCORE (1..32767) and NAME if SCORE beats the record
//                                     (a NAME that is not stored as it stands is refused)
//
// Exit status and output: see platform/posix/helperwire.h.

#include "platform/posix/helperwire.h"
#include "platform/posix/posixrecordfs.h"
#include "platform/posix/systemdir.h"
#include "records/recordformat.h"
#include "records/recordfs.h"
#include "records/recordstore.h"
#include "runtime/fileerror.h"

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <string_view>
#include <unistd.h>

#if defined(__has_feature)
#if __has_feature(address_sanitizer)
#define ANGOLI_ADDRESS_SANITIZER 1
#endif
#endif
#if defined(__SANITIZE_ADDRESS__) || defined(ANGOLI_ADDRESS_SANITIZER)
// LeakSanitizer cannot look into a set-group-id process, which is not dumpable (and must not
// be made so): a sanitizer build checks the helper for memory errors only.
extern "C" const char *__asan_default_options()
{
    return "detect_leaks=0";
}
#endif

namespace
{

using namespace angoli;

// A name is at most kNameLimit characters of up to three UTF-8 bytes each.
constexpr std::size_t kLongestNameArgument = 3 * kNameLimit;
// Beyond this, a descriptor limit is not believed: closing them one by one would take long.
constexpr long kMostDescriptors = 65536;

// The three standard descriptors open (on /dev/null when the caller closed one, so that no
// record file is ever opened as standard output), every other one closed.
bool tidyDescriptors()
{
    for (int fd = STDIN_FILENO; fd <= STDERR_FILENO; ++fd) {
        if (::fcntl(fd, F_GETFD) == -1 && errno == EBADF) {
            if (::open("/dev/null", O_RDWR) != fd)
                return false;
        }
    }
    if (::close_range(STDERR_FILENO + 1, ~0U, 0) == 0)
        return true;
    // A kernel without close_range: one by one, up to the process's limit.
    const long limit = std::min(::sysconf(_SC_OPEN_MAX), kMostDescriptors);
    for (int fd = STDERR_FILENO + 1; fd < limit; ++fd)
        ::close(fd);
    return true;
}

void writeAll(std::string_view bytes)
{
    while (!bytes.empty()) {
        const ssize_t put = ::write(STDOUT_FILENO, bytes.data(), bytes.size());
        if (put < 0 && errno == EINTR)
            continue;
        if (put <= 0)
            return; // the caller stopped listening; the work is done either way
        bytes.remove_prefix(std::size_t(put));
    }
}

int refuse()
{
    writeAll("uso: angoli-records open | angoli-records store PUNTI NOME\n");
    return helper::kRefused;
}

bool isScore(const char *text)
{
    return std::strlen(text) <= 5 && recordScore(text).has_value();
}

bool isName(const char *text)
{
    return std::strlen(text) <= kLongestNameArgument && isStorableName(text);
}

int run(int argc, char **argv)
{
    const std::string dirwin = std::string(posix::kSharedRecordDir) + '/';
    const std::string_view command = argc >= 2 ? argv[1] : "";
    const bool open = argc == 2 && command == helper::kOpenCommand;
    const bool store =
        argc == 4 && command == helper::kStoreCommand && isScore(argv[2]) && isName(argv[3]);
    if (!open && !store)
        return refuse();
    try {
        const std::unique_ptr<RecordFs> folder = posix::openAdministeredRecordFs(dirwin);
        if (open) {
            // Printed once the lock is let go: a caller that does not read cannot hold it.
            const std::string reply = helper::encodePair(openRecord(*folder));
            writeAll(reply);
            return helper::kDone;
        }
        return storeIfRecord(*folder, argv[2], argv[3]) ? helper::kDone : helper::kNotRecord;
    } catch (const FileError &error) {
        writeAll(helper::encodeError(error));
    } catch (const std::exception &error) {
        writeAll(helper::encodeError(FileError{dirwin, error.what(), FileError::Action::Access}));
    }
    return helper::kFailed;
}

} // namespace

int main(int argc, char **argv)
{
    if (!tidyDescriptors())
        return helper::kFailed;
    ::clearenv();
    return run(argc, argv);
}
