// The Help menu: the instruction on opening, and seven definitions.
#include "game/caption.h"
#include "support/gamefixture.h"

#include <QMenu>
#include <QtTest>

using namespace angoli;
using namespace angoli::test;

class tst_Menu : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void definitions_data();
    void definitions();
    void openingShowsInstructionFirst();
};

void tst_Menu::definitions_data()
{
    QTest::addColumn<QString>("item");
    QTest::addColumn<QString>("prompt");
    QTest::newRow("acuto") << "acuto"
                           << " Un angolo si dice acuto se è minore di un angolo retto";
    QTest::newRow("retto") << "retto"
                           << " Un angolo si dice retto se la sua ampiezza è di 90°";
    QTest::newRow("ottuso") << "ottuso"
                            << " Un angolo si dice ottuso se è maggiore di un angolo retto, ma è "
                               "minore di un angolo piatto";
    QTest::newRow("piatto") << "piatto"
                            << " Un angolo si dice piatto se la sua ampiezza è di 180°";
    QTest::newRow("concavo") << "concavo"
                             << "Un angolo si dice concavo se contiene i prolungamenti dei suoi "
                                "lati ed è quindi maggiore di un angolo piatto";
    QTest::newRow("grio") << "grio"
                          << " Un angolo si dice giro quando la sua ampezza è di 360°";
    QTest::newRow("expl") << "expl"
                          << "Due angoli sono esplementari se la loro somma è un angolo giro, "
                             "ossia 360°";
}

void tst_Menu::definitions()
{
    // Each item shows its definition verbatim, without icon, under the application title,
    // and leaves the question, the total and the counters as they were.
    QFETCH(QString, item);
    QFETCH(QString, prompt);
    Game game;
    game.load();
    game.press({90, 5});
    const QImage before = game.form->surfaceImage().copy();
    QAction *action = game.form->helpMenu()->findChild<QAction *>(item);
    QVERIFY(action);
    for (int time = 1; time <= 2; ++time) {
        game.world.dialogs.messages.clear();
        action->trigger();
        QCOMPARE(game.world.dialogs.messages.size(), 1);
        const Shown &shown = game.world.dialogs.messages.front();
        QCOMPARE(shown.prompt, prompt);
        QCOMPARE(shown.style, 0);
        QCOMPARE(shown.title, QStringLiteral("Angoli esplementari"));
    }
    QCOMPARE(game.form->state().somma, qint16(95));
    QCOMPARE(game.caption("lbltotal4"), QStringLiteral("95"));
    QCOMPARE(game.form->surfaceImage(), before);
}

void tst_Menu::openingShowsInstructionFirst()
{
    // Opening the menu shows the instruction (information icon, its own title) before the list.
    Game game;
    game.load();
    game.form->show();
    QVERIFY(QTest::qWaitForWindowExposed(game.form.get()));
    game.world.dialogs.messages.clear();
    bool listShownDuringBox = true;
    game.world.dialogs.onMessage = [&](const Shown &) {
        listShownDuringBox = game.form->helpMenu()->isVisible();
    };
    game.form->helpMenu()->popup(game.form->mapToGlobal(QPoint(0, 0)));
    QVERIFY(QTest::qWaitForWindowExposed(game.form->helpMenu()));
    QVERIFY(!listShownDuringBox);
    QCOMPARE(game.world.dialogs.messages.size(), 1);
    const Shown &shown = game.world.dialogs.messages.front();
    QCOMPARE(shown.prompt.size(), 218);
    QVERIFY(shown.prompt.startsWith(QStringLiteral("Per iniziare a giocare clicca  su uno dei "
                                                   "pulsante in basso, il suo valore verrà")));
    QVERIFY(shown.prompt.endsWith(QLatin1String("clicca su verifica")));
    QCOMPARE(shown.style, 64);
    QCOMPARE(shown.title, QStringLiteral("Riconosciamo gli angoli esplementari"));
    game.form->helpMenu()->close();
}

QTEST_MAIN(tst_Menu)
#include "tst_menu.moc"
