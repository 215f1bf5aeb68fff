#include "records/systemdir.h"

#include "platform/fileerror.h"

#include <QDir>
#include <QFile>
#include <QtGlobal>

#ifdef Q_OS_WIN
#include <windows.h>
#else
#include <cerrno>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace angoli
{

#ifndef Q_OS_WIN
namespace
{

constexpr char kAppDirName[] = "angoli";
constexpr char kDefaultDataHome[] = ".local/share";
// Private to the user, as the XDG base directory rules ask.
constexpr mode_t kDataDirMode = 0700;

QString withOneSeparator(QString dir)
{
    while (dir.endsWith(u'/'))
        dir.chop(1);
    return dir + u'/';
}

bool isDirectory(const QString &path)
{
    struct stat info {
    };
    return ::stat(QFile::encodeName(path).constData(), &info) == 0 && S_ISDIR(info.st_mode);
}

// mkdir -p, reporting the first component that cannot be made.
void makePath(const QString &dir)
{
    if (isDirectory(dir))
        return;
    qsizetype end = 1; // the root itself always exists
    while (end <= dir.size()) {
        end = dir.indexOf(u'/', end);
        if (end < 0)
            end = dir.size();
        const QString part = dir.left(end);
        ++end;
        if (part.endsWith(u'/'))
            continue; // a doubled separator
        if (::mkdir(QFile::encodeName(part).constData(), kDataDirMode) == 0)
            continue;
        if (errno == EEXIST && isDirectory(part))
            continue;
        throw FileError::fromErrno(part, errno == EEXIST ? ENOTDIR : errno,
                                   FileError::Action::Directory);
    }
}

} // namespace

QString systemDirFor(const QString &sharedDir, const QString &xdgDataHome, const QString &home)
{
    if (!sharedDir.isEmpty() && isDirectory(sharedDir) &&
        ::access(QFile::encodeName(sharedDir).constData(), W_OK | X_OK) == 0)
        return withOneSeparator(sharedDir);

    // A relative XDG_DATA_HOME is invalid and must be ignored.
    const QString dataHome = xdgDataHome.startsWith(u'/')
                                 ? xdgDataHome
                                 : withOneSeparator(home) + QLatin1String(kDefaultDataHome);
    const QString dir = withOneSeparator(dataHome) + QLatin1String(kAppDirName);
    makePath(dir);
    return withOneSeparator(dir);
}
#endif

QString GetSystemDir()
{
#ifdef Q_OS_WIN
    constexpr UINT kBufferSize = 128;
    char buffer[kBufferSize] = {};
    const UINT length = GetWindowsDirectoryA(buffer, kBufferSize);
    // 0 is a failure; a length of the buffer or more means it did not fit.
    if (length == 0 || length >= kBufferSize)
        throw FileError{QStringLiteral("Windows"), QStringLiteral("percorso non disponibile"),
                        FileError::Action::Directory};
    QString dir = QString::fromLocal8Bit(buffer, qsizetype(length));
    if (!dir.endsWith(u'\\'))
        dir += u'\\';
    return dir;
#else
    return systemDirFor(QString::fromLatin1(kSharedRecordDir),
                        qEnvironmentVariable("XDG_DATA_HOME"), QDir::homePath());
#endif
}

} // namespace angoli
