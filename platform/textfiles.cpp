#include "platform/textfiles.h"

#include "platform/codepage.h"
#include "platform/fileerror.h"

#include <QByteArray>
#include <QFile>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace angoli
{

namespace
{

constexpr mode_t kNewFileMode = 0666; // narrowed by the user's umask
constexpr char kLineEnd[] = "\r\n";

bool validNumber(int n)
{
    return n >= FileTable::kFirstNumber && n <= FileTable::kLastNumber;
}

FileError usageError(const QString &path, const QString &reason)
{
    return FileError{path, reason, FileError::Action::Access};
}

} // namespace

FileTable::~FileTable()
{
    for (Slot &slot : m_slots) {
        if (slot.fd >= 0)
            ::close(slot.fd);
    }
}

int FileTable::FreeFile() const
{
    for (int n = kFirstNumber; n <= kLastNumber; ++n) {
        if (m_slots[std::size_t(n)].fd < 0)
            return n;
    }
    throw usageError(QString(), QStringLiteral("troppi file aperti"));
}

const FileTable::Slot &FileTable::openSlot(int n) const
{
    if (!validNumber(n))
        throw usageError(QString(), QStringLiteral("numero di file %1 non valido").arg(n));
    const Slot &slot = m_slots[std::size_t(n)];
    if (slot.fd < 0)
        throw usageError(QString(), QStringLiteral("il file numero %1 non è aperto").arg(n));
    return slot;
}

void FileTable::Open(int n, const QString &path, OpenMode m)
{
    if (!validNumber(n))
        throw usageError(path, QStringLiteral("numero di file %1 non valido").arg(n));
    Slot &slot = m_slots[std::size_t(n)];
    if (slot.fd >= 0)
        throw usageError(path, QStringLiteral("il numero di file %1 è già in uso").arg(n));

    int flags = O_CLOEXEC;
    switch (m) {
    case OpenMode::Input:
        flags |= O_RDONLY;
        break;
    case OpenMode::Output:
        flags |= O_WRONLY | O_CREAT | O_TRUNC;
        break;
    case OpenMode::Append:
        flags |= O_WRONLY | O_CREAT | O_APPEND;
        break;
    }
    const QByteArray native = QFile::encodeName(path);
    int fd = -1;
    do {
        fd = ::open(native.constData(), flags, kNewFileMode);
    } while (fd < 0 && errno == EINTR);
    if (fd < 0) {
        throw FileError::fromErrno(
            path, errno, m == OpenMode::Input ? FileError::Action::Open : FileError::Action::Write);
    }
    slot = Slot{fd, m, path};
}

void FileTable::Print(int n, const QString &text)
{
    const Slot &slot = openSlot(n);
    if (slot.mode == OpenMode::Input)
        throw usageError(slot.path, QStringLiteral("file aperto solo in lettura"));

    const QByteArray bytes = toCodePage(text) + kLineEnd;
    qsizetype written = 0;
    while (written < bytes.size()) {
        const ssize_t step =
            ::write(slot.fd, bytes.constData() + written, std::size_t(bytes.size() - written));
        if (step < 0) {
            if (errno == EINTR)
                continue;
            throw FileError::fromErrno(slot.path, errno, FileError::Action::Write);
        }
        written += step;
    }
}

qint64 FileTable::LOF(int n) const
{
    const Slot &slot = openSlot(n);
    struct stat info {
    };
    if (::fstat(slot.fd, &info) != 0)
        throw FileError::fromErrno(slot.path, errno, FileError::Action::Read);
    return qint64(info.st_size);
}

QString FileTable::Input(int n, qint64 count)
{
    const Slot &slot = openSlot(n);
    if (slot.mode != OpenMode::Input)
        throw usageError(slot.path, QStringLiteral("file non aperto in lettura"));
    if (count < 0)
        throw usageError(slot.path, QStringLiteral("numero di caratteri negativo"));
    // Never allocate more than the file holds: a wild count is an error, not
    // a huge allocation.
    if (count > LOF(n))
        throw usageError(slot.path, QStringLiteral("lettura oltre la fine del file"));

    QByteArray bytes(qsizetype(count), Qt::Uninitialized);
    qsizetype done = 0;
    while (done < bytes.size()) {
        const ssize_t step = ::read(slot.fd, bytes.data() + done, std::size_t(bytes.size() - done));
        if (step < 0) {
            if (errno == EINTR)
                continue;
            throw FileError::fromErrno(slot.path, errno, FileError::Action::Read);
        }
        if (step == 0)
            throw usageError(slot.path, QStringLiteral("lettura oltre la fine del file"));
        done += step;
    }
    return fromCodePage(bytes);
}

void FileTable::Close(int n)
{
    if (!validNumber(n))
        throw usageError(QString(), QStringLiteral("numero di file %1 non valido").arg(n));
    Slot &slot = m_slots[std::size_t(n)];
    if (slot.fd < 0)
        return;
    const Slot closing = slot;
    slot = Slot{};
    // The descriptor is gone whatever close reports; an error here can mean
    // lost data, so it is reported, not ignored.
    if (::close(closing.fd) != 0 && errno != EINTR)
        throw FileError::fromErrno(closing.path, errno, FileError::Action::Write);
}

} // namespace angoli
