#pragma once

#include "platform/fileerror.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <utility>

// Small POSIX helpers for the record files: every failure becomes a FileError
// that names the file the player knows and carries the system's reason.
namespace angoli::posixio
{

// Owns a file descriptor; closes it (ignoring errors) unless released first.
class Fd
{
public:
    explicit Fd(int fd = -1) : m_fd(fd) {}
    ~Fd();
    Fd(const Fd &) = delete;
    Fd &operator=(const Fd &) = delete;
    int get() const { return m_fd; }
    int release() { return std::exchange(m_fd, -1); }
    // Closes now and reports an error of close, which can mean lost data.
    void close(const QString &path, FileError::Action action);

private:
    int m_fd;
};

// Opens dir read-only, as the handle for *at calls, fsync and flock.
int openDirectory(const QString &dir);
// Takes an exclusive flock on the descriptor, waiting for other holders.
void lockExclusive(int fd, const QString &path);
void syncOrThrow(int fd, const QString &path, FileError::Action action);
// Opens name (relative to dirFd, or AT_FDCWD) for reading. Never waits on a
// FIFO, and refuses anything but a regular file with a FileError. Returns -1
// with errno set when the file cannot be opened at all (ENOENT included).
int openRegularForReading(int dirFd, const char *name, const QString &path);
// Reads from the current position to the end of the file, at most limit bytes.
QByteArray readUpTo(int fd, qint64 limit, const QString &path);
void writeAll(int fd, QByteArrayView bytes, const QString &path);

// Whether name exists in directory dirFd (a dangling link counts).
bool existsAt(int dirFd, const char *name, const QString &pathForErrors);
void renameAt(int dirFd, const char *from, const char *to, const QString &pathForErrors);
// Removes name when present; returns whether something was removed.
bool unlinkIfPresent(int dirFd, const char *name, const QString &pathForErrors);
// Best effort, for clean-up after another error has already been reported.
void unlinkQuietly(int dirFd, const char *name);

} // namespace angoli::posixio
