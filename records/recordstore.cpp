#include "records/recordstore.h"

#include "platform/codepage.h"
#include "platform/fileerror.h"
#include "platform/vbruntime.h"
#include "records/posixio.h"
#include "records/recordfiles.h"

#include <QByteArray>

#include <cerrno>
#include <fcntl.h>
#include <optional>
#include <sys/stat.h>

// An update writes both new files to temporaries, then commits with a single
// rename of the score temporary to kCommitFile. Before that rename the old
// pair is intact and the temporaries are garbage; after it the new pair is
// decided and recovery rolls it forward:
//
//   kHolderTempFile, kScoreTempFile   written and synced, directory synced
//   kScoreTempFile -> kCommitFile     the commit point, directory synced
//   kHolderTempFile -> nange.txt
//   kCommitFile -> ange.txt           directory synced
//
// With kCommitFile present, a remaining kHolderTempFile means nange.txt still
// holds the old name. Every step runs under an flock on the directory, so
// the temporaries found by a lock holder always belong to a dead update.

namespace angoli
{

namespace
{

constexpr char kLineEnd[] = "\r\n";
constexpr mode_t kRecordFileMode = 0644; // see createIfMissing

// Holds the directory open and locked for one update or recovery.
class LockedDir
{
public:
    explicit LockedDir(const QString &dirwin)
        : m_path(dirwin), m_fd(posixio::openDirectory(dirwin)),
          m_scorePath(recordPath(dirwin, kScoreFile)), m_holderPath(recordPath(dirwin, kHolderFile))
    {
        posixio::lockExclusive(m_fd.get(), m_path);
    }
    int fd() const { return m_fd.get(); }
    const QString &path() const { return m_path; }
    const QString &scorePath() const { return m_scorePath; }
    const QString &holderPath() const { return m_holderPath; }
    void sync() const { posixio::syncOrThrow(fd(), m_path, FileError::Action::Directory); }

private:
    QString m_path;
    posixio::Fd m_fd; // closing it releases the lock
    QString m_scorePath;
    QString m_holderPath;
};

void recoverLocked(const LockedDir &dir)
{
    if (posixio::existsAt(dir.fd(), kCommitFile, dir.scorePath())) {
        if (posixio::existsAt(dir.fd(), kHolderTempFile, dir.holderPath()))
            posixio::renameAt(dir.fd(), kHolderTempFile, kHolderFile, dir.holderPath());
        posixio::renameAt(dir.fd(), kCommitFile, kScoreFile, dir.scorePath());
        posixio::unlinkIfPresent(dir.fd(), kScoreTempFile, dir.scorePath());
        dir.sync();
        return;
    }
    const bool removedScore = posixio::unlinkIfPresent(dir.fd(), kScoreTempFile, dir.scorePath());
    const bool removedHolder =
        posixio::unlinkIfPresent(dir.fd(), kHolderTempFile, dir.holderPath());
    if (removedScore || removedHolder)
        dir.sync();
}

// The stored record; a missing score file counts as no record.
double storedRecord(const LockedDir &dir)
{
    posixio::Fd file(posixio::openRegularForReading(dir.fd(), kScoreFile, dir.scorePath()));
    if (file.get() < 0) {
        if (errno == ENOENT)
            return 0.0;
        throw FileError::fromErrno(dir.scorePath(), errno, FileError::Action::Open);
    }
    return Val(fromCodePage(posixio::readUpTo(file.get(), kRecordReadLimit, dir.scorePath())));
}

// scoreText as a number when it is made of decimal digits only.
std::optional<double> scoreValue(const QString &scoreText)
{
    if (scoreText.isEmpty())
        return std::nullopt;
    for (const QChar c : scoreText) {
        if (c < u'0' || c > u'9')
            return std::nullopt;
    }
    return Val(scoreText);
}

void writeTemporary(const LockedDir &dir, const char *name, const QByteArray &bytes,
                    const QString &pathForErrors)
{
    posixio::Fd file(::openat(dir.fd(), name, O_WRONLY | O_CREAT | O_TRUNC | O_NOFOLLOW | O_CLOEXEC,
                              kRecordFileMode));
    if (file.get() < 0)
        throw FileError::fromErrno(pathForErrors, errno, FileError::Action::Write);
    if (::fchmod(file.get(), kRecordFileMode) != 0)
        throw FileError::fromErrno(pathForErrors, errno, FileError::Action::Write);
    posixio::writeAll(file.get(), bytes, pathForErrors);
    posixio::syncOrThrow(file.get(), pathForErrors, FileError::Action::Write);
    file.close(pathForErrors, FileError::Action::Write);
}

void writePair(const LockedDir &dir, const QString &scoreText, const QString &name)
{
    try {
        writeTemporary(dir, kHolderTempFile, toCodePage(name) + kLineEnd, dir.holderPath());
        writeTemporary(dir, kScoreTempFile, toCodePage(scoreText) + kLineEnd, dir.scorePath());
        dir.sync();
        posixio::renameAt(dir.fd(), kScoreTempFile, kCommitFile, dir.scorePath());
    } catch (const FileError &) {
        posixio::unlinkQuietly(dir.fd(), kHolderTempFile);
        posixio::unlinkQuietly(dir.fd(), kScoreTempFile);
        throw;
    }
    try {
        dir.sync();
        posixio::renameAt(dir.fd(), kHolderTempFile, kHolderFile, dir.holderPath());
    } catch (const FileError &) {
        // Nothing visible has changed yet: undo the commit.
        posixio::unlinkQuietly(dir.fd(), kCommitFile);
        posixio::unlinkQuietly(dir.fd(), kHolderTempFile);
        throw;
    }
    // The new name is in place: from here on only rolling forward keeps the
    // pair consistent, which recovery does if this rename fails.
    posixio::renameAt(dir.fd(), kCommitFile, kScoreFile, dir.scorePath());
    dir.sync();
}

} // namespace

void recoverPendingRecord(const QString &dirwin)
{
    const LockedDir dir(dirwin);
    recoverLocked(dir);
}

bool storeIfRecord(const QString &dirwin, const QString &scoreText, const QString &name)
{
    const std::optional<double> score = scoreValue(scoreText);
    if (!score || *score <= 0.0)
        return false; // nothing could be stored: no need to touch the disk

    const LockedDir dir(dirwin);
    recoverLocked(dir);
    if (storedRecord(dir) >= *score)
        return false;
    writePair(dir, scoreText, name);
    return true;
}

} // namespace angoli
