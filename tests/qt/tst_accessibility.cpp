// SPDX-License-Identifier: GPL-3.0-or-later
// What a screen reader says: every control the player uses has an Italian name and description,
// and the labels' texts follow their captions as the game goes on.
#include "gamefixture.h"

#include <QAccessible>
#include <QtTest>

using namespace angoli;
using namespace angoli::qttest;

namespace
{
QAccessibleInterface *accessible(const Game &game, const QString &name, int index = -1)
{
    QWidget *w = game.control(name, index);
    return w ? QAccessible::queryAccessibleInterface(w) : nullptr;
}

// A game at its first question, 137, with a stored record of 12 by Anna.
void startGame(Game &game)
{
    game.random.draws = {drawFor(137), drawFor(42)};
    game.records.stored = {"12\r\n", "Anna\r\n"};
    game.load(QStringLiteral("Dode"));
}
} // namespace

class tst_Accessibility : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void texts_data();
    void texts();
    void textsFollowTheGame_data();
    void textsFollowTheGame();
    void repeatedLabelsAreSkipped_data();
    void repeatedLabelsAreSkipped();
    void everyTabStopIsDescribed();
};

void tst_Accessibility::texts_data()
{
    QTest::addColumn<QString>("control");
    QTest::addColumn<int>("index");
    QTest::addColumn<int>("role");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("description");
    const int button = QAccessible::Button;
    const int text = QAccessible::StaticText;
    const int values[] = {0, 1, 2, 5, 9, 10, 30, 50, 100, 90, 180, 270};
    for (int i = 1; i <= 11; ++i) {
        const QString v = QString::number(values[i]);
        QTest::addRow("value button %d", values[i])
            << "Option1" << i << button << v << QStringLiteral("Aggiunge %1 al totale").arg(v);
    }
    QTest::newRow("Verifica") << "cmdverifica" << -1 << button << "Verifica"
                              << "Controlla se il totale è l'angolo esplementare e passa "
                                 "all'angolo successivo";
    QTest::newRow("Esci") << "Cmdexit1" << -1 << button << "Esci"
                          << "Termina il gioco e, se hai battuto il record, lo registra";
    QTest::newRow("green angle")
        << "lblangolo" << -1 << text << "Angolo verde in gradi: 137"
        << "La misura dell'angolo verde; il suo esplementare è la parte blu da trovare";
    QTest::newRow("front total") << "lbltotal4" << -1 << text << "Totale: 0"
                                 << "La somma dei pulsanti premuti per questo angolo";
    QTest::newRow("right answers") << "lblScore" << -1 << text << "Risposte esatte: 0"
                                   << "Il tuo punteggio: il numero di risposte esatte";
    QTest::newRow("wrong answers") << "lblScore1" << -1 << text << "Risposte errate: 0"
                                   << "Il numero di risposte sbagliate";
    QTest::newRow("clock") << "lblconto" << -1 << text << "Tempo restante: 00:15:00"
                           << "Ore, minuti e secondi che restano fino alla fine del gioco";
    QTest::newRow("player") << "lblnome1" << -1 << text << "Sfidante: Dode"
                            << "Il nome di chi sta giocando";
    QTest::newRow("record holder, CR LF read as nothing")
        << "lblnome" << -1 << text << "Detentore del record: Anna"
        << "Il nome di chi ha il record di questo computer";
    QTest::newRow("record score")
        << "lblpunti" << -1 << text << "Punti del record: 12"
        << "Il record di questo computer: il maggior numero di risposte esatte";
    QTest::newRow("static text reads its caption") << "Label6" << 0 << text << "Risposte esatte"
                                                   << "";
}

void tst_Accessibility::texts()
{
    // Each control says in Italian what it is and what it does; buttons read as buttons and
    // labels as text.
    QFETCH(QString, control);
    QFETCH(int, index);
    QFETCH(int, role);
    QFETCH(QString, name);
    QFETCH(QString, description);
    Game game;
    startGame(game);
    QAccessibleInterface *a = accessible(game, control, index);
    QVERIFY(a);
    QCOMPARE(int(a->role()), role);
    QCOMPARE(a->text(QAccessible::Name), name);
    QCOMPARE(a->text(QAccessible::Description), description);
}

void tst_Accessibility::textsFollowTheGame_data()
{
    QTest::addColumn<QList<int>>("clicks");
    QTest::addColumn<bool>("verify");
    QTest::addColumn<int>("ticks");
    QTest::addColumn<QString>("control");
    QTest::addColumn<QString>("name");
    QTest::newRow("total after 180 and 30") << QList<int>{180, 30} << false << 0 << "lbltotal4"
                                            << "Totale: 210";
    QTest::newRow("right answers after 223 for 137")
        << QList<int>{180, 30, 10, 2, 1} << true << 0 << "lblScore"
        << "Risposte esatte: 1";
    QTest::newRow("wrong answers after 1 for 137") << QList<int>{1} << true << 0 << "lblScore1"
                                                   << "Risposte errate: 1";
    QTest::newRow("the next question's angle") << QList<int>{} << true << 0 << "lblangolo"
                                               << "Angolo verde in gradi: 42";
    QTest::newRow("clock after a second") << QList<int>{} << false << 1 << "lblconto"
                                          << "Tempo restante: 00:14:59";
}

void tst_Accessibility::textsFollowTheGame()
{
    // When the game changes a label's caption, its spoken name changes with it.
    QFETCH(QList<int>, clicks);
    QFETCH(bool, verify);
    QFETCH(int, ticks);
    QFETCH(QString, control);
    QFETCH(QString, name);
    Game game;
    startGame(game);
    for (int v : clicks)
        game.press({v});
    if (verify)
        game.form.cmdverifica_Click();
    game.world.timer.fire(ticks);
    QCOMPARE(accessible(game, control)->text(QAccessible::Name), name);
}

void tst_Accessibility::repeatedLabelsAreSkipped_data()
{
    QTest::addColumn<QString>("control");
    QTest::addColumn<bool>("skipped");
    QTest::newRow("lbltotal4, the front total, is read") << "lbltotal4" << false;
    QTest::newRow("lbltotale repeats it") << "lbltotale" << true;
    QTest::newRow("lbltotal2 repeats it") << "lbltotal2" << true;
    QTest::newRow("lbltotal3 repeats it") << "lbltotal3" << true;
    QTest::newRow("Label8 lies under the 1 button") << "Label8" << true;
    QTest::newRow("Label9 lies under the 1 button") << "Label9" << true;
    QTest::newRow("lblangolo is read") << "lblangolo" << false;
}

void tst_Accessibility::repeatedLabelsAreSkipped()
{
    // The four totals show one number: only the front one is read, the others report
    // themselves invisible, as do the labels that lie under a button.
    QFETCH(QString, control);
    QFETCH(bool, skipped);
    Game game;
    startGame(game);
    game.window().show();
    QVERIFY(QTest::qWaitForWindowExposed(&game.window()));
    QAccessibleInterface *a = accessible(game, control);
    QVERIFY(a);
    QCOMPARE(bool(a->state().invisible), skipped);
}

void tst_Accessibility::everyTabStopIsDescribed()
{
    // Whatever the keyboard can reach has a name and a description.
    Game game;
    startGame(game);
    game.window().show();
    QVERIFY(QTest::qWaitForWindowExposed(&game.window()));
    int reachable = 0;
    for (const std::size_t row : form::kTabOrder) {
        QWidget *w = game.widget(row);
        if (!w->isEnabled() || !w->isVisible())
            continue;
        ++reachable;
        QAccessibleInterface *a = QAccessible::queryAccessibleInterface(w);
        QVERIFY(a);
        QVERIFY2(!a->text(QAccessible::Name).isEmpty(), qPrintable(w->objectName()));
        QVERIFY2(!a->text(QAccessible::Description).isEmpty(), qPrintable(w->objectName()));
    }
    QCOMPARE(reachable, 14); // eleven value buttons, Picture1, Esci and Verifica
}

QTEST_MAIN(tst_Accessibility)
#include "tst_accessibility.moc"
