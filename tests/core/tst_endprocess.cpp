// The clock running out while a message box is open, in a whole process: the
// exit runs once, stores the record once, and ends the process with status 0,
// with nothing of the interrupted handlers running afterwards. The game runs
// in tests/endprocess/endprocess_child.cpp, which ends through the real
// ProcessEnd; this test starts it and reads what it printed and stored.

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

namespace
{

constexpr int kChildTimeoutMs = 60000;
const QString kGreeting = QStringLiteral("box:  Dode vediamo se sei un vero campione  ");
const QString kRight = QStringLiteral("box:  Ok ");
const QString kFarewell = QStringLiteral("box: Ciao a presto Dode");
const QString kRecord = QStringLiteral("box: Ok ho registrato il tuo record, C A M P I O N E");
const QString kTicksDelivered = QStringLiteral("ticks delivered");

} // namespace

class tst_EndProcess : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void clockRunsOutUnderABox_data();
    void clockRunsOutUnderABox();
};

void tst_EndProcess::clockRunsOutUnderABox_data()
{
    QTest::addColumn<QString>("under");
    QTest::addColumn<QByteArray>("storedScore"); // null: no record yet
    QTest::addColumn<QStringList>("lines");      // what the game printed, in order
    QTest::addColumn<QByteArray>("scoreAfter");
    QTest::addColumn<QByteArray>("holderAfter");

    const QStringList played{kGreeting, kRight, kRight, kRight};
    // Tick 901 starts the exit inside the verdict's box: the verdict's handler
    // never continues, not even to report that its ticks were delivered.
    QTest::newRow("under a verdict")
        << "verdict" << QByteArray()
        << played + QStringList{QStringLiteral("box: Fai attenzione, hai sbagliato.Il valore "
                                               "esatto era 223"),
                                kFarewell, kRecord}
        << QByteArray("3\r\n") << QByteArray("Dode\r\n");
    // Under the exit's own boxes the clock reaches zero and keeps ticking: the
    // exit is not started again, and the first one ends the process.
    QTest::newRow("under the farewell")
        << "farewell" << QByteArray() << played + QStringList{kFarewell, kTicksDelivered, kRecord}
        << QByteArray("3\r\n") << QByteArray("Dode\r\n");
    QTest::newRow("under the farewell, a higher record stored")
        << "farewell" << QByteArray("9\r\n") << played + QStringList{kFarewell, kTicksDelivered}
        << QByteArray("9\r\n") << QByteArray("Ada\r\n");
    QTest::newRow("under the record message")
        << "record" << QByteArray() << played + QStringList{kFarewell, kRecord, kTicksDelivered}
        << QByteArray("3\r\n") << QByteArray("Dode\r\n");
}

void tst_EndProcess::clockRunsOutUnderABox()
{
    QFETCH(QString, under);
    QFETCH(QByteArray, storedScore);
    QFETCH(QStringList, lines);
    QFETCH(QByteArray, scoreAfter);
    QFETCH(QByteArray, holderAfter);

    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const auto write = [&](const char *name, const QByteArray &bytes) {
        QFile file(dir.filePath(QString::fromLatin1(name)));
        QVERIFY(file.open(QIODevice::WriteOnly));
        QCOMPARE(file.write(bytes), bytes.size());
    };
    if (!storedScore.isNull()) {
        write("ange.txt", storedScore);
        write("nange.txt", "Ada\r\n");
    }

    QProcess game;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    game.setProcessEnvironment(env);
    game.start(QStringLiteral(ANGOLI_ENDPROCESS_CHILD), {under, dir.path()});
    QVERIFY2(game.waitForFinished(kChildTimeoutMs), "the game did not end");
    const QByteArray errors = game.readAllStandardError();
    QVERIFY2(game.exitStatus() == QProcess::NormalExit, errors.constData());
    QVERIFY2(game.exitCode() == 0, errors.constData());

    // Everything buffered is flushed by the end, and nothing follows it.
    const QStringList printed =
        QString::fromUtf8(game.readAllStandardOutput()).split(u'\n', Qt::SkipEmptyParts);
    QCOMPARE(printed, lines);
    QCOMPARE(printed.count(kFarewell), 1); // the exit ran once

    QFile score(dir.filePath(QStringLiteral("ange.txt")));
    QFile holder(dir.filePath(QStringLiteral("nange.txt")));
    QVERIFY(score.open(QIODevice::ReadOnly));
    QVERIFY(holder.open(QIODevice::ReadOnly));
    QCOMPARE(score.readAll(), scoreAfter);
    QCOMPARE(holder.readAll(), holderAfter);
    const QStringList left =
        QDir(dir.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
    QCOMPARE(left, QStringList({QStringLiteral("ange.txt"), QStringLiteral("nange.txt")}));
}

QTEST_GUILESS_MAIN(tst_EndProcess)
#include "tst_endprocess.moc"
