// Faults the record update must survive: a process killed at any instant, two
// games finishing together, a directory the player may not write, a disk
// that fails half-way. Each fault is real, made in a child process.

#include "platform/codepage.h"
#include "platform/fileerror.h"
#include "records/recordfiles.h"
#include "records/recordstore.h"
#include "records/systemdir.h"
#include "support/child.h"
#include "support/files.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>

#include <algorithm>
#include <functional>
#include <grp.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace angoli;
using namespace angoli::test;

namespace
{

constexpr int kKillIterations = 200;
constexpr qint64 kKillTestBudgetMs = 15000;
constexpr int kRaceRounds = 40;

struct ChildResult {
    int status = -1; // exit code, or minus the signal that ended the child
    QByteArray output;
};

// Runs body in a forked child; body writes what the parent should see to the
// descriptor it is given and returns the exit code.
ChildResult runChild(const std::function<int(int)> &body)
{
    int fds[2];
    if (::pipe(fds) != 0)
        return {};
    std::fflush(nullptr);
    const pid_t pid = ::fork();
    if (pid == 0) {
        ::close(fds[0]);
        int code = kChildFailed;
        try {
            code = body(fds[1]);
        } catch (...) {
        }
        ::_exit(code);
    }
    ::close(fds[1]);
    ChildResult result;
    char buffer[512];
    for (;;) {
        const ssize_t got = ::read(fds[0], buffer, sizeof buffer);
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0)
            break;
        result.output.append(buffer, got);
    }
    ::close(fds[0]);
    result.status = statusOf(pid);
    return result;
}

void send(int fd, const QString &text)
{
    const QByteArray bytes = text.toUtf8();
    [[maybe_unused]] const ssize_t written = ::write(fd, bytes.constData(), bytes.size());
}

// Runs action in the child and reports the FileError it must raise.
int expectFileError(int out, const std::function<void()> &action)
{
    try {
        action();
    } catch (const FileError &error) {
        send(out, error.message());
        return 0;
    }
    send(out, QStringLiteral("no error raised"));
    return 1;
}

QString playerName(qint64 score)
{
    return QStringLiteral("Giocatore n° %1 è qui").arg(score);
}

} // namespace

class TestRecordFaults : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();
    // SIGKILL at a random instant of an update, again and again: after
    // recovery both files are whole and come from the same update, and no
    // completed record is ever lost.
    void killedAtAnyInstant();
    // Two games storing different scores, in either order or together, keep
    // the higher one with its own name.
    void twoGamesKeepTheHigher_data();
    void twoGamesKeepTheHigher();
    // Without permission the operation raises FileError naming the record
    // file and leaves the directory as it was.
    void unwritableDirectory_data();
    void unwritableDirectory();
    // A disk that refuses to grow the files half-way through an update
    // leaves the previous record in place and no temporaries.
    void diskFailsHalfWay_data();
    void diskFailsHalfWay();
    // A shared directory this user may not write is passed over for the
    // user's own data directory.
    void sharedDirectoryNotWritable();

private:
    QString dirwin() const { return m_dir->path() + u'/'; }
    QString filePath(const char *name) const { return m_dir->filePath(QString::fromLatin1(name)); }

    std::unique_ptr<QTemporaryDir> m_dir;
};

void TestRecordFaults::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
}

void TestRecordFaults::cleanup()
{
    // Give the directory back to its owner so it can be removed.
    ::chmod(QFile::encodeName(m_dir->path()).constData(), 0700);
    m_dir.reset();
}

void TestRecordFaults::killedAtAnyInstant()
{
    createIfMissing(recordPath(dirwin(), kScoreFile));
    createIfMissing(recordPath(dirwin(), kHolderFile));

    // Kill delays are spread over a few updates' time on this disk.
    constexpr int kWarmUpdates = 5;
    QElapsedTimer timer;
    timer.start();
    for (int score = 1; score <= kWarmUpdates; ++score)
        QVERIFY(storeIfRecord(dirwin(), QString::number(score), playerName(score)));
    const qint64 updateUs = timer.nsecsElapsed() / 1000 / kWarmUpdates;
    const quint32 maxDelayUs = quint32(std::clamp<qint64>(3 * updateUs, 200, 20000));

    const quint32 seed = QRandomGenerator::global()->generate();
    QRandomGenerator random(seed);
    qint64 lastScore = kWarmUpdates;
    int iterations = 0;
    int pendingSeen = 0;
    const QRegularExpression scoreLine(QStringLiteral("^([0-9]+)\r\n$"));
    timer.restart();

    for (; iterations < kKillIterations && timer.elapsed() < kKillTestBudgetMs; ++iterations) {
        const qint64 first = lastScore + 1;
        std::fflush(nullptr);
        const pid_t pid = ::fork();
        QVERIFY(pid >= 0);
        if (pid == 0) {
            try {
                for (qint64 score = first;; ++score)
                    storeIfRecord(dirwin(), QString::number(score), playerName(score));
            } catch (...) {
            }
            ::_exit(kChildFailed);
        }
        ::usleep(random.bounded(maxDelayUs));
        ::kill(pid, SIGKILL);
        QCOMPARE(statusOf(pid), -SIGKILL); // the child never stopped by itself

        if (QFile::exists(filePath(kCommitFile)) || QFile::exists(filePath(kScoreTempFile)) ||
            QFile::exists(filePath(kHolderTempFile)))
            ++pendingSeen;
        recoverPendingRecord(dirwin());

        const QString score = fromCodePage(bytesOf(filePath(kScoreFile)));
        const QByteArray holder = bytesOf(filePath(kHolderFile));
        const QRegularExpressionMatch match = scoreLine.match(score);
        QVERIFY2(
            match.hasMatch(),
            qPrintable(
                QStringLiteral("seed %1: score file %2").arg(seed).arg(score.toHtmlEscaped())));
        const qint64 stored = match.captured(1).toLongLong();
        QVERIFY2(stored >= lastScore,
                 qPrintable(QStringLiteral("seed %1: record went back").arg(seed)));
        QCOMPARE(holder, toCodePage(playerName(stored)) + "\r\n");
        QCOMPARE(entriesOf(m_dir->path()), QStringList({"ange.txt", "nange.txt"}));
        lastScore = stored;
    }
    qInfo("%d kills (seed %u, delays up to %u us): %d landed inside an update, record reached %lld",
          iterations, seed, maxDelayUs, pendingSeen, lastScore);
    QVERIFY2(lastScore > kWarmUpdates, "updates completed between the kills");
    QVERIFY2(pendingSeen > 0, "some kills interrupted an update, so recovery was exercised");
}

void TestRecordFaults::twoGamesKeepTheHigher_data()
{
    QTest::addColumn<int>("order"); // 0: lower first, 1: higher first, 2: together
    QTest::addColumn<int>("rounds");

    QTest::newRow("lower score first") << 0 << 1;
    QTest::newRow("higher score first") << 1 << 1;
    QTest::newRow("both at the same moment") << 2 << kRaceRounds;
}

void TestRecordFaults::twoGamesKeepTheHigher()
{
    QFETCH(int, order);
    QFETCH(int, rounds);

    const auto game = [this](const char *score, const char *name, int gate) {
        return [=, this](int) {
            char go = 0;
            if (gate >= 0 && ::read(gate, &go, 1) != 1)
                return kChildFailed;
            return storeIfRecord(dirwin(), QString::fromLatin1(score), QString::fromLatin1(name))
                       ? 1
                       : 0;
        };
    };

    for (int round = 0; round < rounds; ++round) {
        writeBytes(filePath(kScoreFile), "");
        writeBytes(filePath(kHolderFile), "");
        if (order == 0) {
            QCOMPARE(runChild(game("5", "cinque", -1)).status, 1);
            QCOMPARE(runChild(game("9", "nove", -1)).status, 1);
        } else if (order == 1) {
            QCOMPARE(runChild(game("9", "nove", -1)).status, 1);
            QCOMPARE(runChild(game("5", "cinque", -1)).status, 0); // 5 does not beat 9
        } else {
            int gate[2];
            QVERIFY(::pipe(gate) == 0);
            std::fflush(nullptr);
            const auto start = [&](const char *score, const char *name) {
                const pid_t pid = ::fork();
                if (pid == 0) {
                    ::close(gate[1]);
                    int code = kChildFailed;
                    try {
                        code = game(score, name, gate[0])(-1);
                    } catch (...) {
                    }
                    ::_exit(code);
                }
                return pid;
            };
            const pid_t low = start("5", "cinque");
            const pid_t high = start("9", "nove");
            ::close(gate[0]);
            QCOMPARE(::write(gate[1], "go", 2), ssize_t(2)); // release both at once
            ::close(gate[1]);
            const int lowStatus = statusOf(low);
            QVERIFY(lowStatus == 0 || lowStatus == 1);
            QCOMPARE(statusOf(high), 1); // 9 beats 0 and 5 alike
        }
        QCOMPARE(bytesOf(filePath(kScoreFile)), QByteArray("9\r\n"));
        QCOMPARE(bytesOf(filePath(kHolderFile)), QByteArray("nove\r\n"));
        QCOMPARE(entriesOf(m_dir->path()), QStringList({"ange.txt", "nange.txt"}));
    }
}

void TestRecordFaults::unwritableDirectory_data()
{
    QTest::addColumn<QString>("operation");
    QTest::addColumn<QString>("blocked"); // the record file the error must name

    QTest::newRow("store a record") << "store"
                                    << "nange.txt";
    QTest::newRow("store with an unreadable score file") << "store-unreadable"
                                                         << "ange.txt";
    QTest::newRow("create a missing file") << "create"
                                           << "nange.txt";
    QTest::newRow("read an unreadable file") << "read"
                                             << "ange.txt";
}

void TestRecordFaults::unwritableDirectory()
{
    QFETCH(QString, operation);
    QFETCH(QString, blocked);

    writeBytes(filePath(kScoreFile), "5\r\n");
    writeBytes(filePath(kHolderFile), "Ugo\r\n");
    if (operation == QLatin1String("create"))
        QVERIFY(QFile::remove(filePath(kHolderFile)));
    const QByteArray scoreBefore = bytesOf(filePath(kScoreFile));
    const QByteArray holderBefore = bytesOf(filePath(kHolderFile));
    if (operation == QLatin1String("read") || operation == QLatin1String("store-unreadable"))
        QVERIFY(QFile::setPermissions(filePath(kScoreFile), QFileDevice::Permissions()));
    const QStringList entriesBefore = entriesOf(m_dir->path());
    // Readable and searchable by everybody, writable by nobody.
    QVERIFY(::chmod(QFile::encodeName(m_dir->path()).constData(), 0555) == 0);

    const QString dir = dirwin();
    const ChildResult child = runChild([&](int out) {
        if (!dropPrivileges())
            return kCannotDropPrivileges;
        return expectFileError(out, [&] {
            if (operation.startsWith(QLatin1String("store")))
                storeIfRecord(dir, QStringLiteral("9"), QStringLiteral("Eva"));
            else if (operation == QLatin1String("create"))
                createIfMissing(recordPath(dir, kHolderFile));
            else
                Leggifiletxt(recordPath(dir, kScoreFile));
        });
    });
    if (child.status == kCannotDropPrivileges)
        QSKIP("cannot switch the child to uid/gid 65534, so permissions cannot be enforced");

    const QString message = QString::fromUtf8(child.output);
    QVERIFY2(child.status == 0, qPrintable(message));
    QVERIFY2(message.contains(dir + u'/' + blocked), qPrintable(message));
    QVERIFY2(message.contains(u':'), "the system's reason follows the file name");

    QVERIFY(::chmod(QFile::encodeName(m_dir->path()).constData(), 0700) == 0);
    QVERIFY(QFile::setPermissions(filePath(kScoreFile),
                                  QFileDevice::ReadOwner | QFileDevice::WriteOwner));
    QCOMPARE(entriesOf(m_dir->path()), entriesBefore);
    QCOMPARE(bytesOf(filePath(kScoreFile)), scoreBefore);
    QCOMPARE(bytesOf(filePath(kHolderFile)), holderBefore);
}

void TestRecordFaults::diskFailsHalfWay_data()
{
    QTest::addColumn<QString>("score");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("blocked");

    // Files may grow to 4 bytes: "Eleonora\r\n" does not fit; "Al\r\n" fits
    // but "12345\r\n" does not, so the name is written before the failure.
    QTest::newRow("name does not fit") << "9"
                                       << "Eleonora"
                                       << "nange.txt";
    QTest::newRow("score does not fit after the name") << "12345"
                                                       << "Al"
                                                       << "ange.txt";
}

void TestRecordFaults::diskFailsHalfWay()
{
    QFETCH(QString, score);
    QFETCH(QString, name);
    QFETCH(QString, blocked);
    constexpr rlim_t kFileSizeLimit = 4;

    writeBytes(filePath(kScoreFile), "5\r\n");
    writeBytes(filePath(kHolderFile), "Ugo\r\n");

    const QString dir = dirwin();
    const ChildResult child = runChild([&](int out) {
        ::signal(SIGXFSZ, SIG_IGN); // a refused write then fails with EFBIG
        const rlimit limit{kFileSizeLimit, kFileSizeLimit};
        if (::setrlimit(RLIMIT_FSIZE, &limit) != 0)
            return kChildFailed;
        return expectFileError(out, [&] { storeIfRecord(dir, score, name); });
    });

    const QString message = QString::fromUtf8(child.output);
    QVERIFY2(child.status == 0, qPrintable(message));
    QVERIFY2(message.contains(dir + u'/' + blocked), qPrintable(message));
    QCOMPARE(bytesOf(filePath(kScoreFile)), QByteArray("5\r\n"));
    QCOMPARE(bytesOf(filePath(kHolderFile)), QByteArray("Ugo\r\n"));
    QCOMPARE(entriesOf(m_dir->path()), QStringList({"ange.txt", "nange.txt"}));
}

void TestRecordFaults::sharedDirectoryNotWritable()
{
    const QString shared = m_dir->filePath(QStringLiteral("shared"));
    const QString xdg = m_dir->filePath(QStringLiteral("xdg"));
    QVERIFY(QDir().mkpath(shared));
    QVERIFY(QDir().mkpath(xdg));
    QVERIFY(::chmod(QFile::encodeName(m_dir->path()).constData(), 0755) == 0);
    QVERIFY(::chmod(QFile::encodeName(shared).constData(), 0555) == 0);
    if (::geteuid() == 0)
        QVERIFY(::chown(QFile::encodeName(xdg).constData(), kNobody, kNobody) == 0);

    const ChildResult child = runChild([&](int out) {
        if (!dropPrivileges())
            return kCannotDropPrivileges;
        send(out, systemDirFor(shared, xdg, m_dir->path()));
        return 0;
    });
    if (child.status == kCannotDropPrivileges)
        QSKIP("cannot switch the child to uid/gid 65534, so permissions cannot be enforced");
    QCOMPARE(child.status, 0);
    QCOMPARE(QString::fromUtf8(child.output), xdg + QStringLiteral("/angoli/"));
    QVERIFY(QFileInfo(xdg + QStringLiteral("/angoli")).isDir());

    // The same shared directory is chosen by a user who may write there.
    QVERIFY(::chmod(QFile::encodeName(shared).constData(), 0755) == 0);
    QCOMPARE(systemDirFor(shared, xdg, m_dir->path()), shared + u'/');
}

QTEST_GUILESS_MAIN(TestRecordFaults)
#include "tst_recordfaults.moc"
