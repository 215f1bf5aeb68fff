// "Esci": the farewell, the record update and the end of the program.
#include "game/caption.h"
#include "support/gamefixture.h"

#include <QtTest>

using namespace angoli;
using namespace angoli::test;

namespace
{
const QString kRecordMessage = QStringLiteral("Ok ho registrato il tuo record, C A M P I O N E");
}

class tst_Exit : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void recordUpdate_data();
    void recordUpdate();
    void recordSetMeanwhileIsKept();
    void closingWindowSavesNothing();
};

void tst_Exit::recordUpdate_data()
{
    QTest::addColumn<QByteArray>("stored");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("score");
    QTest::addColumn<QByteArray>("scoreAfter");
    QTest::addColumn<QByteArray>("holderAfter");
    const QByteArray old("Ada\r\n");
    QTest::newRow("first run, 0: nothing written") << QByteArray() << "Dode"
                                                   << "0" << QByteArray() << QByteArray();
    QTest::newRow("first run, 3: a record") << QByteArray() << "Dode"
                                            << "3" << QByteArray("3\r\n") << QByteArray("Dode\r\n");
    QTest::newRow("tie keeps the old record") << QByteArray("12\r\n") << "Dode"
                                              << "12" << QByteArray("12\r\n") << old;
    QTest::newRow("13 beats 12") << QByteArray("12\r\n") << "Dode"
                                 << "13" << QByteArray("13\r\n") << QByteArray("Dode\r\n");
    QTest::newRow("a stored text that is no number counts as 0")
        << QByteArray("abc\r\n") << "Dode"
        << "1" << QByteArray("1\r\n") << QByteArray("Dode\r\n");
    QTest::newRow("cancelled name stores CR LF alone")
        << QByteArray("2\r\n") << ""
        << "5" << QByteArray("5\r\n") << QByteArray("\r\n");
    QTest::newRow("blanks and accents kept")
        << QByteArray() << " Zoë "
        << "2" << QByteArray("2\r\n") << QByteArray(" Zo\xeb \r\n");
}

void tst_Exit::recordUpdate()
{
    // The farewell names the player; a better score replaces both files, then the record
    // message; every path ends the program once.
    QFETCH(QByteArray, stored);
    QFETCH(QString, name);
    QFETCH(QString, score);
    QFETCH(QByteArray, scoreAfter);
    QFETCH(QByteArray, holderAfter);
    Game game;
    if (!stored.isNull()) {
        game.writeFile("ange.txt", stored);
        game.writeFile("nange.txt", "Ada\r\n");
    }
    game.load(name);
    game.form->lbl("lblScore")->setCaption(score);
    game.world.dialogs.messages.clear();
    QVERIFY_THROWS_EXCEPTION(ProgramEnded, game.form->Cmdexit1_Click());
    QCOMPARE(game.world.end.calls, 1);
    const QList<Shown> &shown = game.world.dialogs.messages;
    QCOMPARE(shown.front().prompt, QStringLiteral("Ciao a presto ") + name);
    QCOMPARE(shown.front().style, 0);
    QCOMPARE(shown.front().title, QStringLiteral("Angoli esplementari"));
    const bool isRecord = scoreAfter != stored;
    QCOMPARE(shown.size(), isRecord ? 2 : 1);
    if (isRecord)
        QCOMPARE(shown.back().prompt, kRecordMessage);
    QCOMPARE(game.fileBytes("ange.txt"), scoreAfter);
    QCOMPARE(game.fileBytes("nange.txt"), holderAfter);
    QCOMPARE(game.form->state().ritardo, qint16(1001));
}

void tst_Exit::recordSetMeanwhileIsKept()
{
    // Another game stored 9 after this one started: this game's 5 does not overwrite it.
    Game game;
    game.load();
    QCOMPARE(game.caption("lblpunti"), QString());
    game.writeFile("ange.txt", "9\r\n");
    game.writeFile("nange.txt", "Ada\r\n");
    game.form->lbl("lblScore")->setCaption(QStringLiteral("5"));
    QVERIFY_THROWS_EXCEPTION(ProgramEnded, game.form->Cmdexit1_Click());
    QCOMPARE(game.fileBytes("ange.txt"), QByteArray("9\r\n"));
    QCOMPARE(game.fileBytes("nange.txt"), QByteArray("Ada\r\n"));
    QVERIFY(game.world.dialogs.messages.last().prompt != kRecordMessage);
}

void tst_Exit::closingWindowSavesNothing()
{
    // Closing the window other than by "Esci" shows nothing and stores nothing.
    Game game;
    game.load();
    game.form->lbl("lblScore")->setCaption(QStringLiteral("7"));
    game.form->show();
    QVERIFY(QTest::qWaitForWindowExposed(game.form.get()));
    const qsizetype before = game.world.dialogs.messages.size();
    QVERIFY(game.form->close());
    QCOMPARE(game.world.dialogs.messages.size(), before);
    QCOMPARE(game.world.end.calls, 0);
    QCOMPARE(game.fileBytes("ange.txt"), QByteArray());
}

QTEST_MAIN(tst_Exit)
#include "tst_exit.moc"
