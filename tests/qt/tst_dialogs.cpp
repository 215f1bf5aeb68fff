// SPDX-License-Identifier: GPL-3.0-or-later
// The real modal dialogs, driven the way Qt's own message-box tests do it: a timer waits until
// the dialog is the active modal widget, then looks at it and presses its keys.
#include "gamefixture.h"

#include <QDialogButtonBox>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QtTest>

using namespace angoli;
using namespace angoli::qttest;

namespace
{
constexpr int kPollMs = 10;

// Presses a key as the player would: on the dialog's focused button or field.
// Returns whether that closed the dialog; if not, closes it anyway, so the test fails instead of
// waiting forever.
bool press(QWidget *dialog, Qt::Key key)
{
    QWidget *target = dialog->focusWidget() ? dialog->focusWidget() : dialog;
    QTest::keyClick(target, key);
    if (!dialog->isVisible())
        return true;
    if (auto *d = qobject_cast<QDialog *>(dialog))
        d->done(QDialog::Rejected);
    return false;
}

// Types text into a field, accented letters too.
void type(QWidget *field, const QString &text)
{
    for (const QChar c : text) {
        QKeyEvent key(QEvent::KeyPress, 0, Qt::NoModifier, QString(c));
        QApplication::sendEvent(field, &key);
    }
}

// Runs act on the next modal dialog other than `previous`, from inside its event loop.
void whenModal(std::function<void(QWidget *)> act, QPointer<QWidget> previous = nullptr)
{
    auto *poll = new QTimer;
    poll->setInterval(kPollMs);
    QObject::connect(poll, &QTimer::timeout, poll, [poll, act, previous] {
        QWidget *w = QApplication::activeModalWidget();
        if (!w || w == previous || !w->isVisible())
            return;
        poll->stop();
        poll->deleteLater();
        act(w);
    });
    poll->start();
}

// What a message box showed.
struct Seen {
    QString title;
    QString text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    Qt::TextFormat format = Qt::AutoText;
    QStringList buttons;
};

Seen look(QWidget *w)
{
    auto *box = qobject_cast<QMessageBox *>(w);
    Seen seen;
    if (!box)
        return seen;
    seen.title = box->windowTitle();
    seen.text = box->text();
    seen.icon = box->icon();
    seen.format = box->textFormat();
    for (QAbstractButton *b : box->buttons())
        seen.buttons << b->text();
    return seen;
}

// Real dialogs and fake ticks, time and end.
struct RealDialogs {
    QtDialogs dialogs;
    FakeServices fakes;
    QtServices services() { return {dialogs, fakes.timer, fakes.time, fakes.end}; }
};

// The game in its window with real dialogs.
struct RealDialogsGame : RealDialogs, test::GameOn<QtFormsRuntime> {
    RealDialogsGame() : GameOn(services()) {}
};
} // namespace

class tst_Dialogs : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void messageBox_data();
    void messageBox();
    void nameDialog_data();
    void nameDialog();
    void startUpWithEnterAlone();
    void ticksGoOnUnderAMessage();
    void windowMadeWhileThePlayerTypes_data();
    void windowMadeWhileThePlayerTypes();
};

void tst_Dialogs::messageBox_data()
{
    QTest::addColumn<int>("style");
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("icon");
    QTest::newRow("style 0, no icon, Return")
        << 0 << int(Qt::Key_Return) << int(QMessageBox::NoIcon);
    QTest::newRow("style 48, exclamation, keypad Enter")
        << 48 << int(Qt::Key_Enter) << int(QMessageBox::Warning);
    QTest::newRow("style 64, information, Space")
        << 64 << int(Qt::Key_Space) << int(QMessageBox::Information);
    QTest::newRow("style 0, Escape") << 0 << int(Qt::Key_Escape) << int(QMessageBox::NoIcon);
}

void tst_Dialogs::messageBox()
{
    // A message box shows its prompt as plain text under its title, with the icon of its style
    // and one OK button; Enter (or Space, or Escape) closes it.
    QFETCH(int, style);
    QFETCH(int, key);
    QFETCH(int, icon);
    QtDialogs dialogs;
    Seen seen;
    bool closed = false;
    whenModal([&](QWidget *w) {
        seen = look(w);
        closed = press(w, Qt::Key(key));
    });
    const QString prompt = QStringLiteral(" Un angolo si dice <b>retto</b> se è di 90°");
    dialogs.message(prompt, MsgStyle(style), QStringLiteral("Angoli esplementari"));
    QCOMPARE(seen.title, QStringLiteral("Angoli esplementari"));
    QCOMPARE(seen.text, prompt);
    QCOMPARE(seen.format, Qt::PlainText); // the markup in the prompt shows as it stands
    QCOMPARE(int(seen.icon), icon);
    QCOMPARE(seen.buttons, QStringList{QStringLiteral("OK")});
    QVERIFY(closed);
}

void tst_Dialogs::nameDialog_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<int>("key");
    QTest::addColumn<QString>("name");
    QTest::newRow("Return confirms") << "Dode" << int(Qt::Key_Return) << "Dode";
    QTest::newRow("keypad Enter confirms") << "Zoë Rossi " << int(Qt::Key_Enter) << "Zoë Rossi ";
    QTest::newRow("Escape cancels: empty name") << "Dode" << int(Qt::Key_Escape) << "";
    QTest::newRow("Return on nothing: empty name") << "" << int(Qt::Key_Return) << "";
}

void tst_Dialogs::nameDialog()
{
    // The name dialog asks with its prompt and title, offers OK and Annulla, starts empty and
    // gives the name exactly as typed; Cancel gives "".
    QFETCH(QString, typed);
    QFETCH(int, key);
    QFETCH(QString, name);
    QtDialogs dialogs;
    QString title, label, start;
    QStringList buttons;
    bool closed = false;
    whenModal([&](QWidget *w) {
        auto *dialog = qobject_cast<QInputDialog *>(w);
        QVERIFY(dialog);
        title = dialog->windowTitle();
        label = dialog->labelText();
        start = dialog->textValue();
        for (QAbstractButton *b : dialog->findChild<QDialogButtonBox *>()->buttons())
            buttons << b->text();
        type(dialog->findChild<QLineEdit *>(), typed);
        closed = press(dialog, Qt::Key(key));
    });
    const QString answer = dialogs.askText(QStringLiteral("Come ti chiami?"),
                                           QStringLiteral("Riconosciamo gli angoli"));
    QVERIFY(closed);
    QCOMPARE(answer, name);
    QCOMPARE(title, QStringLiteral("Riconosciamo gli angoli"));
    QCOMPARE(label, QStringLiteral("Come ti chiami?"));
    QVERIFY(start.isEmpty());
    buttons.sort();
    QCOMPARE(buttons, (QStringList{"Annulla", "OK"}));
}

void tst_Dialogs::startUpWithEnterAlone()
{
    // The player types the name and presses Enter twice: once in the name dialog, once on the
    // greeting. Start-up then shows the name, and neither Enter reached a value button.
    RealDialogsGame game;
    Seen greeting;
    bool named = false;
    bool greeted = false;
    whenModal([&](QWidget *nameDialog) {
        type(nameDialog->findChild<QLineEdit *>(), QStringLiteral("Dode"));
        whenModal(
            [&](QWidget *box) {
                greeting = look(box);
                greeted = press(box, Qt::Key_Return);
            },
            nameDialog);
        named = press(nameDialog, Qt::Key_Return);
    });
    game.form.Form_Load();
    QVERIFY(named && greeted);
    QCOMPARE(greeting.text, QStringLiteral(" Dode vediamo se sei un vero campione  "));
    QCOMPARE(greeting.icon, QMessageBox::Warning);
    QCOMPARE(greeting.title, QStringLiteral("Riconosciamo gli angoli"));
    QCOMPARE(game.ui.Caption(form::lblnome1), std::string("Dode"));
    QCOMPARE(game.ui.Caption(form::lbltotal4), std::string("0"));
}

void tst_Dialogs::ticksGoOnUnderAMessage()
{
    // Timer1 keeps ticking while a message box waits for the player.
    QtDialogs dialogs;
    QtTickSource timer(20);
    int ticks = 0;
    timer.onTick = [&] { ++ticks; };
    timer.setEnabled(true);
    int ticksWhileOpen = 0;
    whenModal([&](QWidget *box) {
        QTRY_VERIFY(ticks >= 3);
        ticksWhileOpen = ticks;
        press(box, Qt::Key_Return);
    });
    dialogs.message(QStringLiteral(" Ok "), kPlain, QStringLiteral("Angoli esplementari"));
    timer.setEnabled(false);
    QVERIFY(ticksWhileOpen >= 3);
    QVERIFY(!timer.isEnabled());
}

void tst_Dialogs::windowMadeWhileThePlayerTypes_data()
{
    QTest::addColumn<bool>("quick");
    QTest::newRow("a player who takes a moment") << false;
    QTest::newRow("a player quicker than the window") << true;
}

void tst_Dialogs::windowMadeWhileThePlayerTypes()
{
    // The game's window is made while the name dialog waits for the player, or right after it
    // when the player answers at once: either way it is there when the name comes back.
    QFETCH(bool, quick);
    RealDialogs real;
    QtFormsRuntime ui(real.services(), QtFormsRuntime::MakeWindow::WhileNameIsAsked);
    bool madeWhileAsking = false;
    whenModal([&](QWidget *dialog) {
        type(dialog->findChild<QLineEdit *>(), QStringLiteral("Dode"));
        if (!quick)
            QTRY_VERIFY(ui.windowMade());
        madeWhileAsking = ui.windowMade();
        press(dialog, Qt::Key_Return);
    });
    QVERIFY(!ui.windowMade());
    QCOMPARE(ui.InputBox("Come ti chiami?", "Riconosciamo gli angoli"), std::string("Dode"));
    QVERIFY(madeWhileAsking || quick);
    QVERIFY(ui.windowMade());
    QVERIFY(!ui.window().isVisible());
}

QTEST_MAIN(tst_Dialogs)
#include "tst_dialogs.moc"
