#include "platform/fileerror.h"
#include "platform/textfiles.h"
#include "support/files.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

using namespace angoli;
using namespace angoli::test;

class TestTextFiles : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    // FreeFile hands out the lowest unused number and reuses closed ones.
    void freeFileNumbers();
    // All 255 numbers in use: FreeFile refuses instead of inventing one.
    void freeFileExhausted();
    // Each open mode treats missing and existing files as its rule says.
    void openModes_data();
    void openModes();
    // LOF and Input read a file back byte for byte, CR LF and 8-bit text included.
    void readWholeFile();
    // Misuse and missing files raise FileError with the file named.
    void errors();

private:
    std::unique_ptr<QTemporaryDir> m_dir;
};

void TestTextFiles::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
}

void TestTextFiles::freeFileNumbers()
{
    FileTable files;
    QCOMPARE(files.FreeFile(), 1);
    files.Open(1, m_dir->filePath("a.txt"), OpenMode::Append);
    QCOMPARE(files.FreeFile(), 2);
    files.Open(2, m_dir->filePath("b.txt"), OpenMode::Append);
    files.Close(1);
    QCOMPARE(files.FreeFile(), 1);
    files.Close(1); // closing a closed number is harmless
    QCOMPARE(files.FreeFile(), 1);
}

void TestTextFiles::freeFileExhausted()
{
    FileTable files;
    for (int n = FileTable::kFirstNumber; n <= FileTable::kLastNumber; ++n)
        files.Open(n, m_dir->filePath(QStringLiteral("f%1.txt").arg(n)), OpenMode::Append);
    QVERIFY_THROWS_EXCEPTION(FileError, files.FreeFile());
    files.Close(100);
    QCOMPARE(files.FreeFile(), 100);
}

void TestTextFiles::openModes_data()
{
    QTest::addColumn<bool>("exists");
    QTest::addColumn<int>("mode");
    QTest::addColumn<QString>("line");
    QTest::addColumn<QByteArray>("expected");

    QTest::newRow("append creates a missing file empty")
        << false << int(OpenMode::Append) << QString() << QByteArray("");
    QTest::newRow("append keeps existing text")
        << true << int(OpenMode::Append) << QString() << QByteArray("old\r\n");
    QTest::newRow("append adds a line at the end")
        << true << int(OpenMode::Append) << QStringLiteral("new") << QByteArray("old\r\nnew\r\n");
    QTest::newRow("output creates a missing file")
        << false << int(OpenMode::Output) << QStringLiteral("12") << QByteArray("12\r\n");
    QTest::newRow("output empties an existing file")
        << true << int(OpenMode::Output) << QString() << QByteArray("");
    QTest::newRow("output writes Windows-1252")
        << true << int(OpenMode::Output) << QStringLiteral("Nicolò 5€")
        << QByteArray("Nicol\xF2 5\x80\r\n");
    QTest::newRow("print of empty text writes CR LF")
        << false << int(OpenMode::Output) << QStringLiteral("") << QByteArray("\r\n");
}

void TestTextFiles::openModes()
{
    QFETCH(bool, exists);
    QFETCH(int, mode);
    QFETCH(QString, line);
    QFETCH(QByteArray, expected);

    const QString path = m_dir->filePath("ange.txt");
    if (exists)
        writeBytes(path, "old\r\n");
    FileTable files;
    const int n = files.FreeFile();
    files.Open(n, path, OpenMode(mode));
    if (!line.isNull())
        files.Print(n, line);
    files.Close(n);
    QCOMPARE(bytesOf(path), expected);
}

void TestTextFiles::readWholeFile()
{
    const QString path = m_dir->filePath("nange.txt");
    const QByteArray bytes("Dode \xE8\x80\r\nsecond line");
    writeBytes(path, bytes);

    FileTable files;
    const int n = files.FreeFile();
    files.Open(n, path, OpenMode::Input);
    QCOMPARE(files.LOF(n), qint64(bytes.size()));
    QCOMPARE(files.Input(n, 5), QStringLiteral("Dode "));
    QCOMPARE(files.Input(n, files.LOF(n) - 5),
             QStringLiteral("è€\r\nsecond line")); // decoded from Windows-1252
    files.Close(n);

    writeBytes(path, QByteArray());
    files.Open(n, path, OpenMode::Input);
    QCOMPARE(files.LOF(n), qint64(0));
    QCOMPARE(files.Input(n, 0), QString());
    files.Close(n);
}

void TestTextFiles::errors()
{
    const QString missing = m_dir->filePath("missing.txt");
    FileTable files;
    try {
        files.Open(1, missing, OpenMode::Input);
        QFAIL("opening a missing file for Input must fail");
    } catch (const FileError &error) {
        QCOMPARE(error.path, missing);
        QVERIFY(!error.reason.isEmpty());
        QVERIFY2(error.message().contains(missing), qPrintable(error.message()));
    }
    QCOMPARE(files.FreeFile(), 1); // a failed open keeps the number free

    const QString below = m_dir->filePath("missing-dir/ange.txt");
    QVERIFY_THROWS_EXCEPTION(FileError, files.Open(1, below, OpenMode::Append));

    const QString path = m_dir->filePath("ange.txt");
    files.Open(1, path, OpenMode::Output);
    QVERIFY_THROWS_EXCEPTION(FileError, files.Open(1, path, OpenMode::Append)); // number in use
    QVERIFY_THROWS_EXCEPTION(FileError, files.Input(1, 1)); // not opened for Input
    files.Close(1);

    writeBytes(path, "ab");
    files.Open(1, path, OpenMode::Input);
    QVERIFY_THROWS_EXCEPTION(FileError, files.Print(1, "x")); // not opened for writing
    QVERIFY_THROWS_EXCEPTION(FileError, files.Input(1, 3));   // past the end
    QVERIFY_THROWS_EXCEPTION(FileError, files.Input(1, -1));
    files.Close(1);

    QVERIFY_THROWS_EXCEPTION(FileError, files.Open(0, path, OpenMode::Input));
    QVERIFY_THROWS_EXCEPTION(FileError, files.Open(256, path, OpenMode::Input));
    QVERIFY_THROWS_EXCEPTION(FileError, files.LOF(7)); // never opened
}

QTEST_GUILESS_MAIN(TestTextFiles)
#include "support/files.h"
#include "tst_textfiles.moc"
