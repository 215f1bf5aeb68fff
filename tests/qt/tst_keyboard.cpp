// The whole game from the keyboard alone: Tab walks the controls in their layout order, Space
// or Enter presses the focused button, and F10 (or Alt) opens the Help menu.
#include "game/caption.h"
#include "game/graphicbutton.h"
#include "support/gamefixture.h"

#include <QApplication>
#include <QMenu>
#include <QMenuBar>
#include <QtTest>

using namespace angoli;
using namespace angoli::test;

namespace
{
constexpr int kTabStops = 14; // eleven value buttons, Picture1, Esci and Verifica

// The draw that makes the next question ask for this angle.
float drawFor(int angle)
{
    return (float(angle) - 0.5f) / 359.0f;
}

// Presses Tab (Shift+Tab when backwards) on the focused control until target has the focus;
// false when a whole round of the tab stops never reaches it.
bool tabTo(QWidget *target, bool backwards = false)
{
    for (int i = 0; i <= kTabStops && QApplication::focusWidget() != target; ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab,
                        backwards ? Qt::ShiftModifier : Qt::NoModifier);
    }
    return QApplication::focusWidget() == target;
}

// A game at its first question, 137 (then 42), shown and active, with the focus where the
// window puts it.
bool startShown(Game &game)
{
    game.world.random.draws = {drawFor(137), drawFor(42)};
    game.load();
    game.form->show();
    game.form->activateWindow();
    return QTest::qWaitForWindowActive(game.form.get());
}
} // namespace

class tst_Keyboard : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void firstFocusIsTheHundred();
    void roundByKeyboard_data();
    void roundByKeyboard();
    void helpMenuByKeyboard_data();
    void helpMenuByKeyboard();
};

void tst_Keyboard::firstFocusIsTheHundred()
{
    // The window opens with the focus on "100", and Tab visits the controls in layout order.
    Game game;
    QVERIFY(startShown(game));
    QCOMPARE(QApplication::focusWidget(), game.form->controls().option(optionIndexFor(100)));
    QStringList visited;
    for (int i = 0; i < kTabStops; ++i) {
        QWidget *w = QApplication::focusWidget();
        auto *b = qobject_cast<GraphicButton *>(w);
        visited << (b ? b->text() : w->objectName());
        QTest::keyClick(w, Qt::Key_Tab);
    }
    QCOMPARE(visited, (QStringList{"100", "90", "1", "2", "5", "9", "10", "30", "50", "Picture1",
                                   "Esci", "Verifica", "180", "270"}));
    QCOMPARE(QApplication::focusWidget(), game.form->controls().option(optionIndexFor(100)));
}

void tst_Keyboard::roundByKeyboard_data()
{
    QTest::addColumn<QList<int>>("values");
    QTest::addColumn<int>("key");
    QTest::addColumn<QString>("verdict");
    QTest::addColumn<int>("right");
    QTest::addColumn<int>("wrong");
    const QString tooSmall =
        QStringLiteral("Fai attenzione, hai sbagliato.Il valore esatto era 223");
    const QString tooBig =
        QStringLiteral(" Hai raggiunto un valore maggiore. Il valore esatto era 223");
    QTest::newRow("223 with Space is right")
        << QList<int>{1, 2, 10, 30, 180} << int(Qt::Key_Space) << " Ok " << 1 << 0;
    QTest::newRow("223 with Return is right")
        << QList<int>{1, 2, 10, 30, 180} << int(Qt::Key_Return) << " Ok " << 1 << 0;
    QTest::newRow("223 with keypad Enter is right")
        << QList<int>{1, 2, 10, 30, 180} << int(Qt::Key_Enter) << " Ok " << 1 << 0;
    QTest::newRow("190 is too small")
        << QList<int>{100, 90} << int(Qt::Key_Space) << tooSmall << 0 << 1;
    QTest::newRow("270 is too big") << QList<int>{270} << int(Qt::Key_Return) << tooBig << 0 << 1;
    QTest::newRow("nothing pressed is too small")
        << QList<int>{} << int(Qt::Key_Return) << tooSmall << 0 << 1;
}

void tst_Keyboard::roundByKeyboard()
{
    // Tab to each value button and press it with the key; Tab back to "Verifica" and press
    // Enter: the verdict is shown, the counters count, the total starts again at 0 and the
    // next question follows. Moving the focus alone adds nothing.
    QFETCH(QList<int>, values);
    QFETCH(int, key);
    QFETCH(QString, verdict);
    QFETCH(int, right);
    QFETCH(int, wrong);
    Game game;
    QVERIFY(startShown(game));
    int total = 0;
    for (int v : values) {
        QVERIFY2(tabTo(game.form->controls().option(optionIndexFor(v))),
                 qPrintable(QStringLiteral("Tab never reached %1").arg(v)));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key(key));
        total += v;
        QCOMPARE(game.caption("lbltotal4"), QString::number(total));
    }
    QCOMPARE(game.world.dialogs.messages.size(), 1); // only the greeting so far
    QVERIFY(tabTo(game.form->controls().widget(QStringLiteral("cmdverifica")), true));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    QCOMPARE(game.world.dialogs.messages.size(), 2);
    QCOMPARE(game.world.dialogs.messages.last().prompt, verdict);
    QCOMPARE(game.caption("lblScore"), QString::number(right));
    QCOMPARE(game.caption("lblScore1"), QString::number(wrong));
    QCOMPARE(game.caption("lbltotal4"), QStringLiteral("0"));
    QCOMPARE(game.caption("lblangolo"), QStringLiteral("42"));
}

void tst_Keyboard::helpMenuByKeyboard_data()
{
    QTest::addColumn<bool>("alt");
    QTest::addColumn<int>("downs");
    QTest::addColumn<int>("key");
    QTest::addColumn<QString>("definition");
    QTest::newRow("F10, first item, Angolo acuto")
        << false << 1 << int(Qt::Key_Return)
        << " Un angolo si dice acuto se è minore di un angolo retto";
    QTest::newRow("F10, second item, Angolo retto")
        << false << 2 << int(Qt::Key_Return)
        << " Un angolo si dice retto se la sua ampiezza è di 90°";
    QTest::newRow("F10, seventh item, Angoli esplementari")
        << false << 7 << int(Qt::Key_Enter)
        << "Due angoli sono esplementari se la loro somma è un angolo giro, ossia 360°";
    QTest::newRow("F10, Escape closes the menu") << false << 2 << int(Qt::Key_Escape) << "";
    // Down opens the list with its first item already selected.
    QTest::newRow("Alt then Down, second item, Angolo retto")
        << true << 1 << int(Qt::Key_Return)
        << " Un angolo si dice retto se la sua ampiezza è di 90°";
}

void tst_Keyboard::helpMenuByKeyboard()
{
    // "Help" keeps its caption without a mnemonic; F10, or Alt and then Down, opens it (the
    // instruction first), the arrows choose an item, Enter shows its definition or Escape goes
    // back, and the focus returns to the game.
    QFETCH(bool, alt);
    QFETCH(int, downs);
    QFETCH(int, key);
    QFETCH(QString, definition);
    Game game;
    QVERIFY(startShown(game));
    QWidget *focused = QApplication::focusWidget();
    QCOMPARE(game.form->helpMenu()->title(), QStringLiteral("Help"));
    game.world.dialogs.messages.clear();

    if (alt) {
        QTest::keyClick(focused, Qt::Key_Alt); // selects "Help" on the menu bar
        QCOMPARE(game.form->menuBar()->activeAction(), game.form->helpMenu()->menuAction());
        QVERIFY(game.world.dialogs.messages.isEmpty());
        QTest::keyClick(game.form->menuBar(), Qt::Key_Down);
    } else {
        QTest::keyClick(focused, Qt::Key_F10);
    }
    QTRY_COMPARE(QApplication::activePopupWidget(), game.form->helpMenu());
    QCOMPARE(game.world.dialogs.messages.size(), 1);
    QCOMPARE(game.world.dialogs.messages.front().style, 64); // the instruction
    QMenu *menu = game.form->helpMenu();
    for (int i = 0; i < downs; ++i)
        QTest::keyClick(menu, Qt::Key_Down);
    QTest::keyClick(menu, Qt::Key(key));

    QTRY_VERIFY(!menu->isVisible());
    if (definition.isEmpty()) {
        QCOMPARE(game.world.dialogs.messages.size(), 1);
        // The first Escape closes the list and leaves "Help" selected; the second leaves the bar.
        QTest::keyClick(game.form->menuBar(), Qt::Key_Escape);
    } else {
        QCOMPARE(game.world.dialogs.messages.size(), 2);
        QCOMPARE(game.world.dialogs.messages.last().prompt, definition);
    }
    // Back in the game: Space presses the button that had the focus.
    QTRY_COMPARE(QApplication::focusWidget(), focused);
    QTest::keyClick(focused, Qt::Key_Space);
    QCOMPARE(game.caption("lbltotal4"), QStringLiteral("100"));
}

QTEST_MAIN(tst_Keyboard)
#include "tst_keyboard.moc"
