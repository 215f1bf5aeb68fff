// SPDX-License-Identifier: GPL-3.0-or-later
// The whole game from the keyboard alone: Tab walks the controls in their layout order, Space
// presses the focused button (Enter too, on Verifica and Esci), and F10 (or Alt) opens the Help
// menu.
#include "gamefixture.h"
#include "platform/qt/graphicbutton.h"

#include <QApplication>
#include <QMenu>
#include <QMenuBar>
#include <QtTest>

using namespace angoli;
using namespace angoli::qttest;

namespace
{
constexpr int kTabStops = 14; // eleven value buttons, Picture1, Esci and Verifica

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
    game.random.draws = {drawFor(137), drawFor(42)};
    return game.startShown();
}
} // namespace

class tst_Keyboard : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void firstFocusIsTheHundred();
    void onlySpacePressesAValueButton_data();
    void onlySpacePressesAValueButton();
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
    QCOMPARE(QApplication::focusWidget(), &game.optionFor(100));
    QStringList visited;
    for (int i = 0; i < kTabStops; ++i) {
        QWidget *w = QApplication::focusWidget();
        const std::string &caption = game.state(game.rowOf(w)).caption;
        visited << (caption.empty() ? w->objectName() : QString::fromStdString(caption));
        QTest::keyClick(w, Qt::Key_Tab);
    }
    QCOMPARE(visited, (QStringList{"100", "90", "1", "2", "5", "9", "10", "30", "50", "Picture1",
                                   "Esci", "Verifica", "180", "270"}));
    QCOMPARE(QApplication::focusWidget(), &game.optionFor(100));
}

void tst_Keyboard::onlySpacePressesAValueButton_data()
{
    QTest::addColumn<QList<int>>("keys");
    QTest::addColumn<int>("total");
    QTest::newRow("Return adds nothing") << QList<int>{Qt::Key_Return} << 0;
    QTest::newRow("keypad Enter adds nothing") << QList<int>{Qt::Key_Enter} << 0;
    QTest::newRow("Space adds 100") << QList<int>{Qt::Key_Space} << 100;
    QTest::newRow("Return, Space, Return: 100")
        << QList<int>{Qt::Key_Return, Qt::Key_Space, Qt::Key_Return} << 100;
}

void tst_Keyboard::onlySpacePressesAValueButton()
{
    // Pupils press Enter to close a message: an Enter that lands on the focused "100" after the
    // box has gone adds nothing, while Space presses it.
    QFETCH(QList<int>, keys);
    QFETCH(int, total);
    Game game;
    QVERIFY(startShown(game));
    QCOMPARE(QApplication::focusWidget(), &game.optionFor(100));
    for (int key : keys)
        QTest::keyClick(QApplication::focusWidget(), Qt::Key(key));
    QCOMPARE(game.caption(form::lbltotal4), QString::number(total));
    QCOMPARE(game.form.state().somma, total);
    QCOMPARE(QApplication::focusWidget(), &game.optionFor(100));
    QVERIFY(!game.state(form::Option1[8].row).value);
}

void tst_Keyboard::roundByKeyboard_data()
{
    QTest::addColumn<QList<int>>("values");
    QTest::addColumn<int>("key"); // on Verifica
    QTest::addColumn<QString>("verdict");
    QTest::addColumn<int>("right");
    QTest::addColumn<int>("wrong");
    const QString tooSmall =
        QStringLiteral("Fai attenzione, hai sbagliato.Il valore esatto era 223");
    const QString tooBig =
        QStringLiteral(" Hai raggiunto un valore maggiore. Il valore esatto era 223");
    QTest::newRow("223, Verifica with Return, is right")
        << QList<int>{1, 2, 10, 30, 180} << int(Qt::Key_Return) << " Ok " << 1 << 0;
    QTest::newRow("223, Verifica with keypad Enter, is right")
        << QList<int>{1, 2, 10, 30, 180} << int(Qt::Key_Enter) << " Ok " << 1 << 0;
    QTest::newRow("223, Verifica with Space, is right")
        << QList<int>{1, 2, 10, 30, 180} << int(Qt::Key_Space) << " Ok " << 1 << 0;
    QTest::newRow("190 is too small")
        << QList<int>{100, 90} << int(Qt::Key_Space) << tooSmall << 0 << 1;
    QTest::newRow("270 is too big") << QList<int>{270} << int(Qt::Key_Return) << tooBig << 0 << 1;
    QTest::newRow("nothing pressed is too small")
        << QList<int>{} << int(Qt::Key_Return) << tooSmall << 0 << 1;
}

void tst_Keyboard::roundByKeyboard()
{
    // Tab to each value button and press it with Space; Tab back to "Verifica" and press the
    // key: the verdict is shown, the counters count, the total starts again at 0 and the next
    // question follows. Moving the focus alone adds nothing.
    QFETCH(QList<int>, values);
    QFETCH(int, key);
    QFETCH(QString, verdict);
    QFETCH(int, right);
    QFETCH(int, wrong);
    Game game;
    QVERIFY(startShown(game));
    int total = 0;
    for (int v : values) {
        QVERIFY2(tabTo(&game.optionFor(v)),
                 qPrintable(QStringLiteral("Tab never reached %1").arg(v)));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
        total += v;
        QCOMPARE(game.caption(form::lbltotal4), QString::number(total));
    }
    QCOMPARE(game.world.dialogs.messages.size(), 1); // only the greeting so far
    QVERIFY(tabTo(game.control(QStringLiteral("cmdverifica")), true));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key(key));
    QCOMPARE(game.world.dialogs.messages.size(), 2);
    QCOMPARE(game.world.dialogs.messages.last().prompt, verdict);
    QCOMPARE(game.caption(form::lblScore), QString::number(right));
    QCOMPARE(game.caption(form::lblScore1), QString::number(wrong));
    QCOMPARE(game.caption(form::lbltotal4), QStringLiteral("0"));
    QCOMPARE(game.caption(form::lblangolo), QStringLiteral("42"));
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
    QMenu *menu = &game.window().helpMenu();
    QMenuBar *bar = game.window().menuBar();
    QCOMPARE(menu->title(), QStringLiteral("Help"));
    game.world.dialogs.messages.clear();

    if (alt) {
        QTest::keyClick(focused, Qt::Key_Alt); // selects "Help" on the menu bar
        QCOMPARE(bar->activeAction(), menu->menuAction());
        QVERIFY(game.world.dialogs.messages.isEmpty());
        QTest::keyClick(bar, Qt::Key_Down);
    } else {
        QTest::keyClick(focused, Qt::Key_F10);
    }
    QTRY_COMPARE(QApplication::activePopupWidget(), menu);
    QCOMPARE(game.world.dialogs.messages.size(), 1);
    QCOMPARE(game.world.dialogs.messages.front().style, 64); // the instruction
    for (int i = 0; i < downs; ++i)
        QTest::keyClick(menu, Qt::Key_Down);
    QTest::keyClick(menu, Qt::Key(key));

    QTRY_VERIFY(!menu->isVisible());
    if (definition.isEmpty()) {
        QCOMPARE(game.world.dialogs.messages.size(), 1);
        // The first Escape closes the list and leaves "Help" selected; the second leaves the bar.
        QTest::keyClick(bar, Qt::Key_Escape);
    } else {
        QCOMPARE(game.world.dialogs.messages.size(), 2);
        QCOMPARE(game.world.dialogs.messages.last().prompt, definition);
    }
    // Back in the game: Space presses the button that had the focus.
    QTRY_COMPARE(QApplication::focusWidget(), focused);
    QTest::keyClick(focused, Qt::Key_Space);
    QCOMPARE(game.caption(form::lbltotal4), QStringLiteral("100"));
}

QTEST_MAIN(tst_Keyboard)
#include "tst_keyboard.moc"
