#include "platform/codepage.h"
#include "platform/fileerror.h"
#include "platform/vbruntime.h"
#include "records/recordfiles.h"
#include "records/recordstore.h"
#include "records/systemdir.h"
#include "support/files.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QtTest>

#include <sys/stat.h>

using namespace angoli;
using namespace angoli::test;

class TestRecords : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    // The path keeps the doubled separator and still names the file in dirwin.
    void recordPathKeepsDoubledSeparator();
    // First run: both files are created with 0 bytes and read back as "".
    void firstRunCreatesEmptyFiles();
    // An existing record file is left exactly as it is.
    void createKeepsContent();
    // Leggifiletxt returns the whole file unchanged, decoded from Windows-1252.
    void readBack_data();
    void readBack();
    // Only the first 64 KiB of a huge file are read.
    void readCapsAt64KiB();
    // A missing file, or a directory in its place, raises FileError naming it.
    void readAndCreateErrors();
    // The exit stores a better score with the name, and only then.
    void storeIfRecord_data();
    void storeIfRecord();
    // A missing score file counts as no record at all.
    void storeWithoutScoreFile();
    // A FIFO put in a record file's place is refused at once, never waited on.
    void fifoIsRefused();
    // A half-done update is completed or discarded, never left half done.
    void recovery_data();
    void recovery();
    // The update itself recovers first, so it compares against the finished pair.
    void storeRecoversFirst();
    // The shared directory when usable, else the XDG data directory, one trailing '/'.
    void systemDirFor_data();
    void systemDirFor();
    // A data directory that cannot be made raises FileError naming the obstacle.
    void systemDirForCannotCreate();
    // GetSystemDir follows XDG_DATA_HOME unless the shared directory is usable.
    void getSystemDirUsesEnvironment();

private:
    QString dirwin() const { return m_dir->path() + u'/'; }
    QString scorePath() const { return m_dir->filePath(QString::fromLatin1(kScoreFile)); }
    QString holderPath() const { return m_dir->filePath(QString::fromLatin1(kHolderFile)); }
    QString workPath(const char *name) const { return m_dir->filePath(QString::fromLatin1(name)); }

    std::unique_ptr<QTemporaryDir> m_dir;
};

void TestRecords::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
}

void TestRecords::recordPathKeepsDoubledSeparator()
{
    QCOMPARE(recordPath(QStringLiteral("/d/"), kScoreFile), QStringLiteral("/d//ange.txt"));
    QCOMPARE(recordPath(QStringLiteral("/d/"), kHolderFile), QStringLiteral("/d//nange.txt"));

    const QString path = recordPath(dirwin(), kScoreFile);
    QVERIFY(path.contains(QStringLiteral("//ange.txt")));
    createIfMissing(path);
    QVERIFY(QFileInfo::exists(scorePath()));
}

void TestRecords::firstRunCreatesEmptyFiles()
{
    createIfMissing(recordPath(dirwin(), kScoreFile));
    createIfMissing(recordPath(dirwin(), kHolderFile));
    QCOMPARE(QFileInfo(scorePath()).size(), qint64(0));
    QCOMPARE(QFileInfo(holderPath()).size(), qint64(0));
    QCOMPARE(Leggifiletxt(recordPath(dirwin(), kScoreFile)), QString());
    QCOMPARE(Leggifiletxt(recordPath(dirwin(), kHolderFile)), QString());
    // Readable by the other players of a shared directory.
    QVERIFY(QFileInfo(scorePath()).permissions().testFlag(QFileDevice::ReadOther));
    QCOMPARE(entriesOf(m_dir->path()), QStringList({"ange.txt", "nange.txt"}));
}

void TestRecords::createKeepsContent()
{
    writeBytes(scorePath(), "12\r\n");
    createIfMissing(recordPath(dirwin(), kScoreFile));
    QCOMPARE(bytesOf(scorePath()), QByteArray("12\r\n"));
}

void TestRecords::readBack_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("record");

    QTest::newRow("score line") << QByteArray("12\r\n") << QStringLiteral("12\r\n") << 12.0;
    QTest::newRow("no final line break") << QByteArray("Dode") << QStringLiteral("Dode") << 0.0;
    QTest::newRow("CR LF alone") << QByteArray("\r\n") << QStringLiteral("\r\n") << 0.0;
    QTest::newRow("extra lines kept")
        << QByteArray("7\r\nextra\r\n") << QStringLiteral("7\r\nextra\r\n") << 7.0;
    QTest::newRow("8-bit name") << QByteArray("Nicol\xF2 \x80\r\n")
                                << QStringLiteral("Nicolò €\r\n") << 0.0;
}

void TestRecords::readBack()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, text);
    QFETCH(double, record);
    writeBytes(scorePath(), bytes);
    const QString read = Leggifiletxt(recordPath(dirwin(), kScoreFile));
    QCOMPARE(read, text);
    QCOMPARE(Val(read), record);
    QCOMPARE(bytesOf(scorePath()), bytes); // reading changes nothing
}

void TestRecords::readCapsAt64KiB()
{
    QByteArray high;
    for (int b = 0x80; b <= 0xFF; ++b)
        high.append(char(b));
    QByteArray huge;
    while (huge.size() < kRecordReadLimit + 10000)
        huge.append(high);
    writeBytes(holderPath(), huge);

    const QString text = Leggifiletxt(holderPath());
    QCOMPARE(text.size(), qsizetype(kRecordReadLimit));
    QCOMPARE(kRecordReadLimit, qint64(65536));
    // Every byte 0x80..0xFF comes back as one character of the same byte.
    QCOMPARE(toCodePage(text), huge.left(kRecordReadLimit));
}

void TestRecords::readAndCreateErrors()
{
    const QString missing = recordPath(dirwin(), kScoreFile);
    try {
        Leggifiletxt(missing);
        QFAIL("reading a missing file must fail");
    } catch (const FileError &error) {
        QCOMPARE(error.path, missing);
        QVERIFY(!error.reason.isEmpty());
        QVERIFY2(error.message().contains(missing), qPrintable(error.message()));
    }

    QVERIFY(QDir(m_dir->path()).mkdir(QStringLiteral("nange.txt")));
    QVERIFY_THROWS_EXCEPTION(FileError, createIfMissing(holderPath()));
    QVERIFY_THROWS_EXCEPTION(FileError, Leggifiletxt(holderPath()));

    const QString noDir = recordPath(m_dir->filePath(QStringLiteral("gone/")), kScoreFile);
    QVERIFY_THROWS_EXCEPTION(FileError, createIfMissing(noDir));
}

void TestRecords::fifoIsRefused()
{
    QVERIFY(::mkfifo(QFile::encodeName(scorePath()).constData(), 0644) == 0);
    QVERIFY_THROWS_EXCEPTION(FileError, Leggifiletxt(scorePath()));
    QVERIFY_THROWS_EXCEPTION(FileError, createIfMissing(scorePath()));
    QVERIFY_THROWS_EXCEPTION(FileError,
                             angoli::storeIfRecord(dirwin(), QStringLiteral("5"), QString()));
    QVERIFY(!QFileInfo::exists(holderPath()));
}

void TestRecords::storeIfRecord_data()
{
    QTest::addColumn<QByteArray>("scoreBefore");
    QTest::addColumn<QByteArray>("holderBefore");
    QTest::addColumn<QString>("scoreText");
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("stored");
    QTest::addColumn<QByteArray>("scoreAfter");
    QTest::addColumn<QByteArray>("holderAfter");

    const QByteArray empty("");
    QTest::newRow("first run, score 0: nothing written") << empty << empty << "0"
                                                         << "Dode" << false << empty << empty;
    QTest::newRow("first run, score 3: both written")
        << empty << empty << "3"
        << "Dode" << true << QByteArray("3\r\n") << QByteArray("Dode\r\n");
    QTest::newRow("tie keeps the old record")
        << QByteArray("12\r\n") << QByteArray("Ugo\r\n") << "12"
        << "Dode" << false << QByteArray("12\r\n") << QByteArray("Ugo\r\n");
    QTest::newRow("lower score keeps the old record")
        << QByteArray("12\r\n") << QByteArray("Ugo\r\n") << "5"
        << "Dode" << false << QByteArray("12\r\n") << QByteArray("Ugo\r\n");
    QTest::newRow("higher score replaces both")
        << QByteArray("12\r\n") << QByteArray("Ugo\r\n") << "13"
        << "Dode" << true << QByteArray("13\r\n") << QByteArray("Dode\r\n");
    QTest::newRow("stored text that is no number counts as 0")
        << QByteArray("abc\r\n") << QByteArray("Ugo\r\n") << "1"
        << "Dode" << true << QByteArray("1\r\n") << QByteArray("Dode\r\n");
    QTest::newRow("stored score without line break")
        << QByteArray("7") << QByteArray("Ugo") << "8"
        << "Eva" << true << QByteArray("8\r\n") << QByteArray("Eva\r\n");
    QTest::newRow("extra lines ignored by the comparison")
        << QByteArray("20\r\nxx\r\n") << QByteArray("Ugo\r\n") << "19"
        << "Eva" << false << QByteArray("20\r\nxx\r\n") << QByteArray("Ugo\r\n");
    QTest::newRow("stored number beyond any score")
        << QByteArray("1e400\r\n") << QByteArray("Ugo\r\n") << "32767"
        << "Eva" << false << QByteArray("1e400\r\n") << QByteArray("Ugo\r\n");
    QTest::newRow("empty name stores CR LF alone")
        << empty << empty << "3"
        << "" << true << QByteArray("3\r\n") << QByteArray("\r\n");
    QTest::newRow("blanks of the name kept")
        << empty << empty << "3"
        << "  Dode " << true << QByteArray("3\r\n") << QByteArray("  Dode \r\n");
    QTest::newRow("name written in Windows-1252")
        << empty << empty << "4" << QStringLiteral("Nicolò €") << true << QByteArray("4\r\n")
        << QByteArray("Nicol\xF2 \x80\r\n");
    QTest::newRow("unmappable letter of the name becomes ?")
        << empty << empty << "4" << QString::fromUtf8("Zo\u00EB \u4E2D") << true
        << QByteArray("4\r\n") << QByteArray("Zo\xEB ?\r\n");
    QTest::newRow("score text that is not digits is never a record")
        << empty << empty << "3a"
        << "Eva" << false << empty << empty;
    QTest::newRow("negative score text is never a record") << empty << empty << "-3"
                                                           << "Eva" << false << empty << empty;
}

void TestRecords::storeIfRecord()
{
    QFETCH(QByteArray, scoreBefore);
    QFETCH(QByteArray, holderBefore);
    QFETCH(QString, scoreText);
    QFETCH(QString, name);
    QFETCH(bool, stored);
    QFETCH(QByteArray, scoreAfter);
    QFETCH(QByteArray, holderAfter);

    writeBytes(scorePath(), scoreBefore);
    writeBytes(holderPath(), holderBefore);
    QCOMPARE(angoli::storeIfRecord(dirwin(), scoreText, name), stored);
    QCOMPARE(bytesOf(scorePath()), scoreAfter);
    QCOMPARE(bytesOf(holderPath()), holderAfter);
    QCOMPARE(entriesOf(m_dir->path()), QStringList({"ange.txt", "nange.txt"}));
}

void TestRecords::storeWithoutScoreFile()
{
    QVERIFY(angoli::storeIfRecord(dirwin(), QStringLiteral("2"), QStringLiteral("Eva")));
    QCOMPARE(bytesOf(scorePath()), QByteArray("2\r\n"));
    QCOMPARE(bytesOf(holderPath()), QByteArray("Eva\r\n"));
}

void TestRecords::recovery_data()
{
    QTest::addColumn<QByteArray>("commit");
    QTest::addColumn<QByteArray>("scoreTemp");
    QTest::addColumn<QByteArray>("holderTemp");
    QTest::addColumn<QByteArray>("holderBefore");
    QTest::addColumn<QByteArray>("scoreAfter");
    QTest::addColumn<QByteArray>("holderAfter");

    const QByteArray old("5\r\n"); // the stored score before the update
    QTest::newRow("nothing pending")
        << kAbsent << kAbsent << kAbsent << QByteArray("Ugo\r\n") << old << QByteArray("Ugo\r\n");
    QTest::newRow("holder temporary only: discarded")
        << kAbsent << kAbsent << QByteArray("Eva\r\n") << QByteArray("Ugo\r\n") << old
        << QByteArray("Ugo\r\n");
    QTest::newRow("both temporaries, not committed: discarded")
        << kAbsent << QByteArray("9\r\n") << QByteArray("Eva\r\n") << QByteArray("Ugo\r\n") << old
        << QByteArray("Ugo\r\n");
    QTest::newRow("truncated temporary, not committed: discarded")
        << kAbsent << QByteArray("") << QByteArray("Ev") << QByteArray("Ugo\r\n") << old
        << QByteArray("Ugo\r\n");
    QTest::newRow("committed, name not yet in place: rolled forward")
        << QByteArray("9\r\n") << kAbsent << QByteArray("Eva\r\n") << QByteArray("Ugo\r\n")
        << QByteArray("9\r\n") << QByteArray("Eva\r\n");
    QTest::newRow("committed, name already in place: rolled forward")
        << QByteArray("9\r\n") << kAbsent << kAbsent << QByteArray("Eva\r\n") << QByteArray("9\r\n")
        << QByteArray("Eva\r\n");
}

void TestRecords::recovery()
{
    QFETCH(QByteArray, commit);
    QFETCH(QByteArray, scoreTemp);
    QFETCH(QByteArray, holderTemp);
    QFETCH(QByteArray, holderBefore);
    QFETCH(QByteArray, scoreAfter);
    QFETCH(QByteArray, holderAfter);

    writeBytes(scorePath(), "5\r\n");
    writeBytes(holderPath(), holderBefore);
    if (commit != kAbsent)
        writeBytes(workPath(kCommitFile), commit);
    if (scoreTemp != kAbsent)
        writeBytes(workPath(kScoreTempFile), scoreTemp);
    if (holderTemp != kAbsent)
        writeBytes(workPath(kHolderTempFile), holderTemp);

    recoverPendingRecord(dirwin());
    QCOMPARE(bytesOf(scorePath()), scoreAfter);
    QCOMPARE(bytesOf(holderPath()), holderAfter);
    QCOMPARE(entriesOf(m_dir->path()), QStringList({"ange.txt", "nange.txt"}));

    recoverPendingRecord(dirwin()); // a second run finds nothing more to do
    QCOMPARE(bytesOf(scorePath()), scoreAfter);
    QCOMPARE(bytesOf(holderPath()), holderAfter);
}

void TestRecords::storeRecoversFirst()
{
    writeBytes(scorePath(), "5\r\n");
    writeBytes(holderPath(), "Ugo\r\n");
    writeBytes(workPath(kCommitFile), "9\r\n");
    writeBytes(workPath(kHolderTempFile), "Eva\r\n");

    // 8 beats the 5 on disk but not the committed 9.
    QVERIFY(!angoli::storeIfRecord(dirwin(), QStringLiteral("8"), QStringLiteral("Bob")));
    QCOMPARE(bytesOf(scorePath()), QByteArray("9\r\n"));
    QCOMPARE(bytesOf(holderPath()), QByteArray("Eva\r\n"));
    QCOMPARE(entriesOf(m_dir->path()), QStringList({"ange.txt", "nange.txt"}));
}

void TestRecords::systemDirFor_data()
{
    QTest::addColumn<QString>("shared"); // relative to the test directory; "" for none
    QTest::addColumn<bool>("sharedIsDir");
    QTest::addColumn<QString>("xdg"); // "@" stands for the test directory
    QTest::addColumn<QString>("expected");

    QTest::newRow("shared directory usable") << "shared" << true << "@/data"
                                             << "@/shared/";
    QTest::newRow("shared directory with trailing separators") << "shared//" << true << "@/data"
                                                               << "@/shared/";
    QTest::newRow("shared directory missing") << "shared" << false << "@/data"
                                              << "@/data/angoli/";
    QTest::newRow("shared path is a file") << "sharedfile" << false << "@/data"
                                           << "@/data/angoli/";
    QTest::newRow("no shared directory given") << "" << false << "@/data"
                                               << "@/data/angoli/";
    QTest::newRow("XDG with trailing separator") << "" << false << "@/data/"
                                                 << "@/data/angoli/";
    QTest::newRow("XDG missing: home/.local/share") << "" << false << ""
                                                    << "@/home/.local/share/angoli/";
    QTest::newRow("relative XDG ignored") << "" << false << "rel/data"
                                          << "@/home/.local/share/angoli/";
}

void TestRecords::systemDirFor()
{
    QFETCH(QString, shared);
    QFETCH(bool, sharedIsDir);
    QFETCH(QString, xdg);
    QFETCH(QString, expected);

    const QString root = m_dir->path();
    QString sharedPath;
    if (!shared.isEmpty()) {
        sharedPath = root + u'/' + shared;
        if (sharedIsDir)
            QVERIFY(QDir().mkpath(sharedPath));
        if (shared == QLatin1String("sharedfile"))
            writeBytes(sharedPath, "x");
    }
    xdg.replace(u'@', root);
    expected.replace(u'@', root);

    const QString dir = angoli::systemDirFor(sharedPath, xdg, root + QStringLiteral("/home"));
    QCOMPARE(dir, expected);
    QVERIFY(dir.endsWith(u'/') && !dir.endsWith(QStringLiteral("//")));
    QVERIFY2(QFileInfo(dir).isDir(), "the directory exists after the call");

    // The record files can be made there.
    createIfMissing(recordPath(dir, kScoreFile));
    QVERIFY(QFileInfo::exists(dir + QString::fromLatin1(kScoreFile)));
}

void TestRecords::systemDirForCannotCreate()
{
    const QString blocker = m_dir->filePath(QStringLiteral("plainfile"));
    writeBytes(blocker, "x");
    try {
        angoli::systemDirFor(QString(), blocker + QStringLiteral("/data"), m_dir->path());
        QFAIL("a data directory below a plain file cannot be made");
    } catch (const FileError &error) {
        QVERIFY2(error.path.startsWith(blocker), qPrintable(error.path));
        QVERIFY(!error.reason.isEmpty());
    }
}

void TestRecords::getSystemDirUsesEnvironment()
{
    const QByteArray oldXdg = qgetenv("XDG_DATA_HOME");
    const bool hadXdg = qEnvironmentVariableIsSet("XDG_DATA_HOME");
    qputenv("XDG_DATA_HOME", m_dir->filePath(QStringLiteral("xdg")).toLocal8Bit());
    const QString dir = GetSystemDir();
    if (hadXdg)
        qputenv("XDG_DATA_HOME", oldXdg);
    else
        qunsetenv("XDG_DATA_HOME");

    const QFileInfo shared(QString::fromLatin1(kSharedRecordDir));
    if (shared.isDir() && shared.isWritable())
        QCOMPARE(dir, QString::fromLatin1(kSharedRecordDir) + u'/');
    else
        QCOMPARE(dir, m_dir->filePath(QStringLiteral("xdg/angoli/")));
}

QTEST_GUILESS_MAIN(TestRecords)
#include "support/files.h"
#include "tst_records.moc"
