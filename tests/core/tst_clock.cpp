// The 15-minute clock: one second per tick, and the exit at the first tick
// that finds it at zero.
#include "game/caption.h"
#include "game/countdown.h"
#include "support/gamefixture.h"

#include <QRegularExpression>
#include <QtTest>

using namespace angoli;
using namespace angoli::test;

class tst_Clock : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void workedSequence_data();
    void workedSequence();
    void neverSixtyNeverNegative();
    void hoursBorrow();
    void exitAtTick901();
    void exitOnceWhenClockRunsOutUnderFarewell();
    void exitUnderVerdictEndsThatHandler();
};

void tst_Clock::workedSequence_data()
{
    QTest::addColumn<int>("ticks");
    QTest::addColumn<QString>("shown");
    QTest::newRow("start") << 0 << "00:15:00";
    QTest::newRow("1: borrow a minute") << 1 << "00:14:59";
    QTest::newRow("2") << 2 << "00:14:58";
    QTest::newRow("59") << 59 << "00:14:01";
    QTest::newRow("60") << 60 << "00:14:00";
    QTest::newRow("61") << 61 << "00:13:59";
    QTest::newRow("899") << 899 << "00:00:01";
    QTest::newRow("900") << 900 << "00:00:00";
}

void tst_Clock::workedSequence()
{
    // Each tick takes exactly one second off, however late it comes.
    QFETCH(int, ticks);
    QFETCH(QString, shown);
    Game game;
    game.load();
    game.world.timer.fire(ticks);
    QCOMPARE(game.caption("lblconto"), shown);
    QCOMPARE(game.world.end.calls, 0);
}

void tst_Clock::neverSixtyNeverNegative()
{
    // The display never reads 60 seconds or a negative time, and the hours stay "00".
    Game game;
    game.load();
    static const QRegularExpression clock(QStringLiteral("^00:(\\d\\d):([0-5]\\d)$"));
    int previous = 15 * 60;
    for (int n = 1; n <= 900; ++n) {
        game.world.timer.fire();
        const QRegularExpressionMatch m = clock.match(game.caption("lblconto"));
        QVERIFY2(m.hasMatch(), qPrintable(game.caption("lblconto")));
        const int left = m.captured(1).toInt() * 60 + m.captured(2).toInt();
        QCOMPARE(left, previous - 1);
        previous = left;
    }
}

void tst_Clock::hoursBorrow()
{
    // With hours on the clock, minutes at 0 borrow from them.
    GameState s;
    s.ore = 1;
    countdown::tick(s);
    QCOMPARE(countdown::text(s), QStringLiteral("00:59:59"));
    countdown::start(s);
    s.minuti = 7;
    QCOMPARE(countdown::startText(s), QStringLiteral("00:15:00")); // "15" is printed as it stands
}

void tst_Clock::exitAtTick901()
{
    // The clock rests at zero for one tick; the next one runs the exit, which ends the game.
    Game game;
    game.load();
    game.world.timer.fire(900);
    QCOMPARE(game.world.dialogs.messages.size(), 1); // the greeting only
    QVERIFY_THROWS_EXCEPTION(ProgramEnded, game.world.timer.fire());
    QCOMPARE(game.world.end.calls, 1);
    QCOMPARE(game.world.dialogs.messages.last().prompt, QStringLiteral("Ciao a presto Dode"));
    QCOMPARE(game.caption("lblconto"), QStringLiteral("00:00:00"));
}

void tst_Clock::exitOnceWhenClockRunsOutUnderFarewell()
{
    // Ticks keep coming while the farewell is open: the exit is not started a second time,
    // and the record is stored once.
    Game game;
    game.load();
    game.form->lbl("lblScore")->setCaption(QStringLiteral("4"));
    game.world.timer.fire(900);
    int farewells = 0;
    game.world.dialogs.onMessage = [&](const Shown &shown) {
        if (shown.prompt.startsWith(QLatin1String("Ciao a presto")) && ++farewells == 1)
            game.world.timer.fire(5);
    };
    QVERIFY_THROWS_EXCEPTION(ProgramEnded, game.form->Cmdexit1_Click());
    QCOMPARE(farewells, 1);
    QCOMPARE(game.world.end.calls, 1);
    QCOMPARE(game.fileBytes("ange.txt"), QByteArray("4\r\n"));
    QCOMPARE(game.world.dialogs.messages.last().prompt,
             QStringLiteral("Ok ho registrato il tuo record, C A M P I O N E"));
}

void tst_Clock::exitUnderVerdictEndsThatHandler()
{
    // The clock runs out while a verdict is open: the exit runs inside that box, and nothing
    // more of the verdict's handler happens (no count, no new question).
    Game game;
    game.load();
    game.world.timer.fire(900);
    const QString angle = game.caption("lblangolo");
    game.world.dialogs.onMessage = [&](const Shown &shown) {
        if (shown.prompt.startsWith(QLatin1String("Fai attenzione")))
            game.world.timer.fire();
    };
    QVERIFY_THROWS_EXCEPTION(ProgramEnded, game.form->cmdverifica_Click());
    QCOMPARE(game.world.end.calls, 1);
    QCOMPARE(game.form->state().errate, qint16(0));
    QCOMPARE(game.caption("lblangolo"), angle);
    QCOMPARE(game.fileBytes("ange.txt"), QByteArray());
}

QTEST_MAIN(tst_Clock)
#include "tst_clock.moc"
