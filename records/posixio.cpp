#include "records/posixio.h"

#include <QFile>

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace angoli::posixio
{

namespace
{

constexpr qsizetype kReadChunk = 8192;

} // namespace

Fd::~Fd()
{
    if (m_fd >= 0)
        ::close(m_fd);
}

void Fd::close(const QString &path, FileError::Action action)
{
    const int fd = m_fd;
    m_fd = -1;
    if (fd >= 0 && ::close(fd) != 0 && errno != EINTR)
        throw FileError::fromErrno(path, errno, action);
}

int openRegularForReading(int dirFd, const char *name, const QString &path)
{
    int fd = -1;
    do {
        fd = ::openat(dirFd, name, O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    } while (fd < 0 && errno == EINTR);
    if (fd < 0)
        return -1;
    Fd file(fd);
    struct stat info {
    };
    if (::fstat(fd, &info) != 0)
        throw FileError::fromErrno(path, errno, FileError::Action::Open);
    if (!S_ISREG(info.st_mode))
        throw FileError::fromErrno(path, S_ISDIR(info.st_mode) ? EISDIR : EINVAL,
                                   FileError::Action::Open);
    // Back to blocking reads: a regular file never waits anyway.
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    return file.release();
}

int openDirectory(const QString &dir)
{
    const QByteArray native = QFile::encodeName(dir);
    int fd = -1;
    do {
        fd = ::open(native.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    } while (fd < 0 && errno == EINTR);
    if (fd < 0)
        throw FileError::fromErrno(dir, errno, FileError::Action::Directory);
    return fd;
}

void lockExclusive(int fd, const QString &path)
{
    while (::flock(fd, LOCK_EX) != 0) {
        if (errno != EINTR)
            throw FileError::fromErrno(path, errno, FileError::Action::Directory);
    }
}

void syncOrThrow(int fd, const QString &path, FileError::Action action)
{
    while (::fsync(fd) != 0) {
        if (errno != EINTR)
            throw FileError::fromErrno(path, errno, action);
    }
}

QByteArray readUpTo(int fd, qint64 limit, const QString &path)
{
    QByteArray bytes;
    while (bytes.size() < limit) {
        const qsizetype want = qsizetype(qMin<qint64>(kReadChunk, limit - bytes.size()));
        const qsizetype old = bytes.size();
        bytes.resize(old + want);
        const ssize_t got = ::read(fd, bytes.data() + old, std::size_t(want));
        if (got < 0 && errno == EINTR) {
            bytes.resize(old);
            continue;
        }
        if (got < 0)
            throw FileError::fromErrno(path, errno, FileError::Action::Read);
        bytes.resize(old + got);
        if (got == 0)
            break;
    }
    return bytes;
}

void writeAll(int fd, QByteArrayView bytes, const QString &path)
{
    qsizetype done = 0;
    while (done < bytes.size()) {
        const ssize_t step = ::write(fd, bytes.data() + done, std::size_t(bytes.size() - done));
        if (step < 0) {
            if (errno == EINTR)
                continue;
            throw FileError::fromErrno(path, errno, FileError::Action::Write);
        }
        done += step;
    }
}

bool existsAt(int dirFd, const char *name, const QString &pathForErrors)
{
    struct stat info {
    };
    if (::fstatat(dirFd, name, &info, AT_SYMLINK_NOFOLLOW) == 0)
        return true;
    if (errno == ENOENT)
        return false;
    throw FileError::fromErrno(pathForErrors, errno, FileError::Action::Access);
}

void renameAt(int dirFd, const char *from, const char *to, const QString &pathForErrors)
{
    if (::renameat(dirFd, from, dirFd, to) != 0)
        throw FileError::fromErrno(pathForErrors, errno, FileError::Action::Write);
}

bool unlinkIfPresent(int dirFd, const char *name, const QString &pathForErrors)
{
    if (::unlinkat(dirFd, name, 0) == 0)
        return true;
    if (errno == ENOENT)
        return false;
    throw FileError::fromErrno(pathForErrors, errno, FileError::Action::Write);
}

void unlinkQuietly(int dirFd, const char *name)
{
    ::unlinkat(dirFd, name, 0);
}

} // namespace angoli::posixio
