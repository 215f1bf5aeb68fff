// Whatever a school computer leaves where the records live, a game either
// starts and shows the stored text, or shows a clear message naming the file
// and the system's reason and ends cleanly. It never crashes or hangs, and it
// changes no file unless a record was legitimately set.
//
// Each row plays a whole game in a child process: start-up on the fakes of
// tests/support, then the exit with a given score. When the test runs as
// root, the child becomes uid/gid 65534 ('nobody') first, so file permissions
// are really enforced, as they are for a pupil. Full file systems are small
// tmpfs mounts in a mount namespace of this test's own, so none outlives it.

#include "game/caption.h"
#include "game/form1.h"
#include "platform/codepage.h"
#include "records/recordfiles.h"
#include "records/systemdir.h"
#include "support/child.h"
#include "support/fakes.h"

#include <QApplication>
#include <QDataStream>
#include <QDir>
#include <QDirIterator>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QtTest>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <grp.h>
#include <poll.h>
#include <sched.h>
#include <signal.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace angoli;
using namespace angoli::test;

namespace
{

constexpr int kRowTimeoutMs = 20000; // a row that takes longer has hung
constexpr qint64 kHugeFileBytes = 100 * 1024 * 1024;
constexpr qint64 kHashedFileLimit = 1024 * 1024; // bigger files are compared by size and time
constexpr char kSmallDisk[] = "size=64k";
constexpr char kFewInodes[] = "size=64k,nr_inodes=8";
constexpr int kFillerBytes = 4096; // one page of tmpfs

const QByteArray kAbsent("<absent>"); // what contentOf gives for a missing file
const QString kRecordMessage = QStringLiteral("Ok ho registrato il tuo record, C A M P I O N E");

bool g_privateMounts = false; // set by main when the test has its own mount namespace

// How the sandbox is prepared around the two record files.
enum class Setup {
    Plain,
    ScoreIsDirectory,
    ScoreDanglingLink,
    ScoreLinkElsewhere,
    ScoreLinkToDevice,
    ScoreFifo,
    ScoreReadOnly,
    ScoreOtherOwnerReadable,
    ScoreOtherOwnerUnreadable,
    HugeSparseScore,
    HugeSparseHolder,
    DirMissing,
    DirMissingParentReadOnly,
    DirReadOnly,
    DirIsFile,
    DiskFull,
    DiskFullButOnePage,
    NoInodeLeft,
};

enum class Outcome {
    Kept,         // the game plays; the exit stores nothing
    RecordSet,    // the game plays; the exit stores the new record
    StartUpFails, // a message at start-up, then the end
    ExitFails,    // the game plays; the exit shows a message and ends
};

struct Row {
    Setup setup = Setup::Plain;
    QByteArray score{};  // ange.txt before; a null array: no file
    QByteArray holder{}; // nange.txt before
    QString name = QStringLiteral("Dode");
    QString exitScore = QStringLiteral("0");
    Outcome outcome = Outcome::Kept;
    QByteArray storedName{}; // nange.txt after a record; null: the name in Windows-1252 + CR LF
    QString blamed{};        // for a failure: the path, below the sandbox, that the message names
    int reason = 0;          // and the errno whose text it gives
};

// Where the game ended, as the child reports it.
constexpr int kNeverEnded = 0;
constexpr int kEndedAtStartUp = 1;
constexpr int kEndedAtExit = 2;

// What the child saw of its game.
struct Played {
    int endedIn = kNeverEnded;
    int endCalls = 0;
    QStringList messages;
    QString shownScore;
    QString shownHolder;
};

QDataStream &operator<<(QDataStream &out, const Played &p)
{
    return out << p.endedIn << p.endCalls << p.messages << p.shownScore << p.shownHolder;
}
QDataStream &operator>>(QDataStream &in, Played &p)
{
    return in >> p.endedIn >> p.endCalls >> p.messages >> p.shownScore >> p.shownHolder;
}

bool isRoot()
{
    return ::geteuid() == 0;
}

QByteArray native(const QString &path)
{
    return QFile::encodeName(path);
}

// The content of path without following a link: bytes for an ordinary file,
// a description for anything else. Huge files are told apart by size and
// modification time, which any write changes.
QByteArray contentOf(const QString &path)
{
    struct stat info {
    };
    if (::lstat(native(path).constData(), &info) != 0)
        return kAbsent;
    if (S_ISLNK(info.st_mode))
        return "<link to " + QFile::encodeName(QFile::symLinkTarget(path)) + ">";
    if (S_ISDIR(info.st_mode))
        return "<directory>";
    if (!S_ISREG(info.st_mode))
        return "<special file>";
    if (info.st_size > kHashedFileLimit) {
        return QStringLiteral("<%1 bytes modified at %2.%3>")
            .arg(info.st_size)
            .arg(info.st_mtim.tv_sec)
            .arg(info.st_mtim.tv_nsec)
            .toUtf8();
    }
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

// Every entry below root but the excluded ones, with its owner, mode and
// content, one line each, in order.
QStringList snapshot(const QString &root, const QStringList &excluded)
{
    QStringList entries;
    QDirIterator it(root, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        struct stat info {
        };
        if (::lstat(native(path).constData(), &info) != 0)
            continue;
        const QString name = QDir(root).relativeFilePath(path);
        if (excluded.contains(name))
            continue;
        entries.append(QStringLiteral("%1 %2:%3 %4 %5")
                           .arg(name)
                           .arg(info.st_uid)
                           .arg(info.st_gid)
                           .arg(info.st_mode & 07777, 4, 8, QLatin1Char('0'))
                           .arg(QString::fromLatin1(contentOf(path).toPercentEncoding())));
    }
    entries.sort();
    return entries;
}

// What a label shows of the file behind path: its first bytes, decoded.
QString shownText(const QString &path)
{
    struct stat info {
    };
    if (::stat(native(path).constData(), &info) != 0 || !S_ISREG(info.st_mode))
        return QString(); // the game never gets as far as showing it
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QString();
    return fromCodePage(file.read(kRecordReadLimit));
}

// One game in the child: start-up, then the exit with exitScore.
Played playOneGame(const QString &root, const QString &name, const QString &exitScore)
{
    FakeWorld world;
    const QString shared = root + QStringLiteral("/shared");
    const QString xdg = root + QStringLiteral("/xdg");
    // The real directory choice, on the row's sandbox: no shared directory.
    const auto systemDir = [=] { return systemDirFor(shared, xdg, root); };
    const Services services{world.dialogs, world.timer, world.time,
                            world.random,  world.end,   systemDir};
    Form1 form(services);
    world.dialogs.names = {name};
    Played played;
    try {
        form.Form_Load();
        played.shownScore = form.lbl("lblpunti")->caption();
        played.shownHolder = form.lbl("lblnome")->caption();
        form.lbl("lblScore")->setCaption(exitScore);
        try {
            form.Cmdexit1_Click();
        } catch (const ProgramEnded &) {
            played.endedIn = kEndedAtExit;
        }
    } catch (const ProgramEnded &) {
        played.endedIn = kEndedAtStartUp;
    }
    played.endCalls = world.end.calls;
    for (const Shown &shown : world.dialogs.messages)
        played.messages.append(shown.prompt);
    return played;
}

struct ChildRun {
    int status = -1; // exit code, or minus the signal that ended the child
    bool hung = false;
    Played played;
};

ChildRun playInChild(const QString &root, const QString &name, const QString &exitScore)
{
    int fds[2];
    if (::pipe2(fds, O_CLOEXEC) != 0)
        return {};
    std::fflush(nullptr);
    const pid_t pid = ::fork();
    if (pid == 0) {
        ::close(fds[0]);
        int code = kChildFailed;
        try {
            if (!dropPrivileges()) {
                code = kCannotDropPrivileges;
            } else {
                QByteArray bytes;
                QDataStream out(&bytes, QIODevice::WriteOnly);
                out << playOneGame(root, name, exitScore);
                for (qsizetype done = 0; done < bytes.size();) {
                    const ssize_t step =
                        ::write(fds[1], bytes.constData() + done, std::size_t(bytes.size() - done));
                    if (step <= 0)
                        ::_exit(kChildFailed);
                    done += step;
                }
                code = 0;
            }
        } catch (...) {
        }
        ::_exit(code);
    }
    ::close(fds[1]);
    ChildRun run;
    QByteArray bytes;
    QElapsedTimer clock;
    clock.start();
    for (;;) {
        const qint64 left = kRowTimeoutMs - clock.elapsed();
        pollfd readable{fds[0], POLLIN, 0};
        const int ready = left > 0 ? ::poll(&readable, 1, int(left)) : 0;
        if (ready < 0 && errno == EINTR)
            continue;
        if (ready == 0) {
            run.hung = true;
            ::kill(pid, SIGKILL);
            break;
        }
        char buffer[65536];
        const ssize_t got = ::read(fds[0], buffer, sizeof buffer);
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0)
            break;
        bytes.append(buffer, got);
    }
    ::close(fds[0]);
    run.status = statusOf(pid);
    QDataStream in(bytes);
    in >> run.played;
    return run;
}

} // namespace

Q_DECLARE_METATYPE(Row)

class tst_BadInput : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();
    void cleanupTestCase();
    // Each row: start-up, then the exit; the outcome, the messages and every
    // file of the sandbox afterwards are checked.
    void startUpAndExit_data();
    void startUpAndExit();

private:
    QString recordDir() const { return m_root->filePath(QStringLiteral("xdg/angoli")); }
    QString recordFile(const char *name) const
    {
        return recordDir() + u'/' + QString::fromLatin1(name);
    }
    void prepare(const Row &row);
    void mountSmallDisk(const char *options);
    void fillDisk(bool inodes);
    void giveToPlayer(const QString &path);

    std::unique_ptr<QTemporaryDir> m_root;
    QString m_mounted;
    QString m_skipReason; // set by prepare when this machine cannot make the row's setup
    int m_rows = 0;
    int m_skipped = 0;
};

void tst_BadInput::init()
{
    m_root = std::make_unique<QTemporaryDir>();
    QVERIFY(m_root->isValid());
    // The player must reach the sandbox; what lies below decides the rest.
    QVERIFY(::chmod(native(m_root->path()).constData(), 0755) == 0);
}

void tst_BadInput::cleanup()
{
    if (!m_mounted.isEmpty())
        ::umount2(native(m_mounted).constData(), MNT_DETACH);
    m_mounted.clear();
    // Give every directory back to its owner so the sandbox can be removed.
    QDirIterator it(m_root->path(), QDir::Dirs | QDir::Hidden | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext())
        ::chmod(native(it.next()).constData(), 0755);
    m_root.reset();
}

void tst_BadInput::cleanupTestCase()
{
    qInfo("bad inputs: %d rows tried, %d skipped; small disks mounted %s", m_rows, m_skipped,
          g_privateMounts ? "in a mount namespace of the test's own" : "where the test runs");
}

void tst_BadInput::giveToPlayer(const QString &path)
{
    if (isRoot())
        QVERIFY2(::lchown(native(path).constData(), kNobody, kNobody) == 0, qPrintable(path));
}

void tst_BadInput::mountSmallDisk(const char *options)
{
    if (!isRoot()) {
        m_skipReason = QStringLiteral("mounting a small tmpfs needs root");
        return;
    }
    const QByteArray data = QByteArray(options) + ",mode=0700,uid=" + QByteArray::number(kNobody) +
                            ",gid=" + QByteArray::number(kNobody);
    QVERIFY(QDir().mkpath(recordDir()));
    if (::mount("angoli-test", native(recordDir()).constData(), "tmpfs", 0, data.constData()) !=
        0) {
        m_skipReason = QStringLiteral("this machine cannot mount a tmpfs: %1")
                           .arg(QString::fromLocal8Bit(std::strerror(errno)));
        return;
    }
    m_mounted = recordDir();
}

// Fills the small disk with one-page files until it refuses more pages, or
// with empty files until it refuses more inodes.
void tst_BadInput::fillDisk(bool inodes)
{
    const QByteArray page(inodes ? 0 : kFillerBytes, 'x');
    for (int n = 0;; ++n) {
        const QByteArray path = native(recordDir() + QStringLiteral("/filler%1").arg(n));
        const int fd = ::open(path.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
        if (fd < 0) {
            QCOMPARE(errno, ENOSPC);
            return;
        }
        const ssize_t written = ::write(fd, page.constData(), std::size_t(page.size()));
        ::close(fd);
        if (written != page.size()) {
            ::unlink(path.constData());
            return;
        }
    }
}

void tst_BadInput::prepare(const Row &row)
{
    const QString xdg = m_root->filePath(QStringLiteral("xdg"));
    const QString elsewhere = m_root->filePath(QStringLiteral("elsewhere"));
    QVERIFY(QDir().mkpath(xdg));
    QVERIFY(QDir().mkpath(elsewhere));
    giveToPlayer(xdg);
    QVERIFY(::chmod(native(xdg).constData(), 0700) == 0);

    switch (row.setup) {
    case Setup::DiskFull:
    case Setup::DiskFullButOnePage:
        mountSmallDisk(kSmallDisk);
        break;
    case Setup::NoInodeLeft:
        mountSmallDisk(kFewInodes);
        break;
    case Setup::DirMissing:
    case Setup::DirMissingParentReadOnly:
        break;
    case Setup::DirIsFile: {
        QFile blocker(recordDir());
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        blocker.write("not a directory\n");
        break;
    }
    default:
        QVERIFY(QDir().mkpath(recordDir()));
        giveToPlayer(recordDir());
        QVERIFY(::chmod(native(recordDir()).constData(), 0700) == 0);
    }
    if (QTest::currentTestFailed() || !m_skipReason.isEmpty())
        return;

    const auto place = [&](const char *name, const QByteArray &bytes) {
        if (bytes.isNull())
            return;
        QFile file(recordFile(name));
        QVERIFY2(file.open(QIODevice::WriteOnly), qPrintable(file.fileName()));
        QCOMPARE(file.write(bytes), bytes.size());
        file.close();
        giveToPlayer(file.fileName());
    };
    place(kScoreFile, row.score);
    place(kHolderFile, row.holder);

    const QByteArray score = native(recordFile(kScoreFile));
    switch (row.setup) {
    case Setup::ScoreIsDirectory:
        QVERIFY(QDir().mkpath(recordFile(kScoreFile)));
        break;
    case Setup::ScoreDanglingLink:
        QVERIFY(::symlink("../../elsewhere/missing.txt", score.constData()) == 0);
        break;
    case Setup::ScoreLinkElsewhere: {
        QFile target(elsewhere + QStringLiteral("/score.txt"));
        QVERIFY(target.open(QIODevice::WriteOnly));
        target.write("7\r\n");
        QVERIFY(::symlink("../../elsewhere/score.txt", score.constData()) == 0);
        break;
    }
    case Setup::ScoreLinkToDevice:
        QVERIFY(::symlink("/dev/zero", score.constData()) == 0);
        break;
    case Setup::ScoreFifo:
        QVERIFY(::mkfifo(score.constData(), 0644) == 0);
        giveToPlayer(recordFile(kScoreFile));
        break;
    case Setup::ScoreReadOnly:
        QVERIFY(::chmod(score.constData(), 0444) == 0);
        break;
    case Setup::ScoreOtherOwnerReadable:
    case Setup::ScoreOtherOwnerUnreadable:
        if (!isRoot()) {
            m_skipReason = QStringLiteral("giving a file to another user needs root");
            return;
        }
        QVERIFY(::chown(score.constData(), 0, 0) == 0);
        QVERIFY(::chmod(score.constData(),
                        row.setup == Setup::ScoreOtherOwnerReadable ? 0644 : 0600) == 0);
        break;
    case Setup::HugeSparseScore:
    case Setup::HugeSparseHolder: {
        // Sparse: 100 MB of NULs that take no room on the disk.
        const char *huge = row.setup == Setup::HugeSparseScore ? kScoreFile : kHolderFile;
        place(huge, QByteArray(""));
        QVERIFY(::truncate(native(recordFile(huge)).constData(), kHugeFileBytes) == 0);
        break;
    }
    case Setup::DirMissingParentReadOnly:
        QVERIFY(::chmod(native(xdg).constData(), 0555) == 0);
        break;
    case Setup::DirReadOnly:
        QVERIFY(::chmod(native(recordDir()).constData(), 0555) == 0);
        break;
    case Setup::DiskFull:
        fillDisk(false);
        break;
    case Setup::DiskFullButOnePage:
        fillDisk(false);
        QVERIFY(QFile::remove(recordDir() + QStringLiteral("/filler0")));
        break;
    case Setup::NoInodeLeft:
        fillDisk(true);
        break;
    default:
        break;
    }
}

void tst_BadInput::startUpAndExit_data()
{
    QTest::addColumn<Row>("row");
    const QByteArray ada("Ada\r\n");
    QByteArray allBytes(256, Qt::Uninitialized);
    for (int b = 0; b < 256; ++b)
        allBytes[b] = char(b);

    // Score files a hand edit or another program may leave. The stored number
    // is Val of the text: what does not start with a number is 0.
    QTest::newRow("empty files, score 0: a score of 0 is never a record")
        << Row{.score = "", .holder = ""};
    QTest::newRow("empty files, score 3: a record")
        << Row{.score = "", .holder = "", .exitScore = "3", .outcome = Outcome::RecordSet};
    QTest::newRow("no files yet, score 0: both created empty")
        << Row{.exitScore = "0", .outcome = Outcome::Kept};
    QTest::newRow("garbage counts as 0")
        << Row{.score = "abc\r\n", .holder = ada, .exitScore = "1", .outcome = Outcome::RecordSet};
    QTest::newRow("every byte value counts as 0")
        << Row{.score = allBytes, .holder = ada, .exitScore = "1", .outcome = Outcome::RecordSet};
    QTest::newRow("NULs count as 0") << Row{.score = QByteArray(16, '\0'),
                                            .holder = ada,
                                            .exitScore = "1",
                                            .outcome = Outcome::RecordSet};
    QTest::newRow("a NUL ends the number: 7, a tie")
        << Row{.score = QByteArray("7\0\0009", 4), .holder = ada, .exitScore = "7"};
    // A negative stored score is a number below every score a game can reach:
    // any score of 1 or more beats it, and 0 still is never a record.
    QTest::newRow("-5, score 0: still no record") << Row{.score = "-5\r\n", .holder = ada};
    QTest::newRow("-5, score 1: a record")
        << Row{.score = "-5\r\n", .holder = ada, .exitScore = "1", .outcome = Outcome::RecordSet};
    QTest::newRow("12.5, score 12: below it")
        << Row{.score = "12.5\r\n", .holder = ada, .exitScore = "12"};
    QTest::newRow("12.5, score 13: a record") << Row{
        .score = "12.5\r\n", .holder = ada, .exitScore = "13", .outcome = Outcome::RecordSet};
    QTest::newRow("1e3 reads as 1000, score 999: below it")
        << Row{.score = "1e3\r\n", .holder = ada, .exitScore = "999"};
    QTest::newRow("1e3, score 1001: a record") << Row{
        .score = "1e3\r\n", .holder = ada, .exitScore = "1001", .outcome = Outcome::RecordSet};
    QTest::newRow("' 12': the blank is skipped, 12 is a tie")
        << Row{.score = " 12\r\n", .holder = ada, .exitScore = "12"};
    QTest::newRow("CR alone counts as 0")
        << Row{.score = "\r", .holder = "\r", .exitScore = "1", .outcome = Outcome::RecordSet};
    QTest::newRow("LF alone counts as 0")
        << Row{.score = "\n", .holder = "\n", .exitScore = "1", .outcome = Outcome::RecordSet};
    QTest::newRow("ended by CR alone: 12, a tie")
        << Row{.score = "12\r", .holder = "Ada\r", .exitScore = "12"};
    QTest::newRow("ended by LF alone: 12, a tie")
        << Row{.score = "12\n", .holder = "Ada\n", .exitScore = "12"};
    QTest::newRow("no line break: 12, 13 beats it")
        << Row{.score = "12", .holder = "Ada", .exitScore = "13", .outcome = Outcome::RecordSet};
    QTest::newRow("two lines: the first number counts") << Row{.score = "7\r\n99\r\n",
                                                               .holder = "Ada\r\nEva\r\n",
                                                               .exitScore = "8",
                                                               .outcome = Outcome::RecordSet};
    QTest::newRow("holder file of every byte value is shown as it is")
        << Row{.score = "5\r\n", .holder = allBytes, .exitScore = "2"};
    QTest::newRow("100 MB score file: 64 KiB shown, kept")
        << Row{.setup = Setup::HugeSparseScore, .holder = ada};
    QTest::newRow("100 MB score file of NULs counts as 0") << Row{.setup = Setup::HugeSparseScore,
                                                                  .holder = ada,
                                                                  .exitScore = "3",
                                                                  .outcome = Outcome::RecordSet};
    QTest::newRow("100 MB holder file: 64 KiB shown")
        << Row{.setup = Setup::HugeSparseHolder, .score = "5\r\n", .exitScore = "2"};

    // ange.txt that is not an ordinary file of the player.
    QTest::newRow("ange.txt is a directory") << Row{.setup = Setup::ScoreIsDirectory,
                                                    .holder = ada,
                                                    .outcome = Outcome::StartUpFails,
                                                    .blamed = "xdg/angoli/ange.txt",
                                                    .reason = EISDIR};
    QTest::newRow("ange.txt is a dangling link") << Row{.setup = Setup::ScoreDanglingLink,
                                                        .holder = ada,
                                                        .outcome = Outcome::StartUpFails,
                                                        .blamed = "xdg/angoli/ange.txt",
                                                        .reason = ENOENT};
    QTest::newRow("ange.txt links to /dev/zero: no endless read")
        << Row{.setup = Setup::ScoreLinkToDevice,
               .holder = ada,
               .outcome = Outcome::StartUpFails,
               .blamed = "xdg/angoli/ange.txt",
               .reason = EINVAL};
    QTest::newRow("ange.txt is a FIFO: no wait for a writer")
        << Row{.setup = Setup::ScoreFifo,
               .holder = ada,
               .outcome = Outcome::StartUpFails,
               .blamed = "xdg/angoli/ange.txt",
               .reason = EINVAL};
    // A record replaces the link itself: the file it pointed to is left alone.
    QTest::newRow("ange.txt links elsewhere: read through, the target never written")
        << Row{.setup = Setup::ScoreLinkElsewhere,
               .holder = ada,
               .exitScore = "9",
               .outcome = Outcome::RecordSet};
    // The directory's permission decides whether a record can be stored: the
    // files are replaced, never written in place.
    QTest::newRow("ange.txt read-only, in the player's directory: replaced by a record")
        << Row{.setup = Setup::ScoreReadOnly,
               .score = "5\r\n",
               .holder = ada,
               .exitScore = "9",
               .outcome = Outcome::RecordSet};
    QTest::newRow("ange.txt of another user, readable: replaced by a record")
        << Row{.setup = Setup::ScoreOtherOwnerReadable,
               .score = "5\r\n",
               .holder = ada,
               .exitScore = "9",
               .outcome = Outcome::RecordSet};
    QTest::newRow("ange.txt of another user, unreadable")
        << Row{.setup = Setup::ScoreOtherOwnerUnreadable,
               .score = "5\r\n",
               .holder = ada,
               .outcome = Outcome::StartUpFails,
               .blamed = "xdg/angoli/ange.txt",
               .reason = EACCES};

    // The record directory.
    QTest::newRow("directory missing: created, first run")
        << Row{.setup = Setup::DirMissing, .exitScore = "3", .outcome = Outcome::RecordSet};
    QTest::newRow("directory missing, cannot be created")
        << Row{.setup = Setup::DirMissingParentReadOnly,
               .outcome = Outcome::StartUpFails,
               .blamed = "xdg/angoli",
               .reason = EACCES};
    QTest::newRow("directory is a regular file") << Row{.setup = Setup::DirIsFile,
                                                        .outcome = Outcome::StartUpFails,
                                                        .blamed = "xdg/angoli",
                                                        .reason = ENOTDIR};
    QTest::newRow("directory read-only, files missing") << Row{.setup = Setup::DirReadOnly,
                                                               .outcome = Outcome::StartUpFails,
                                                               .blamed = "xdg/angoli/ange.txt",
                                                               .reason = EACCES};
    QTest::newRow("directory read-only, no record: plays to the end")
        << Row{.setup = Setup::DirReadOnly, .score = "5\r\n", .holder = ada, .exitScore = "2"};
    QTest::newRow("directory read-only, a record cannot be stored")
        << Row{.setup = Setup::DirReadOnly,
               .score = "5\r\n",
               .holder = ada,
               .exitScore = "9",
               .outcome = Outcome::ExitFails,
               .blamed = "xdg/angoli/nange.txt",
               .reason = EACCES};
    QTest::newRow("full disk, no record: plays to the end")
        << Row{.setup = Setup::DiskFull, .score = "5\r\n", .holder = ada, .exitScore = "2"};
    QTest::newRow("full disk, a record cannot be stored") << Row{.setup = Setup::DiskFull,
                                                                 .score = "5\r\n",
                                                                 .holder = ada,
                                                                 .exitScore = "9",
                                                                 .outcome = Outcome::ExitFails,
                                                                 .blamed = "xdg/angoli/nange.txt",
                                                                 .reason = ENOSPC};
    QTest::newRow("full disk, first run: empty files fit, the record does not")
        << Row{.setup = Setup::DiskFull,
               .exitScore = "3",
               .outcome = Outcome::ExitFails,
               .blamed = "xdg/angoli/nange.txt",
               .reason = ENOSPC};
    QTest::newRow("disk with room for the name only") << Row{.setup = Setup::DiskFullButOnePage,
                                                             .score = "5\r\n",
                                                             .holder = ada,
                                                             .exitScore = "9",
                                                             .outcome = Outcome::ExitFails,
                                                             .blamed = "xdg/angoli/ange.txt",
                                                             .reason = ENOSPC};
    QTest::newRow("no inode left, first run") << Row{.setup = Setup::NoInodeLeft,
                                                     .outcome = Outcome::StartUpFails,
                                                     .blamed = "xdg/angoli/ange.txt",
                                                     .reason = ENOSPC};

    // Names as typed; characters outside Windows-1252 are stored as '?'.
    QTest::newRow("empty name") << Row{
        .name = "", .exitScore = "3", .outcome = Outcome::RecordSet, .storedName = "\r\n"};
    QTest::newRow("blank name") << Row{
        .name = "   ", .exitScore = "3", .outcome = Outcome::RecordSet, .storedName = "   \r\n"};
    QTest::newRow("254-character name")
        << Row{.name = QStringLiteral("Niccolò ").repeated(32).left(254),
               .exitScore = "3",
               .outcome = Outcome::RecordSet,
               .storedName = QByteArray("Niccol\xf2 ").repeated(32).left(254) + "\r\n"};
    QTest::newRow("name outside Windows-1252") << Row{.name = QStringLiteral("Zoë Ωμέγα 日本 😀 €"),
                                                      .exitScore = "3",
                                                      .outcome = Outcome::RecordSet,
                                                      .storedName = "Zo\xeb ????? ?? ? \x80\r\n"};
}

void tst_BadInput::startUpAndExit()
{
    QFETCH(Row, row);
    ++m_rows;
    m_skipReason.clear();
    prepare(row);
    if (QTest::currentTestFailed())
        return;
    if (!m_skipReason.isEmpty()) {
        ++m_skipped;
        QSKIP(qPrintable(m_skipReason));
    }

    const QString root = m_root->path();
    // The record files are checked on their own; a missing directory may be created.
    QStringList excluded{QStringLiteral("xdg/angoli/ange.txt"),
                         QStringLiteral("xdg/angoli/nange.txt")};
    if (row.setup == Setup::DirMissing)
        excluded.append(QStringLiteral("xdg/angoli"));
    const QStringList before = snapshot(root, excluded);
    const QByteArray scoreBefore = contentOf(recordFile(kScoreFile));
    const QByteArray holderBefore = contentOf(recordFile(kHolderFile));
    const QString scoreShown = shownText(recordFile(kScoreFile));
    const QString holderShown = shownText(recordFile(kHolderFile));

    const ChildRun run = playInChild(root, row.name, row.exitScore);
    QVERIFY2(!run.hung, "the game hung");
    if (run.status == kCannotDropPrivileges) {
        ++m_skipped;
        QSKIP("cannot switch the child to uid/gid 65534, so permissions cannot be enforced");
    }
    QVERIFY2(run.status == 0,
             qPrintable(QStringLiteral("the game crashed or failed (status %1)").arg(run.status)));
    const Played &played = run.played;
    QCOMPARE(played.endCalls, 1);

    const bool startsUp = row.outcome != Outcome::StartUpFails;
    QCOMPARE(played.endedIn, startsUp ? kEndedAtExit : kEndedAtStartUp);
    const QString greeting =
        QLatin1Char(' ') + row.name + QStringLiteral(" vediamo se sei un vero campione  ");
    QStringList expected{greeting};
    if (startsUp) {
        // The game shows the stored text unchanged, cut at the label's limit.
        QCOMPARE(played.shownScore, scoreShown);
        QCOMPARE(played.shownHolder, holderShown);
        QVERIFY(played.shownScore.size() <= kRecordReadLimit);
        expected.append(QStringLiteral("Ciao a presto ") + row.name);
    }
    if (row.outcome == Outcome::RecordSet)
        expected.append(kRecordMessage);
    if (row.outcome == Outcome::StartUpFails || row.outcome == Outcome::ExitFails) {
        QCOMPARE(played.messages.size(), expected.size() + 1);
        // The message names the file and gives the system's reason.
        QString message = played.messages.last();
        message.replace(QStringLiteral("//"), QStringLiteral("/"));
        const QString blamed = root + u'/' + row.blamed;
        const QString reason = QString::fromLocal8Bit(std::strerror(row.reason));
        QVERIFY2(message.contains(blamed + QStringLiteral(": ") + reason), qPrintable(message));
        QCOMPARE(played.messages.mid(0, expected.size()), expected);
    } else {
        QCOMPARE(played.messages, expected);
    }

    // The record files: replaced by a legitimate record, otherwise as they were
    // (a missing file is created empty once start-up gets that far).
    QByteArray scoreAfter = scoreBefore;
    QByteArray holderAfter = holderBefore;
    if (startsUp && scoreAfter == kAbsent)
        scoreAfter = "";
    if (startsUp && holderAfter == kAbsent)
        holderAfter = "";
    if (row.outcome == Outcome::RecordSet) {
        scoreAfter = row.exitScore.toLatin1() + "\r\n";
        holderAfter = row.storedName.isNull() ? toCodePage(row.name) + "\r\n" : row.storedName;
    }
    QCOMPARE(contentOf(recordFile(kScoreFile)), scoreAfter);
    QCOMPARE(contentOf(recordFile(kHolderFile)), holderAfter);

    // Nothing else in the sandbox changed: no work file left behind, no
    // file written through a link, no mode or owner changed.
    QCOMPARE(snapshot(root, excluded), before);
}

// The test's own main: it enters a mount namespace of its own before Qt
// starts any thread, so a tmpfs mounted by a row can never outlive the test.
int main(int argc, char *argv[])
{
    if (isRoot() && ::unshare(CLONE_NEWNS) == 0 &&
        ::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) == 0)
        g_privateMounts = true;
    QApplication app(argc, argv);
    tst_BadInput test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}

#include "tst_badinput.moc"
