#include "records/recordfiles.h"

#include "platform/codepage.h"
#include "platform/fileerror.h"
#include "records/posixio.h"

#include <QFile>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>

namespace angoli
{

namespace
{

#ifdef Q_OS_WIN
constexpr QChar kSeparator = u'\\';
#else
constexpr QChar kSeparator = u'/';
#endif

// Readable by every player sharing the directory, whatever their umask;
// replacing a record needs only the directory's write permission.
constexpr mode_t kRecordFileMode = 0644;

int openRetrying(const QByteArray &native, int flags, mode_t mode = 0)
{
    int fd = -1;
    do {
        fd = ::open(native.constData(), flags, mode);
    } while (fd < 0 && errno == EINTR);
    return fd;
}

} // namespace

QString recordPath(const QString &dirwin, const char *fileName)
{
    return dirwin + kSeparator + QString::fromLatin1(fileName);
}

void createIfMissing(const QString &path)
{
    const QByteArray native = QFile::encodeName(path);
    const int created =
        openRetrying(native, O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, kRecordFileMode);
    if (created >= 0) {
        posixio::Fd file(created);
        if (::fchmod(file.get(), kRecordFileMode) != 0)
            throw FileError::fromErrno(path, errno, FileError::Action::Create);
        file.close(path, FileError::Action::Create);
        return;
    }
    if (errno != EEXIST)
        throw FileError::fromErrno(path, errno, FileError::Action::Create);

    // Exists: it must be a readable regular file (a FIFO would hold start-up forever).
    posixio::Fd existing(posixio::openRegularForReading(AT_FDCWD, native.constData(), path));
    if (existing.get() < 0)
        throw FileError::fromErrno(path, errno, FileError::Action::Open);
}

QString Leggifiletxt(const QString &nomefile)
{
    posixio::Fd file(posixio::openRegularForReading(
        AT_FDCWD, QFile::encodeName(nomefile).constData(), nomefile));
    if (file.get() < 0)
        throw FileError::fromErrno(nomefile, errno, FileError::Action::Open);
    const QByteArray bytes = posixio::readUpTo(file.get(), kRecordReadLimit, nomefile);
    return fromCodePage(bytes);
}

} // namespace angoli
