// Start-up: the name, the greeting, the clock, the stored record and the first question.
#include "game/caption.h"
#include "support/gamefixture.h"

#include <QtTest>

using namespace angoli;
using namespace angoli::test;

class tst_Startup : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void greeting_data();
    void greeting();
    void orderOfSteps();
    void storedRecordShown_data();
    void storedRecordShown();
    void firstQuestionBeforeWindowShows();
    void unusableRecordDirectory();
};

void tst_Startup::greeting_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("greeting");
    QTest::newRow("Dode") << "Dode"
                          << " Dode vediamo se sei un vero campione  ";
    QTest::newRow("Cancel or empty") << ""
                                     << "  vediamo se sei un vero campione  ";
    QTest::newRow("blanks kept") << "  Anna "
                                 << "   Anna  vediamo se sei un vero campione  ";
    QTest::newRow("accents") << "Niccolò"
                             << " Niccolò vediamo se sei un vero campione  ";
}

void tst_Startup::greeting()
{
    // The name is asked, greeted with an exclamation box and shown exactly as typed.
    QFETCH(QString, typed);
    QFETCH(QString, greeting);
    Game game;
    game.load(typed);
    const ScriptedDialogs &d = game.world.dialogs;
    QCOMPARE(d.inputs.size(), 1);
    QCOMPARE(d.inputs[0].prompt, QStringLiteral("Come ti chiami?"));
    QCOMPARE(d.inputs[0].title, QStringLiteral("Riconosciamo gli angoli"));
    QCOMPARE(d.messages.size(), 1);
    QCOMPARE(d.messages[0].prompt, greeting);
    QCOMPARE(d.messages[0].style, 48);
    QCOMPARE(d.messages[0].title, QStringLiteral("Riconosciamo gli angoli"));
    QCOMPARE(game.caption("lblnome1"), typed);
}

void tst_Startup::orderOfSteps()
{
    // The generator is re-seeded from the clock first; no tick can come while the
    // dialogs are open; the countdown starts after the greeting and shows 00:15:00.
    Game game;
    game.world.time.seconds = 12345.5f;
    bool timerDuringGreeting = true;
    game.world.dialogs.onMessage = [&](const Shown &) {
        timerDuringGreeting = game.world.timer.isEnabled();
        QCOMPARE(game.world.random.seeds.size(), 1);
    };
    game.load();
    QVERIFY(!timerDuringGreeting);
    QVERIFY(game.world.timer.isEnabled());
    QCOMPARE(game.world.random.seeds.front(), 12345.5f);
    QCOMPARE(game.caption("lblconto"), QStringLiteral("00:15:00"));
    QCOMPARE(game.form->state().minuti, qint16(15));
}

void tst_Startup::storedRecordShown_data()
{
    QTest::addColumn<QByteArray>("score");
    QTest::addColumn<QByteArray>("holder");
    QTest::addColumn<QString>("pointsCaption");
    QTest::addColumn<QString>("nameCaption");
    QTest::newRow("first run") << QByteArray() << QByteArray() << ""
                               << "";
    QTest::newRow("a record") << QByteArray("12\r\n") << QByteArray("Dode\r\n") << "12\r\n"
                              << "Dode\r\n";
    QTest::newRow("hand edited, no line break") << QByteArray("7") << QByteArray("Zoe") << "7"
                                                << "Zoe";
    QTest::newRow("Windows-1252 name")
        << QByteArray("3\r\n") << QByteArray("Nicol\xf2\r\n") << "3\r\n"
        << "Nicolò\r\n";
}

void tst_Startup::storedRecordShown()
{
    // The whole text of each record file is shown, its line break included.
    QFETCH(QByteArray, score);
    QFETCH(QByteArray, holder);
    QFETCH(QString, pointsCaption);
    QFETCH(QString, nameCaption);
    Game game;
    const bool firstRun = score.isNull();
    if (!firstRun) {
        game.writeFile("ange.txt", score);
        game.writeFile("nange.txt", holder);
    }
    game.load();
    QCOMPARE(game.caption("lblpunti"), pointsCaption);
    QCOMPARE(game.caption("lblnome"), nameCaption);
    // Files are created when missing and never changed by start-up.
    QCOMPARE(game.fileBytes("ange.txt"), firstRun ? QByteArray("") : score);
    QCOMPARE(game.fileBytes("nange.txt"), firstRun ? QByteArray("") : holder);
}

void tst_Startup::firstQuestionBeforeWindowShows()
{
    // Start-up ends with the first question drawn on the persistent surface.
    Game game;
    game.world.random.fallback = 136.5f / 359.0f;
    game.load();
    QCOMPARE(game.caption("lblangolo"), QStringLiteral("137"));
    QCOMPARE(game.caption("lblScore"), QStringLiteral("0"));
    QCOMPARE(game.caption("lblScore1"), QStringLiteral("0"));
    for (const char *total : {"lbltotale", "lbltotal2", "lbltotal3", "lbltotal4"})
        QCOMPARE(game.caption(total), QStringLiteral("0"));
    QVERIFY(!game.form->isVisible());
    const QImage &img = game.form->surfaceImage();
    QCOMPARE(img.pixelColor(420, 200), QColor(0, 128, 0));
    QCOMPARE(img.pixelColor(280, 300), QColor(0, 0, 128));
}

void tst_Startup::unusableRecordDirectory()
{
    // A record directory that cannot hold files: a clear message naming it, then the end.
    Game game;
    QFile blocker(game.records.filePath(QStringLiteral("not-a-dir")));
    QVERIFY(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    game.world.dir = blocker.fileName() + QLatin1Char('/');
    game.world.dialogs.names = {QStringLiteral("Dode")};
    QVERIFY_THROWS_EXCEPTION(ProgramEnded, game.form->Form_Load());
    QCOMPARE(game.world.end.calls, 1);
    const QString shown = game.world.dialogs.messages.last().prompt;
    QVERIFY2(shown.contains(QLatin1String("not-a-dir")), qPrintable(shown));
}

QTEST_MAIN(tst_Startup)
#include "tst_startup.moc"
