// SPDX-License-Identifier: GPL-3.0-or-later
// The record folder on POSIX: every name opened relative to the folder's descriptor, never
// through a link, never waiting on a FIFO or device, and only as a regular file with one link;
// in the shared folder, only as a file root owns, never created.
#include "platform/posix/posixrecordfs.h"

#include "platform/posix/unixfile.h"
#include "records/lockwait.h"
#include "records/recordformat.h"
#include "records/recordfs.h"
#include "runtime/fileerror.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace angoli
{

namespace
{

using posix::UniqueFd;
using Action = FileError::Action;

constexpr int kOpenFlags = O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC | O_NOCTTY;
// Files made in a player's own folder: readable by every player, writable by the folder's group.
// The umask of the process takes away what the user does not want to give.
constexpr mode_t kRecordFileMode = 0664;
constexpr mode_t kLockFileMode = 0660; // nobody outside the group can lock or read the journal
// Why a file of the shared folder is refused, and what the pupil's teacher does about it: the
// package makes its files, and making them again gives them back to root.
constexpr char kMissing[] =
    "manca; l'amministratore del computer lo rimette con dpkg-reconfigure angoli";
constexpr char kNotAdministrators[] =
    "non appartiene all'amministratore (root); lui lo riprende con dpkg-reconfigure angoli";

class PosixRecordFile final : public RecordFile
{
public:
    PosixRecordFile(UniqueFd fd, std::string path) : m_fd(std::move(fd)), m_path(std::move(path)) {}

    int fd() const { return m_fd.get(); }

    std::string read(std::size_t limit) override
    {
        std::string bytes(limit, '\0');
        std::size_t done = 0;
        while (done < limit) {
            const ssize_t got = ::pread(fd(), bytes.data() + done, limit - done, off_t(done));
            if (got < 0 && errno == EINTR)
                continue;
            if (got < 0)
                throw FileError::fromErrno(m_path, errno, Action::Read);
            if (got == 0)
                break;
            done += std::size_t(got);
        }
        bytes.resize(done);
        return bytes;
    }

    void rewrite(std::string_view bytes) override
    {
        if (::ftruncate(fd(), 0) != 0)
            throw FileError::fromErrno(m_path, errno, Action::Write);
        std::size_t done = 0;
        while (done < bytes.size()) {
            const ssize_t put =
                ::pwrite(fd(), bytes.data() + done, bytes.size() - done, off_t(done));
            if (put < 0 && errno == EINTR)
                continue;
            if (put < 0)
                throw FileError::fromErrno(m_path, errno, Action::Write);
            done += std::size_t(put);
        }
        while (::fsync(fd()) != 0) {
            if (errno != EINTR)
                throw FileError::fromErrno(m_path, errno, Action::Write);
        }
    }

private:
    UniqueFd m_fd;
    std::string m_path;
};

class PosixRecordFs final : public RecordFs
{
public:
    PosixRecordFs(UniqueFd dir, std::string dirwin, bool administered)
        : m_dir(std::move(dir)), m_dirwin(std::move(dirwin)), m_administered(administered)
    {
    }

    std::unique_ptr<RecordFile> lock(std::string_view name, std::chrono::milliseconds wait) override
    {
        auto file = openChecked(name, O_RDWR | O_CREAT, kLockFileMode, Action::Open);
        pollForLock(wait, pathOf(name), [&] {
            if (::flock(file->fd(), LOCK_EX | LOCK_NB) == 0)
                return true;
            if (errno != EWOULDBLOCK && errno != EINTR)
                throw FileError::fromErrno(pathOf(name), errno, Action::Open);
            return false;
        });
        return file;
    }

    std::unique_ptr<RecordFile> openForRead(std::string_view name) override
    {
        if (!present(name))
            return nullptr;
        return openChecked(name, O_RDONLY, 0, Action::Open);
    }

    std::unique_ptr<RecordFile> openForWrite(std::string_view name) override
    {
        return openChecked(name, O_WRONLY | O_CREAT, kRecordFileMode, Action::Write);
    }

    void createIfMissing(std::string_view name) override
    {
        if (m_administered) {
            openChecked(name, O_RDONLY, 0, Action::Open); // refuses a missing or foreign file
            return;
        }
        const std::string cname(name);
        const int fd = retrying([&] {
            return ::openat(m_dir.get(), cname.c_str(), O_WRONLY | O_CREAT | O_EXCL | kOpenFlags,
                            kRecordFileMode);
        });
        if (fd >= 0) {
            UniqueFd created(fd);
            return;
        }
        if (errno != EEXIST)
            throw FileError{pathOf(name), posix::openFailureReason(errno), Action::Create};
    }

    std::string pathOf(std::string_view name) const override { return recordPath(m_dirwin, name); }

    bool administered() const override { return m_administered; }

private:
    template <typename Open> static int retrying(Open open)
    {
        int fd = -1;
        do {
            fd = open();
        } while (fd < 0 && errno == EINTR);
        return fd;
    }

    // Whether name exists (as anything, a dangling link included).
    bool present(std::string_view name) const
    {
        struct stat info {
        };
        if (::fstatat(m_dir.get(), std::string(name).c_str(), &info, AT_SYMLINK_NOFOLLOW) == 0)
            return true;
        if (errno == ENOENT)
            return false;
        throw FileError::fromErrno(pathOf(name), errno, Action::Access);
    }

    // Refuses anything but a regular file with one link, from what info says of it.
    void refuseUnlessPlain(const struct stat &info, std::string_view name, Action action) const
    {
        if (S_ISDIR(info.st_mode))
            throw FileError::fromErrno(pathOf(name), EISDIR, action);
        if (S_ISLNK(info.st_mode))
            throw FileError{pathOf(name), posix::openFailureReason(ELOOP), action};
        if (!S_ISREG(info.st_mode))
            throw FileError{pathOf(name), "non è un file normale", action};
        if (info.st_nlink != 1)
            throw FileError{pathOf(name), "ha più di un nome (un collegamento fisico)", action};
        // Whoever owns a file may change its mode, write it or hold it locked, helper or not.
        if (m_administered && info.st_uid != 0)
            throw FileError{pathOf(name), kNotAdministrators, action};
    }

    std::unique_ptr<PosixRecordFile> openChecked(std::string_view name, int flags, mode_t mode,
                                                 Action action)
    {
        const std::string cname(name);
        // A file made here would be the player's own.
        if (m_administered)
            flags &= ~O_CREAT;
        // Looked at before it is opened: opening a device may already do something.
        struct stat before {
        };
        if (::fstatat(m_dir.get(), cname.c_str(), &before, AT_SYMLINK_NOFOLLOW) == 0)
            refuseUnlessPlain(before, name, action);
        else if (errno != ENOENT)
            throw FileError::fromErrno(pathOf(name), errno, action);

        UniqueFd fd(retrying(
            [&] { return ::openat(m_dir.get(), cname.c_str(), flags | kOpenFlags, mode); }));
        if (fd.get() < 0 && errno == ENOENT && m_administered)
            throw FileError{pathOf(name), kMissing, action};
        if (fd.get() < 0)
            throw FileError{pathOf(name), posix::openFailureReason(errno), action};
        struct stat info {
        };
        if (::fstat(fd.get(), &info) != 0)
            throw FileError::fromErrno(pathOf(name), errno, action);
        // Looked at again: the entry may have been replaced in between.
        refuseUnlessPlain(info, name, action);
        ::fcntl(fd.get(), F_SETFL, ::fcntl(fd.get(), F_GETFL) & ~O_NONBLOCK);
        return std::make_unique<PosixRecordFile>(std::move(fd), pathOf(name));
    }

    UniqueFd m_dir;
    std::string m_dirwin;
    bool m_administered;
};

std::unique_ptr<RecordFs> openFolder(const std::string &dirwin, bool administered)
{
    int fd = -1;
    do {
        fd = ::open(dirwin.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    } while (fd < 0 && errno == EINTR);
    if (fd < 0)
        throw FileError::fromErrno(dirwin, errno, Action::Directory);
    return std::make_unique<PosixRecordFs>(UniqueFd(fd), dirwin, administered);
}

} // namespace

std::unique_ptr<RecordFs> openRecordFs(const std::string &dirwin)
{
    return openFolder(dirwin, false);
}

std::unique_ptr<RecordFs> posix::openAdministeredRecordFs(const std::string &dirwin)
{
    return openFolder(dirwin, true);
}

} // namespace angoli
